// tst_main_window.cpp
#include "kvgui_elide_label.h"
#include "kvgui_screen.h"
#include "kvgui_sub_window_border.h"
#include "kvgui_sub_window_view.h"
#include "window_test_support.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QTimeLine>

#include <ctime>

static const QColor ScreenGreen(0x28, 0xa0, 0x28);
using Ints = QList<int>;
using Bools = QList<bool>;

class Screen : public TScreen
{
    Q_OBJECT
public:
    explicit Screen(const QString &heading, const QString &subHeading = QString())
        : TScreen(heading, subHeading, nullptr)
    {
        setStyleSheet("background-color: #28a028;");
    }
    using TScreen::setHeadingText;
    using TScreen::setSubHeadingText;
};

class TestMainWindow : public WindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase();
    void titleArea();
    void screenChange();
    void zoomOfHiddenWindow_data();
    void zoomOfHiddenWindow();
    void screenChangeClosesSubWindows_data();
    void screenChangeClosesSubWindows();
    void stacking_data();
    void stacking();
    void animationRegister_data();
    void animationRegister();
    void resizing_data();
    void resizing();

private:
    Screen *showScreen(const QString &heading, const QString &subHeading = QString())
    {
        Screen *screen = new Screen(heading, subHeading);
        owned << screen;
        mainWindow->showNewScreen(screen);
        return screen;
    }
};

void TestMainWindow::initTestCase()
{
    // A zone away from UTC, so a clock in local time would show.
    qputenv("TZ", "Asia/Kolkata");
    tzset();
    QVERIFY(QDateTime::currentDateTime().offsetFromUtc() != 0);
}

void TestMainWindow::titleArea()
{
    // The minute may have turned since the clock was set.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString clock = mainWindow->getTimeLabel()->text();
    QVERIFY2(clock == now.toString("hh:mm") || clock == now.addSecs(-60).toString("hh:mm"), qPrintable(clock));

    Screen *screen = showScreen("CONFIGURATION", "Menu");
    QCOMPARE(mainWindow->getScreenLabel()->text(), QString("CONFIGURATION"));
    QCOMPARE(mainWindow->getPageLabel()->text(), QString("Menu"));
    screen->setHeadingText("SETTINGS");
    screen->setSubHeadingText("Page 2");
    QCOMPARE(mainWindow->getScreenLabel()->text(), QString("SETTINGS"));
    QCOMPARE(mainWindow->getPageLabel()->text(), QString("Page 2"));
    // A screen that is no longer current does not change the title.
    showScreen("OTHER");
    screen->setHeadingText("STALE");
    QCOMPARE(mainWindow->getScreenLabel()->text(), QString("OTHER"));
}

void TestMainWindow::screenChange()
{
    Screen *first = showScreen("FIRST");
    // Until the zoom completes only its picture is seen.
    QVERIFY(mainWindow->isAnimating());
    QVERIFY(!first->isVisible());
    QVERIFY(first->getSnapshotItem()->transform().m11() < 1.0);
    QTRY_VERIFY(!mainWindow->isAnimating());
    QCOMPARE(first->geometry(), mainWindow->getGraphicsView()->geometry());

    // No screen, or the current one again, changes nothing.
    mainWindow->showNewScreen(nullptr);
    mainWindow->showNewScreen(first);
    QVERIFY(!mainWindow->isAnimating());
    QVERIFY(first->isVisible());
    QVERIFY(mainWindow->getCurrentScreen() == first);

    Screen *second = showScreen("SECOND");
    QVERIFY(!first->isVisible());
    QVERIFY(second->getSnapshotItem()->zValue() > first->getSnapshotItem()->zValue());
    QTRY_VERIFY(!mainWindow->isAnimating());
    QVERIFY(second->isVisible());
    // The old picture is collapsed, so it cannot show round the live new screen.
    QCOMPARE(first->getSnapshotItem()->transform().m11(), 0.0);
    QCOMPARE(mainWindow->grab().toImage().pixelColor(400, 300), ScreenGreen);
}

void TestMainWindow::zoomOfHiddenWindow_data()
{
    QTest::addColumn<bool>("forced");

    QTest::newRow("runs once the window is shown") << false;
    QTest::newRow("forced to its end before the window is shown") << true;
}

void TestMainWindow::zoomOfHiddenWindow()
{
    QFETCH(bool, forced);
    delete mainWindow;
    mainWindow = new MainWindow(true);
    Screen *screen = showScreen("FIRST");
    QTimeLine *scaling = nullptr;
    for (QTimeLine *timeLine : mainWindow->getGraphicsView()->findChildren<QTimeLine *>())
        if (timeLine->duration() == 400)
            scaling = timeLine;
    QVERIFY(scaling);
    // Nothing of the zoom can be seen yet: it waits, and so does its picture.
    QVERIFY(mainWindow->isAnimating());
    QCOMPARE(scaling->state(), QTimeLine::NotRunning);
    QVERIFY(screen->getSnapshotItem()->pixmap().isNull());

    if (forced) {
        mainWindow->forceInstantAnimationCompletion();
        QVERIFY(!mainWindow->isAnimating());
        QVERIFY(screen->getSnapshotItem()->transform().isIdentity());
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    } else {
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        QCOMPARE(scaling->state(), QTimeLine::Running);
        QTRY_VERIFY(!mainWindow->isAnimating());
    }
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->getSnapshotItem()->pixmap().toImage().pixelColor(400, 300), ScreenGreen);
}

void TestMainWindow::screenChangeClosesSubWindows_data()
{
    QTest::addColumn<int>("priority");
    QTest::addColumn<bool>("eventInfo");
    QTest::addColumn<bool>("survives");

    QTest::newRow("an ordinary window closes") << 0 << false << false;
    QTest::newRow("a window of priority 2 closes") << 2 << false << false;
    QTest::newRow("a window of priority 1 survives") << 1 << false << true;
    QTest::newRow("event information survives") << 0 << true << true;
}

void TestMainWindow::screenChangeClosesSubWindows()
{
    QFETCH(int, priority);
    QFETCH(bool, eventInfo);
    QFETCH(bool, survives);

    showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    TestSubWindow *window = newWindow(priority);
    if (eventInfo)
        window->showEventInfo();
    else
        window->showWindow(QPoint(400, 300));
    TSubWindowView *view = window->getView();
    QVERIFY(mainWindow->isAnimating());

    showScreen("SECOND");
    // The opening was completed before the screen changed.
    QVERIFY(view->getBorder()->isVisibleTo(view));
    QCOMPARE(view->getBorder()->geometry(), view->getEndRect());
    QCOMPARE(window->getView() == view, survives);
    QCOMPARE(mainWindow->getTopView() == view, survives);
    QCOMPARE(mainWindow->getSubWindows().contains(view), survives);
}

// Windows shown in the order given, each opening awaited; then the topmost is closed again and
// again, which must uncover them in the expected order.
void TestMainWindow::stacking_data()
{
    QTest::addColumn<QList<int>>("priorities");
    QTest::addColumn<QList<bool>>("onTop");
    QTest::addColumn<QList<int>>("uncoverOrder");

    QTest::newRow("lower priority goes below") << Ints { 2, 1 } << Bools { true, false } << Ints { 0, 1 };
    QTest::newRow("equal priority goes on top") << Ints { 1, 1 } << Bools { true, true } << Ints { 1, 0 };
    QTest::newRow("below goes above lower views of lower priority") << Ints { 5, 1, 3 } << Bools { true, false, false } << Ints { 0, 2, 1 };
    QTest::newRow("below goes under lower views of higher priority")
        << Ints { 1, 5, 3, 4 } << Bools { true, true, false, false } << Ints { 1, 3, 2, 0 };
    QTest::newRow("equal priorities below keep the order shown") << Ints { 2, 1, 1 } << Bools { true, false, false } << Ints { 0, 2, 1 };
}

void TestMainWindow::stacking()
{
    QFETCH(QList<int>, priorities);
    QFETCH(QList<bool>, onTop);
    QFETCH(QList<int>, uncoverOrder);

    showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    QList<TSubWindowView *> views;
    for (int i = 0; i < priorities.size(); ++i) {
        TestSubWindow *window = newWindow(priorities.at(i));
        window->showWindow(QPoint(200 + 50 * i, 200));
        TSubWindowView *view = window->getView();
        views << view;
        QCOMPARE(mainWindow->getTopView() == view, onTop.at(i));
        // Only the topmost opens animated; a window shown below is complete at once, and disabled.
        QCOMPARE(mainWindow->isAnimating(), onTop.at(i));
        QCOMPARE(view->getBorder()->isVisibleTo(view), !onTop.at(i));
        QCOMPARE(view->isEnabled(), onTop.at(i));
        // Priority 1 is the distress level.
        QCOMPARE(view->getBorder()->getDistress(), priorities.at(i) == 1);
        QTRY_VERIFY(!mainWindow->isAnimating());
        QCOMPARE(view->getBorder()->geometry(), view->getEndRect());
    }
    // Shown again, the last view is restacked in the same place; the result says whether on top.
    QCOMPARE(mainWindow->showSubWindow(views.last(), false), onTop.last());
    for (TSubWindowView *view : qAsConst(views))
        QTRY_VERIFY(view->isVisible());
    QVERIFY(!mainWindow->getWindowView()->isEnabled());

    for (int index : qAsConst(uncoverOrder)) {
        QCOMPARE(mainWindow->getTopView(), static_cast<TWindowView *>(views.at(index)));
        QVERIFY(views.at(index)->isEnabled());
        views.at(index)->close();
    }
    QCOMPARE(mainWindow->getTopView(), mainWindow->getWindowView());
    QVERIFY(mainWindow->getWindowView()->isEnabled());
}

void TestMainWindow::animationRegister_data()
{
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("animating");
    QTest::addColumn<int>("endCount");

    QTest::newRow("a registered widget jumps to its end") << QStringList { "set" } << true << 1;
    QTest::newRow("registering twice ends once") << QStringList { "set", "set" } << true << 1;
    QTest::newRow("a plain slot signature is accepted") << QStringList { "setPlain" } << true << 1;
    QTest::newRow("a cleared widget is left alone") << QStringList { "set", "clr" } << false << 0;
    QTest::newRow("a destroyed widget is forgotten") << QStringList { "set", "delete" } << false << 0;
}

// A sub-window is open over a screen while a widget is registered; the rows use the register.
void TestMainWindow::animationRegister()
{
    QFETCH(QStringList, calls);
    QFETCH(bool, animating);
    QFETCH(int, endCount);

    showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    newWindow()->showWindow(QPoint(100, 100));
    QTRY_VERIFY(!mainWindow->isAnimating());
    const auto belowWindow = [this] { return mainWindow->grab().toImage().pixelColor(700, 550); };
    QTRY_COMPARE(belowWindow(), ScreenGreen);

    // Any slot can end a registered widget's animation; a button's click() is easy to count.
    QPushButton *widget = new QPushButton;
    owned << widget;
    QSignalSpy ends(widget, &QPushButton::clicked);
    for (const QString &call : calls) {
        if (call == "set")
            mainWindow->setAnimating(widget, SLOT(click()));
        else if (call == "setPlain")
            mainWindow->setAnimating(widget, "click()");
        else if (call == "clr")
            mainWindow->clrAnimating(widget, SLOT(click()));
        else {
            QTest::ignoreMessage(QtDebugMsg, "animating widget destroyed");
            delete widget;
        }
    }
    QCOMPARE(mainWindow->isAnimating(), animating);
    // While anything animates, the stack shows as a still picture, dimmed by black at alpha 160;
    // the live stack returns once nothing does.
    const QColor shown = belowWindow();
    if (animating)
        QVERIFY2(qAbs(shown.green() - 160 * 95 / 255) <= 2 && qAbs(shown.red() - 40 * 95 / 255) <= 2, qPrintable(shown.name()));
    else
        QTRY_COMPARE(belowWindow(), ScreenGreen);
    mainWindow->forceInstantAnimationCompletion();
    QCOMPARE(ends.count(), endCount);
}

// The scene follows the window below the title area; a sub-window's 250 x 150 frame, opened
// at the given place, is moved back into sight when the window shrinks.
void TestMainWindow::resizing_data()
{
    QTest::addColumn<bool>("withTitleArea");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("sceneSize");
    QTest::addColumn<QPoint>("windowAt");
    QTest::addColumn<QPoint>("frameAt");

    QTest::newRow("with title area") << true << QSize(800, 600) << QSize(800, 530) << QPoint(500, 400) << QPoint(475, 375);
    QTest::newRow("without title area") << false << QSize(800, 600) << QSize(800, 600) << QPoint(500, 400) << QPoint(475, 375);
    QTest::newRow("larger, the frame stays") << true << QSize(1024, 768) << QSize(1024, 698) << QPoint(500, 400) << QPoint(475, 375);
    QTest::newRow("shorter, a frame past the bottom moves up")
        << true << QSize(800, 500) << QSize(800, 430) << QPoint(500, 400) << QPoint(475, 350);
    QTest::newRow("a frame past the right edge moves left")
        << true << QSize(800, 500) << QSize(800, 430) << QPoint(700, 100) << QPoint(550, 75);
}

void TestMainWindow::resizing()
{
    QFETCH(bool, withTitleArea);
    QFETCH(QSize, size);
    QFETCH(QSize, sceneSize);
    QFETCH(QPoint, windowAt);
    QFETCH(QPoint, frameAt);

    if (!withTitleArea)
        create(false);
    Screen *screen = showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    TestSubWindow *window = newWindow();
    window->showWindow(windowAt, windowAt, nullptr);
    TSubWindowView *view = window->getView();
    QTRY_VERIFY(!mainWindow->isAnimating());
    mainWindow->setMinimumSize(0, 0);
    mainWindow->getWindowView()->setMinimumSize(0, 0);
    mainWindow->resize(size);
    QTRY_COMPARE(view->size(), size);
    QCOMPARE(mainWindow->getScene()->sceneRect(), QRectF(QPointF(0, 0), sceneSize));
    // Below the unit's 800 x 600 the screen keeps its minimum size; only the scene shrinks.
    if (size.height() >= 600)
        QTRY_COMPARE(screen->size(), sceneSize);
    QCOMPARE(view->getBorder()->geometry(), QRect(frameAt, QSize(250, 150)));
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
