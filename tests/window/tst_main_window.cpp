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

// Counts the events of one type that reach a widget.
class EventCounter : public QObject
{
public:
    EventCounter(QObject *watched, QEvent::Type type)
        : type(type)
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == type;
        return false;
    }
    const QEvent::Type type;
    int count = 0;
};

class TestMainWindow : public WindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase();
    void zoom_data();
    void zoom();
    void screenChange();
    void stacking_data();
    void stacking();
    void animationRegister_data();
    void animationRegister();
    void resizing_data();
    void resizing();
    void stillEachOpening();
    void coveredClosedWhileOpening();
    void firstFrameWork();

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

void TestMainWindow::zoom_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("a shown window zooms at once") << "shown";
    QTest::newRow("a hidden window zooms once it is shown") << "hidden";
    QTest::newRow("a hidden window's zoom forced to its end before showing") << "forced";
}

void TestMainWindow::zoom()
{
    QFETCH(QString, window);
    if (window != "shown") {
        delete mainWindow;
        mainWindow = new MainWindow(true);
    }
    Screen *screen = showScreen("FIRST");
    QTimeLine *scaling = nullptr;
    for (QTimeLine *timeLine : mainWindow->getGraphicsView()->findChildren<QTimeLine *>())
        if (timeLine->duration() == 400)
            scaling = timeLine;
    QVERIFY(scaling);
    // Until the zoom completes only its picture is seen; on a hidden window it waits, and so does its picture.
    QVERIFY(mainWindow->isAnimating());
    QVERIFY(!screen->isVisible());
    QCOMPARE(scaling->state() == QTimeLine::Running, window == "shown");
    QVERIFY(screen->getSnapshotItem()->transform().m11() < 1.0);
    QVERIFY(screen->getSnapshotItem()->pixmap().isNull());
    if (window == "forced") {
        mainWindow->forceInstantAnimationCompletion();
        QVERIFY(!mainWindow->isAnimating());
        QVERIFY(screen->getSnapshotItem()->transform().isIdentity());
    }
    if (window != "shown") {
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        QCOMPARE(scaling->state() == QTimeLine::Running, window == "hidden");
    }
    QTRY_VERIFY(!mainWindow->isAnimating());
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->geometry(), mainWindow->getGraphicsView()->geometry());
    QCOMPARE(screen->getSnapshotItem()->pixmap().toImage().pixelColor(400, 300), ScreenGreen);
}

// The title follows the current screen only, the clock shows UTC, and only distress windows (priority 1)
// and event information stay open over a new screen.
void TestMainWindow::screenChange()
{
    // The minute may have turned since the clock was set.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString clock = mainWindow->getTimeLabel()->text();
    QVERIFY2(clock == now.toString("hh:mm") || clock == now.addSecs(-60).toString("hh:mm"), qPrintable(clock));

    Screen *first = showScreen("FIRST", "Menu");
    first->setHeadingText("SETTINGS");
    QCOMPARE(mainWindow->getScreenLabel()->text() + "/" + mainWindow->getPageLabel()->text(), QString("SETTINGS/Menu"));
    first->setSubHeadingText("Page 2");
    QCOMPARE(mainWindow->getPageLabel()->text(), QString("Page 2"));
    QTRY_VERIFY(!mainWindow->isAnimating());
    // No screen, or the current one again, changes nothing.
    mainWindow->showNewScreen(nullptr);
    mainWindow->showNewScreen(first);
    QVERIFY(!mainWindow->isAnimating() && first->isVisible());

    QList<TSubWindowView *> views;
    for (int priority : { 0, 2, 1, -1 }) { // -1: event information of priority 0
        TestSubWindow *window = newWindow(qMax(priority, 0));
        if (priority < 0)
            window->showEventInfo();
        else
            window->showWindow(QPoint(650, 500)); // clear of the screen's middle
        views << window->getView();
    }
    QVERIFY(mainWindow->isAnimating());
    Screen *second = showScreen("SECOND");
    // The openings were completed before the screen changed.
    for (TSubWindowView *view : qAsConst(views))
        QVERIFY(view->getBorder()->isVisibleTo(view) && view->getBorder()->geometry() == view->getEndRect());
    QCOMPARE(mainWindow->getSubWindows(), (QList<TSubWindowView *> { views.at(2), views.at(3) }));
    first->setHeadingText("STALE");
    QCOMPARE(mainWindow->getScreenLabel()->text() + "/" + mainWindow->getPageLabel()->text(), QString("SECOND/"));
    QVERIFY(!first->isVisible());
    QVERIFY(second->getSnapshotItem()->zValue() > first->getSnapshotItem()->zValue());
    QTRY_VERIFY(!mainWindow->isAnimating());
    QVERIFY(second->isVisible());
    // The old picture is collapsed, so it cannot show round the live new screen.
    QCOMPARE(first->getSnapshotItem()->transform().m11(), 0.0);
    QTRY_COMPARE(mainWindow->grab().toImage().pixelColor(400, 300), ScreenGreen);
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
    Screen *screen = showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    // Stacking never moves a view to another parent, which would restyle the whole screen.
    EventCounter restyled(screen, QEvent::StyleChange);
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
    QCOMPARE(restyled.count, 0);
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
    QTest::newRow("larger, without title area") << false << QSize(1024, 768) << QSize(1024, 768) << QPoint(500, 400) << QPoint(475, 375);
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

// Every opening grabs the stack of its own moment into the same picture, dimmed once.
void TestMainWindow::stillEachOpening()
{
    Screen *screen = showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    TestSubWindow *window = newWindow();
    for (const char *color : { "#28a028", "#a02828", "#28a028" }) {
        screen->setStyleSheet(QString("background-color: %1;").arg(color));
        window->showWindow(QPoint(100, 100));
        QVERIFY(mainWindow->isAnimating());
        const QColor expected(color);
        const QColor shown = mainWindow->grab().toImage().pixelColor(700, 550);
        QVERIFY2(qAbs(shown.red() - expected.red() * 95 / 255) <= 2 && qAbs(shown.green() - expected.green() * 95 / 255) <= 2,
            qPrintable(shown.name()));
        window->close();
        QTRY_VERIFY(!mainWindow->isAnimating());
    }
}

// A covered window closed while another opens leaves the still picture behind the opening one.
void TestMainWindow::coveredClosedWhileOpening()
{
    showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    TestSubWindow *covered = newWindow();
    covered->showWindow(QPoint(200, 200));
    QTRY_VERIFY(!mainWindow->isAnimating());
    const QPoint inCovered = covered->getView()->getBorder()->geometry().center();
    newWindow()->showWindow(QPoint(600, 450));
    QVERIFY(mainWindow->isAnimating());
    const auto shown = [&] { return mainWindow->grab().toImage().pixelColor(inCovered); };
    const QColor dimmedGreen(40 * 95 / 255, 160 * 95 / 255, 40 * 95 / 255);
    const auto isDimmedGreen
        = [&](const QColor &c) { return qAbs(c.red() - dimmedGreen.red()) <= 2 && qAbs(c.green() - dimmedGreen.green()) <= 2; };
    QVERIFY2(!isDimmedGreen(shown()), qPrintable(shown().name()));
    covered->getView()->close();
    QVERIFY(mainWindow->isAnimating());
    QVERIFY2(isDimmedGreen(shown()), qPrintable(shown().name()));
}

// Work asked for before the first frame waits for it; work asked for later runs from the event loop.
void TestMainWindow::firstFrameWork()
{
    delete mainWindow;
    mainWindow = new MainWindow(true);
    QStringList ran;
    mainWindow->whenFirstFrameDrawn([&ran] { ran << "before"; });
    QCoreApplication::processEvents();
    QVERIFY(ran.isEmpty());
    mainWindow->show();
    QTRY_COMPARE(ran, QStringList { "before" });
    mainWindow->whenFirstFrameDrawn([&ran] { ran << "after"; });
    QCOMPARE(ran.size(), 1);
    QTRY_COMPARE(ran, (QStringList { "before", "after" }));
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
