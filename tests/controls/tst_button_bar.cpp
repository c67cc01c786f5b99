// tst_button_bar.cpp
#include "kvgui_button_bar.h"
#include "kvgui_icon_button.h"
#include "kvgui_icon_widget.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_icon_button.h"
#include "kvgui_stylesheet.h"

#include <QSignalSpy>
#include <QTimeLine>
#include <QtTest>

// The button bar and the icon controls that windows build their rows from.
class TestButtonBar : public QObject
{
    Q_OBJECT
private slots:
    void leafSelectedOncePerChoice_data();
    void leafSelectedOncePerChoice();
    void fullyShown_data();
    void fullyShown();
    void iconSizes_data();
    void iconSizes();
    void iconButtonFades();
};

void TestButtonBar::leafSelectedOncePerChoice_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("reports");

    QTest::newRow("option button leaf") << 0 << 1;
    QTest::newRow("icon button leaf") << 1 << 1;
    QTest::newRow("inserted option button leaf") << 2 << 1;
    QTest::newRow("leaf in a sub-bar") << 3 << 1;
    QTest::newRow("menu option is no leaf choice") << 4 << 0;
}

void TestButtonBar::leafSelectedOncePerChoice()
{
    QFETCH(int, button);
    QFETCH(int, reports);

    TButtonBar bar(nullptr, false);
    auto *menu = new TOption(QStringLiteral("Menu"), &bar);
    menu->appendSubOption(new TOption(QStringLiteral("Item"), &bar));
    auto *subBar = new TButtonBar(nullptr, false);
    const QList<QWidget *> buttons { bar.addNewOptionButton(new TOption(QStringLiteral("First"), &bar), 0, Qt::AlignCenter),
        bar.addNewOptionIconButton(new TOption(QStringLiteral("Icon"), QStringLiteral("kvgui_option_ok"), &bar), 0, Qt::AlignCenter),
        bar.addNewOptionButton(0, new TOption(QStringLiteral("Inserted"), &bar)),
        subBar->addNewOptionButton(new TOption(QStringLiteral("Sub"), subBar)), bar.addNewOptionButton(menu) };
    bar.addSubButtonBar(subBar);
    bar.show();
    QSignalSpy spy(&bar, SIGNAL(leafSelected()));

    QTest::mouseClick(buttons.at(button), Qt::LeftButton);
    QCOMPARE(spy.count(), reports);
}

void TestButtonBar::fullyShown_data()
{
    QTest::addColumn<bool>("canMinimize");
    QTest::addColumn<QList<QVariantList>>("reports");

    QTest::newRow("a fixed bar is fully shown while visible, never minimised") << false << QList<QVariantList> { { true }, { false } };
    QTest::newRow("a minimisable bar starts minimised; its tools expand it")
        << true << QList<QVariantList> { { false }, { true }, { false }, { false } };
}

void TestButtonBar::fullyShown()
{
    QFETCH(bool, canMinimize);
    QFETCH(QList<QVariantList>, reports);

    QWidget window;
    auto *bar = new TButtonBar(&window, canMinimize);
    bar->hide();
    window.show();
    QSignalSpy spy(bar, SIGNAL(fullyShown(bool)));
    bar->show();
    bar->show();
    if (canMinimize)
        QTest::mouseClick(bar->findChildren<TOptionIconButton *>().first(), Qt::LeftButton);
    bar->setFullyShown();
    bar->setMinimized();
    bar->setMinimized();
    bar->hide();
    QCOMPARE(QList<QVariantList>(spy), reports);
}

void TestButtonBar::iconSizes_data()
{
    QTest::addColumn<QString>("iconName");

    QTest::newRow("small image: the button is raised to 58 by 58") << "kvgui_option_ok";
    QTest::newRow("wide key image: the button keeps its width") << "kvgui_key294";
}

void TestButtonBar::iconSizes()
{
    QFETCH(QString, iconName);

    const QSize image = TStyleSheet::styleSheetHandler.getPixmap(iconName, TStyleSheet::Normal, true).size();
    TIconButton button(QStringLiteral("Key"), iconName, nullptr);
    QCOMPARE(button.minimumSize(), image.expandedTo(QSize(58, 58)));
    QCOMPARE(button.maximumHeight(), image.height());
    // An icon widget is exactly as large as its image, also after a change of image.
    TIconWidget widget(QStringLiteral("kvgui_message_warning"), nullptr);
    widget.setIconName(iconName);
    QCOMPARE(widget.minimumSize(), image);
    QCOMPARE(widget.maximumSize(), image);
}

void TestButtonBar::iconButtonFades()
{
    QWidget parent;
    auto *button = new TIconButton(QStringLiteral("Key"), QStringLiteral("kvgui_keyboard"), &parent);
    parent.show();
    button->fadeHide();
    QTRY_VERIFY(button->getFadeOpacity() < 0.9);
    // Showing during a fade-out turns it back.
    button->fadeShow();
    auto *timeLine = button->findChild<QTimeLine *>();
    QTRY_COMPARE(timeLine->state(), QTimeLine::NotRunning);
    QVERIFY(button->isVisible() && button->getFadeOpacity() > 0.99);

    button->fadeHide();
    QTRY_VERIFY(button->isHidden());
    // Hidden, it is ready to show fully again, and a further fade-out does nothing.
    QCOMPARE(button->getFadeOpacity(), 1.0);
    button->fadeHide();
    QCOMPARE(timeLine->state(), QTimeLine::NotRunning);
}

QTEST_MAIN(TestButtonBar)
#include "tst_button_bar.moc"
