// tst_main_window.cpp: screen changes, the stack of sub-windows by priority, the animation register
// and the dimmed still picture shown while anything animates.
#include "gui_test_support.h"
#include "kvgui_elide_label.h"
#include "kvgui_screen.h"
#include "kvgui_sub_window_border.h"
#include "kvgui_update_object.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>

#include <ctime>

static const QColor ScreenGreen(0x28, 0xa0, 0x28);
using Ints = QList<int>;
using Bools = QList<bool>;

class Screen : public TScreen
{
public:
    explicit Screen(const QString &heading, const QString &subHeading = QString())
        : TScreen(heading, subHeading, nullptr)
    {
        setStyleSheet("background-color: #28a028;");
    }
    using TScreen::setHeadingText;
    using TScreen::setSubHeadingText;
};

// The still picture dims the stack by black at alpha 160.
static bool dimmedFrom(const QColor &shown, const QColor &live)
{
    return qAbs(shown.red() - live.red() * 95 / 255) <= 2 && qAbs(shown.green() - live.green() * 95 / 255) <= 2;
}

class TestMainWindow : public GuiFixture
{
    Q_OBJECT
    Screen *showScreen(const QString &heading, const QString &subHeading = QString())
    {
        Screen *screen = new Screen(heading, subHeading);
        owned << screen;
        mainWindow->showNewScreen(screen);
        return screen;
    }
    QColor shownAt(const QPoint &p) const { return mainWindow->grab().toImage().pixelColor(p); }

private slots:
    void initTestCase()
    {
        // A zone away from UTC, so a clock in local time would show.
        qputenv("TZ", "Asia/Kolkata");
        tzset();
        QVERIFY(QDateTime::currentDateTime().offsetFromUtc() != 0);
    }

    // The title follows the current screen only, the clock shows UTC, and only distress windows
    // (priority 1) and event information stay open over a new screen.
    void screenChange()
    {
        // The minute may have turned since the clock was set.
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const QString clock = mainWindow->getTimeLabel()->text();
        QVERIFY2(clock == now.toString("hh:mm") || clock == now.addSecs(-60).toString("hh:mm"), qPrintable(clock));

        // A data source feeds the screen only while it shows.
        QObject source;
        Screen *first = new Screen("FIRST", "Menu");
        owned << first;
        auto *feed = new TUpdateObject(&source, SIGNAL(objectNameChanged(QString)), first, SLOT(setWindowTitle(QString)));
        QSignalSpy feeding(feed, SIGNAL(stateChanged(bool)));
        first->addUpdateObject(feed);
        mainWindow->showNewScreen(first);
        // Half-way through its zoom the screen's picture is half its size, in the middle of the view; the live
        // screen stays hidden till the zoom's end.
        QMetaObject::invokeMethod(mainWindow, "updateScalingStep", Q_ARG(qreal, 0.5));
        QVERIFY(first->getSnapshotItem()->transform() == QTransform(0.5, 0, 0, 0.5, 200, 132.5) && !first->isVisible());
        source.setObjectName("shown");
        first->setHeadingText("SETTINGS");
        QCOMPARE(mainWindow->getScreenLabel()->text() + "/" + mainWindow->getPageLabel()->text(), QString("SETTINGS/Menu"));
        first->setSubHeadingText("Page 2");
        // Made without a parent, it is pictured inside the window view, under the main window's style sheet.
        QVERIFY(mainWindow->getPageLabel()->text() == "Page 2" && first->parentWidget() == mainWindow->getWindowView());
        settle();
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
        source.setObjectName("stale");
        QCOMPARE(mainWindow->getScreenLabel()->text() + "/" + mainWindow->getPageLabel()->text(), QString("SECOND/"));
        QVERIFY(!first->isVisible() && first->windowTitle() == "shown");
        QCOMPARE(feeding, (QList<QList<QVariant>> { { true }, { false } }));
        settle();
        QVERIFY(second->isVisible() && mainWindow->getScene()->sceneRect() == QRectF(0, 0, 800, 530));
        // The old picture is collapsed, so it cannot show round the live new screen.
        QCOMPARE(first->getSnapshotItem()->transform().m11(), 0.0);
        QTRY_COMPARE(shownAt(QPoint(400, 300)), ScreenGreen);
    }

    // A home screen fades in; forced to its end at once, it shows fully and takes the focus.
    void homeScreenFade()
    {
        Screen *home = new Screen("HOME"); // the scene owns it once shown
        mainWindow->pHomeScreen = home;
        mainWindow->showNewScreen(home);
        QVERIFY(mainWindow->isAnimating());
        mainWindow->forceInstantAnimationCompletion();
        QVERIFY(!mainWindow->isAnimating() && home->getProxyItem()->opacity() == 1.0 && home->hasFocus());
        // A window over it takes the touches; closed, it gives them back.
        TestSubWindow *window = newWindow(2);
        window->showWindow(QPoint(200, 200));
        settle();
        QVERIFY(!home->getProxyItem()->isEnabled());
        window->getView()->close();
        settle();
        QVERIFY(home->getProxyItem()->isEnabled());
        // Escape on another screen goes back home: that one zooms out, then home fades in again, titled and focused.
        Screen *other = showScreen("OTHER");
        settle();
        QTest::keyClick(mainWindow, Qt::Key_Escape);
        settle();
        QCOMPARE(home->getProxyItem()->opacity(), 1.0);
        QVERIFY(home->hasFocus() && !other->isVisible() && mainWindow->getScreenLabel()->text() == "HOME");
    }

    // Windows shown in the order given, each opening awaited; then the topmost is closed again and
    // again, which must uncover them in the expected order.
    void stacking_data()
    {
        QTest::addColumn<Ints>("priorities");
        QTest::addColumn<Bools>("onTop");
        QTest::addColumn<Ints>("uncoverOrder");
        QTest::newRow("lower priority goes below") << Ints { 2, 1 } << Bools { true, false } << Ints { 0, 1 };
        QTest::newRow("equal priority goes on top") << Ints { 1, 1 } << Bools { true, true } << Ints { 1, 0 };
        QTest::newRow("below goes above lower views of lower prio") << Ints { 5, 1, 3 } << Bools { true, false, false } << Ints { 0, 2, 1 };
        QTest::newRow("below goes under lower views of higher priority")
            << Ints { 1, 5, 3, 4 } << Bools { true, true, false, false } << Ints { 1, 3, 2, 0 };
        QTest::newRow("equal priorities below keep their order") << Ints { 2, 1, 1 } << Bools { true, false, false } << Ints { 0, 2, 1 };
    }
    void stacking()
    {
        QFETCH(Ints, priorities);
        QFETCH(Bools, onTop);
        QFETCH(Ints, uncoverOrder);
        showScreen("FIRST");
        settle();
        QList<TSubWindowView *> views;
        for (int i = 0; i < priorities.size(); ++i) {
            TestSubWindow *window = newWindow(priorities.at(i));
            window->showWindow(QPoint(200 + 50 * i, 200));
            TSubWindowView *view = window->getView();
            views << view;
            // Only the topmost opens animated; a window shown below is complete at once, and disabled.
            QCOMPARE(QVector<bool>({ mainWindow->getTopView() == view, mainWindow->isAnimating(), view->isEnabled() }),
                QVector<bool>(3, onTop.at(i)));
            QCOMPARE(view->getBorder()->isVisibleTo(view), !onTop.at(i));
            // Priority 1 is the distress level: the frame's line is lit red from the start.
            QCOMPARE(qGreen(view->getBorder()->grab().toImage().pixel(18, 75)) < 16, priorities.at(i) == 1);
            settle();
        }
        // Shown again, the last view is restacked in the same place; the result says whether on top.
        QCOMPARE(mainWindow->showSubWindow(views.last(), false), onTop.last());
        for (TSubWindowView *view : qAsConst(views))
            QTRY_VERIFY(view->isVisible());
        QVERIFY(!mainWindow->getWindowView()->isEnabled());
        for (int index : qAsConst(uncoverOrder)) {
            QVERIFY(mainWindow->getTopView() == views.at(index) && views.at(index)->isEnabled());
            views.at(index)->close();
        }
        QVERIFY(mainWindow->getTopView() == mainWindow->getWindowView() && mainWindow->getWindowView()->isEnabled());
    }

    void animationRegister_data()
    {
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("animating");
        QTest::addColumn<int>("endCount");
        QTest::newRow("a registered widget jumps to its end") << QStringList { "set" } << true << 1;
        QTest::newRow("registering twice ends once") << QStringList { "set", "set" } << true << 1;
        QTest::newRow("a cleared widget is left alone") << QStringList { "set", "clr" } << false << 0;
        QTest::newRow("a destroyed widget is forgotten") << QStringList { "set", "delete" } << false << 0;
    }
    // A sub-window is open over a screen while a widget is registered; the rows use the register.
    void animationRegister()
    {
        QFETCH(QStringList, calls);
        QFETCH(bool, animating);
        QFETCH(int, endCount);
        showScreen("FIRST");
        settle();
        newWindow()->showWindow(QPoint(100, 100));
        settle();
        QTRY_COMPARE(shownAt(QPoint(700, 550)), ScreenGreen);

        // Any slot can end a registered widget's animation; a button's click() is easy to count.
        QPushButton *widget = new QPushButton;
        owned << widget;
        QSignalSpy ends(widget, &QPushButton::clicked);
        for (const QString &call : calls) {
            if (call == "clr")
                mainWindow->clrAnimating(widget, SLOT(click()));
            else if (call != "delete")
                mainWindow->setAnimating(widget, SLOT(click()));
            else {
                QTest::ignoreMessage(QtDebugMsg, "animating widget destroyed");
                delete widget;
            }
        }
        QCOMPARE(mainWindow->isAnimating(), animating);
        // While anything animates the stack shows as a dimmed still picture; the live stack returns
        // once nothing does.
        if (animating)
            QVERIFY2(dimmedFrom(shownAt(QPoint(700, 550)), ScreenGreen), qPrintable(shownAt(QPoint(700, 550)).name()));
        else
            QTRY_COMPARE(shownAt(QPoint(700, 550)), ScreenGreen);
        mainWindow->forceInstantAnimationCompletion();
        QCOMPARE(ends.count(), endCount);
    }

    // Every opening grabs the live stack of its own moment, not the previous still picture, and shows
    // it from the left edge.
    void stillPicture()
    {
        Screen *screen = showScreen("FIRST");
        settle();
        TestSubWindow *window = newWindow();
        for (const char *color : { "#28a028", "#a02828" }) {
            screen->setStyleSheet(QString("background-color: %1;").arg(color));
            window->showWindow(QPoint(100, 100));
            QVERIFY(mainWindow->isAnimating());
            QVERIFY2(dimmedFrom(shownAt(QPoint(0, 550)), QColor(color)), qPrintable(shownAt(QPoint(0, 550)).name()));
            window->close();
            settle();
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
