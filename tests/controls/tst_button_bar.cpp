// tst_button_bar.cpp
#include "kvgui_button_bar.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_icon_button.h"

#include <QSignalSpy>
#include <QtTest>

class TestButtonBar : public QObject
{
    Q_OBJECT
private slots:
    void leafSelectedOncePerChoice_data();
    void leafSelectedOncePerChoice();
    void fixedBarNeverMinimises();
    void minimisableBarExpandsAndMinimises();
    void visibilityChangeIsReported_data();
    void visibilityChangeIsReported();
};

void TestButtonBar::leafSelectedOncePerChoice_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("reports");

    QTest::newRow("option button leaf") << "button" << 1;
    QTest::newRow("icon button leaf") << "icon" << 1;
    QTest::newRow("inserted option button leaf") << "inserted" << 1;
    QTest::newRow("leaf in a sub-bar") << "subbar" << 1;
    QTest::newRow("menu option is no leaf choice") << "menu" << 0;
}

void TestButtonBar::leafSelectedOncePerChoice()
{
    QFETCH(QString, source);
    QFETCH(int, reports);

    TButtonBar bar(nullptr, false);
    auto *first = new TOption(QStringLiteral("First"), &bar);
    auto *second = new TOption(QStringLiteral("Second"), QStringLiteral("kvgui_option_ok"), &bar);
    auto *menu = new TOption(QStringLiteral("Menu"), &bar);
    menu->appendSubOption(new TOption(QStringLiteral("Item"), &bar));
    TOptionButton *button = bar.addNewOptionButton(first, 0, Qt::AlignCenter);
    TOptionIconButton *icon = bar.addNewOptionIconButton(second, 0, Qt::AlignCenter);
    TOptionButton *menuButton = bar.addNewOptionButton(menu);
    TOptionButton *inserted = bar.addNewOptionButton(0, new TOption(QStringLiteral("Inserted"), &bar));
    auto *subBar = new TButtonBar(nullptr, false);
    TOptionButton *subButton = subBar->addNewOptionButton(new TOption(QStringLiteral("Sub"), subBar));
    bar.addSubButtonBar(subBar);
    bar.show();
    QSignalSpy spy(&bar, SIGNAL(leafSelected()));

    QWidget *target = button;
    if (source == QLatin1String("icon"))
        target = icon;
    else if (source == QLatin1String("inserted"))
        target = inserted;
    else if (source == QLatin1String("subbar"))
        target = subButton;
    else if (source == QLatin1String("menu"))
        target = menuButton;
    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(spy.count(), reports);
}

void TestButtonBar::fixedBarNeverMinimises()
{
    TButtonBar bar(nullptr, false);
    bar.show();
    QSignalSpy spy(&bar, SIGNAL(fullyShown(bool)));
    bar.setMinimized();
    bar.setFullyShown();
    QCOMPARE(spy.count(), 0);
    QVERIFY(!bar.getCanMinimize());
    QVERIFY(bar.getFullyShown());
    QCOMPARE(bar.minimumHeight(), 58);
    QCOMPARE(bar.maximumHeight(), 58);
}

void TestButtonBar::minimisableBarExpandsAndMinimises()
{
    QWidget window;
    auto *bar = new TButtonBar(&window, true);
    bar->addNewOptionButton(new TOption(QStringLiteral("Item"), bar));
    window.show();
    QVERIFY(bar->getCanMinimize());
    QVERIFY(!bar->getFullyShown());
    QCOMPARE(bar->maximumWidth(), 58);

    QSignalSpy spy(bar, SIGNAL(fullyShown(bool)));
    auto *tools = bar->findChildren<TOptionIconButton *>().first();
    QTest::mouseClick(tools, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().first().toBool(), true);
    QVERIFY(bar->getFullyShown());
    QVERIFY(tools->isHidden());
    QCOMPARE(bar->findChild<QFrame *>(QStringLiteral("OptionFrame"))->isVisible(), true);

    bar->setFullyShown();
    QCOMPARE(spy.count(), 0);
    bar->setMinimized();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().first().toBool(), false);
    QVERIFY(!tools->isHidden());
    QCOMPARE(bar->maximumWidth(), 58);
}

void TestButtonBar::visibilityChangeIsReported_data()
{
    QTest::addColumn<bool>("canMinimize");
    QTest::addColumn<bool>("shownAs");

    QTest::newRow("a fixed bar becoming visible is fully shown") << false << true;
    QTest::newRow("a minimised bar becoming visible is not fully shown") << true << false;
}

void TestButtonBar::visibilityChangeIsReported()
{
    QFETCH(bool, canMinimize);
    QFETCH(bool, shownAs);

    TButtonBar bar(nullptr, canMinimize);
    QSignalSpy spy(&bar, SIGNAL(fullyShown(bool)));
    bar.show();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().first().toBool(), shownAs);
    bar.show();
    QCOMPARE(spy.count(), 0);
    bar.hide();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().first().toBool(), false);
}

QTEST_MAIN(TestButtonBar)
#include "tst_button_bar.moc"
