// tst_home_screen.cpp: a main window with a home screen (the configuration application keeps none):
// the first fade-in, returns by Escape, and which sub-windows a return leaves open.
#include "kvgui_screen.h"
#include "kvgui_sub_window_view.h"
#include "window_test_support.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>

class HomeMainWindow : public MainWindow
{
public:
    HomeMainWindow()
        : MainWindow(true)
        , home(new TScreen("Home", "", nullptr))
    {
        pHomeScreen = home;
    }
    ~HomeMainWindow() override
    {
        // The scene owns the proxy and with it the home screen.
        if (!home->getProxyItem())
            delete home;
    }
    TScreen *home;
};

class TestHomeScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstShowFadesIn();
    void escape_data();
    void escape();
    void returnKeepsPriorityOneWindows();

private:
    void showAndComplete(TScreen *screen);

    HomeMainWindow *mainWindow = nullptr;
    TScreen *other = nullptr;
    QList<QPointer<QWidget>> owned;
};

void TestHomeScreen::init()
{
    mainWindow = new HomeMainWindow();
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    mainWindow->activateWindow();
    other = new TScreen("Other", "", mainWindow);
}

void TestHomeScreen::cleanup()
{
    qDeleteAll(owned);
    owned.clear();
    delete mainWindow;
}

void TestHomeScreen::showAndComplete(TScreen *screen)
{
    mainWindow->showNewScreen(screen);
    mainWindow->forceInstantAnimationCompletion();
    QCOMPARE(mainWindow->getCurrentScreen(), screen);
}

void TestHomeScreen::firstShowFadesIn()
{
    mainWindow->showNewScreen(mainWindow->home);
    QGraphicsProxyWidget *proxy = mainWindow->home->getProxyItem();
    QVERIFY(proxy);
    QCOMPARE(proxy->scene(), mainWindow->getScene());
    QCOMPARE(mainWindow->home->size(), mainWindow->getGraphicsView()->size());
    QCOMPARE(proxy->opacity(), 0.0);
    QVERIFY(mainWindow->isAnimating());
    QTRY_COMPARE_WITH_TIMEOUT(proxy->opacity(), 1.0, 3000);
    QTRY_VERIFY(!mainWindow->isAnimating());

    // Another screen hides it; showing it again embeds no second proxy.
    showAndComplete(other);
    QCOMPARE(proxy->opacity(), 0.0);
    showAndComplete(mainWindow->home);
    QCOMPARE(mainWindow->home->getProxyItem(), proxy);
    QCOMPARE(proxy->opacity(), 1.0);
}

void TestHomeScreen::escape_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("returns");
    QTest::newRow("returns home by the zoom out") << "plain" << true;
    QTest::newRow("not while a sub-window is open") << "window" << false;
    QTest::newRow("not when the screen keeps Escape") << "keeps" << false;
}

void TestHomeScreen::escape()
{
    QFETCH(QString, situation);
    QFETCH(bool, returns);
    showAndComplete(mainWindow->home);
    showAndComplete(other);
    if (situation == "window") {
        TestSubWindow *window = new TestSubWindow(0, QSize(200, 100), 1);
        owned << window;
        window->showWindow(QPoint(400, 300));
        mainWindow->forceInstantAnimationCompletion();
    }
    other->setUseEscapeClose(situation != "keeps");

    QTest::keyClick(mainWindow, Qt::Key_Escape);
    QCOMPARE(mainWindow->getCurrentScreen(), returns ? mainWindow->home : other);
    if (!returns)
        return;
    // The old screen's picture shrinks away first, then the home screen fades in.
    QGraphicsPixmapItem *snapshot = other->getSnapshotItem();
    QVERIFY(snapshot);
    QCOMPARE(mainWindow->home->getProxyItem()->opacity(), 0.0);
    QTRY_VERIFY_WITH_TIMEOUT(snapshot->transform().m11() < 0.9, 3000);
    QCOMPARE(mainWindow->home->getProxyItem()->opacity(), 0.0);
    QTRY_COMPARE_WITH_TIMEOUT(mainWindow->home->getProxyItem()->opacity(), 1.0, 3000);
    QCOMPARE(snapshot->transform().m11(), 0.0);
    QVERIFY(!other->isVisible());
}

void TestHomeScreen::returnKeepsPriorityOneWindows()
{
    showAndComplete(mainWindow->home);
    showAndComplete(other);
    TestSubWindow *survivor = new TestSubWindow(1, QSize(200, 100), 1);
    TestSubWindow *ordinary = new TestSubWindow(0, QSize(200, 100), 1);
    owned << survivor << ordinary;
    survivor->showWindow(QPoint(400, 300));
    ordinary->showWindow(QPoint(300, 200));
    mainWindow->forceInstantAnimationCompletion();

    showAndComplete(mainWindow->home);
    QCOMPARE(mainWindow->getSubWindows().size(), 1);
    QCOMPARE(mainWindow->getSubWindows().first()->getWindow(), survivor);
    // The live home screen takes no touches while a sub-window lies over it.
    QVERIFY(!mainWindow->home->getProxyItem()->isEnabled());
    survivor->close();
    QVERIFY(mainWindow->home->getProxyItem()->isEnabled());
}

QTEST_MAIN(TestHomeScreen)
#include "tst_home_screen.moc"
