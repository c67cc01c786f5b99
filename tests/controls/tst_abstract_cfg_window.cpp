// tst_abstract_cfg_window.cpp
#include "kvgui_abstract_cfg_window.h"
#include "kvgui_button_bar.h"
#include "kvgui_main_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_sub_window_view.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

class TCountingCfgWindow : public TAbstractCfgWindow
{
    Q_OBJECT
public:
    explicit TCountingCfgWindow(bool keyboardRoom = false)
        : TAbstractCfgWindow(QStringLiteral("GMDSS system"), keyboardRoom)
    { }
    int updates = 0;
    int stores = 0;
    bool shownWhenUpdated = true;

protected slots:
    void updateData() override
    {
        ++updates;
        // Loading happens before the view takes the window in.
        shownWhenUpdated = isVisible();
    }
    void storeData() override
    {
        ++stores;
        emit stored();
        close();
    }
};

class TestAbstractCfgWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void layoutAndNames();
    void updateDataBeforeEveryShowing();
    void choosing_data();
    void choosing();

private:
    QScopedPointer<TMainWindow> mainWindow;
};

void TestAbstractCfgWindow::initTestCase()
{
    mainWindow.reset(new TMainWindow(nullptr, QStringLiteral("mainWindow"), true));
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow.data()));
}

void TestAbstractCfgWindow::layoutAndNames()
{
    TCountingCfgWindow window;
    QCOMPARE(window.getHeading(), QStringLiteral("GMDSS system"));
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("pCfgHeader")));
    QVERIFY(window.findChild<QFrame *>(QStringLiteral("pCfgEditingFrame")));
    QCOMPARE(window.findChild<QFrame *>(QStringLiteral("horizontalLineCenter"))->height(), 5);
    QCOMPARE(window.getShowEffect(), int(TAbstractSubWindow::GrowFromPoint));
    QCOMPARE(window.getDefaultOptionButton(), window.getOkButton());
    QCOMPARE(window.getOkButton()->objectName(), QStringLiteral("defaultOptionButton"));
    QCOMPARE(window.getOkButton()->text(), QStringLiteral("&OK"));
    QCOMPARE(window.getCancelButton()->text(), QStringLiteral("&Cancel"));
    QCOMPARE(window.getOkButton()->getOption()->getIconName(), QStringLiteral("kvgui_option_ok"));
    QCOMPARE(window.getCancelButton()->getOption()->getIconName(), QStringLiteral("kvgui_option_cancel"));
}

void TestAbstractCfgWindow::updateDataBeforeEveryShowing()
{
    TCountingCfgWindow window;
    QCOMPARE(window.updates, 0);
    window.showWindow(QPoint(400, 300));
    QCOMPARE(window.updates, 1);
    QVERIFY(!window.shownWhenUpdated);
    window.close();
    window.showWindow(QPoint(400, 300));
    QCOMPARE(window.updates, 2);
    window.close();
    QCOMPARE(window.updates, 2);
}

void TestAbstractCfgWindow::choosing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("stores");

    QTest::newRow("OK stores") << "ok" << 1;
    QTest::newRow("Return presses OK") << "return" << 1;
    QTest::newRow("Cancel closes without storing") << "cancel" << 0;
    QTest::newRow("Escape closes without storing") << "escape" << 0;
}

void TestAbstractCfgWindow::choosing()
{
    QFETCH(QString, how);
    QFETCH(int, stores);

    TCountingCfgWindow window;
    QSignalSpy stored(&window, SIGNAL(stored()));
    window.showWindow(QPoint(400, 300));
    mainWindow->forceInstantAnimationCompletion();
    TSubWindowView *view = window.getView();
    QVERIFY(view);

    if (how == QLatin1String("ok"))
        QTest::mouseClick(window.getOkButton(), Qt::LeftButton);
    else if (how == QLatin1String("cancel"))
        QTest::mouseClick(window.getCancelButton(), Qt::LeftButton);
    else if (how == QLatin1String("return"))
        QTest::keyClick(&window, Qt::Key_Return);
    else
        QTest::keyClick(&window, Qt::Key_Escape);

    QCOMPARE(window.stores, stores);
    QCOMPARE(stored.count(), stores);
    QVERIFY(!window.getView());
    QVERIFY(TAbstractSubWindow::freeFrameList.contains(view));
}

QTEST_MAIN(TestAbstractCfgWindow)
#include "tst_abstract_cfg_window.moc"
