// tst_main_window.cpp
#include "kvgui_elide_label.h"
#include "kvgui_main_window.h"
#include "kvgui_screen.h"
#include "kvgui_sub_window_border.h"
#include "kvgui_sub_window_view.h"
#include "window_test_support.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <ctime>

// Exposes the protected screen change, as the application's own main window does.
class MainWindow : public TMainWindow
{
public:
    MainWindow(bool withTitleArea)
        : TMainWindow(nullptr, "MainWindow", withTitleArea)
    { }
    using TMainWindow::showNewScreen;
};

class CountingScreen : public TScreen
{
    Q_OBJECT
public:
    CountingScreen(const QString &heading, const QString &subHeading, const QColor &color = QColor(40, 160, 40))
        : TScreen(heading, subHeading, nullptr)
    {
        setStyleSheet(QString("background-color: %1;").arg(color.name()));
    }
    void prepareShow() override
    {
        ++shows;
        TScreen::prepareShow();
    }
    void prepareHide() override
    {
        ++hides;
        TScreen::prepareHide();
    }
    void rename(const QString &heading, const QString &subHeading)
    {
        setHeadingText(heading);
        setSubHeadingText(subHeading);
    }
    int shows = 0;
    int hides = 0;
};

class AnimatingWidget : public QWidget
{
    Q_OBJECT
public:
    int ends = 0;
public slots:
    void instantAnimationEnd() { ++ends; }
};

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void titleArea_data();
    void titleArea();
    void clock_data();
    void clock();
    void headings();
    void ignoredScreenChange_data();
    void ignoredScreenChange();
    void screenChange();
    void screenChangeClosesSubWindows_data();
    void screenChangeClosesSubWindows();
    void stacking_data();
    void stacking();
    void windowBelowOpensAtOnce();
    void animationRegister_data();
    void animationRegister();
    void destroyedAnimatingWidget();
    void dimmedStillPicture();
    void keys_data();
    void keys();
    void resizing_data();
    void resizing();
    void posWithinMainWindow_data();
    void posWithinMainWindow();

private:
    MainWindow *create(bool withTitleArea = true);
    CountingScreen *showScreen(const QString &heading, const QString &subHeading = QString());
    TestSubWindow *newWindow(int priority, int effect = 1);

    MainWindow *mainWindow = nullptr;
    QList<QPointer<QWidget>> owned;
    LogCapture *log = nullptr;
};

void TestMainWindow::initTestCase()
{
    // A zone away from UTC, so a clock in local time would show.
    qputenv("TZ", "Asia/Kolkata");
    tzset();
    QVERIFY(QDateTime::currentDateTime().offsetFromUtc() != 0);
}

void TestMainWindow::init()
{
    log = new LogCapture;
}

void TestMainWindow::cleanup()
{
    for (const QPointer<QWidget> &widget : qAsConst(owned))
        delete widget.data();
    owned.clear();
    delete mainWindow;
    mainWindow = nullptr;
    delete log;
}

MainWindow *TestMainWindow::create(bool withTitleArea)
{
    mainWindow = new MainWindow(withTitleArea);
    mainWindow->show();
    if (!QTest::qWaitForWindowExposed(mainWindow))
        qWarning("main window not exposed");
    mainWindow->activateWindow();
    return mainWindow;
}

CountingScreen *TestMainWindow::showScreen(const QString &heading, const QString &subHeading)
{
    CountingScreen *screen = new CountingScreen(heading, subHeading);
    owned << screen;
    mainWindow->showNewScreen(screen);
    return screen;
}

TestSubWindow *TestMainWindow::newWindow(int priority, int effect)
{
    TestSubWindow *window = new TestSubWindow(effect, 0, QSize(200, 100), priority);
    owned << window;
    return window;
}

void TestMainWindow::titleArea_data()
{
    QTest::addColumn<bool>("withTitleArea");
    QTest::addColumn<QSize>("graphicsViewSize");

    QTest::newRow("with title area") << true << QSize(800, 530);
    QTest::newRow("without title area") << false << QSize(800, 600);
}

void TestMainWindow::titleArea()
{
    QFETCH(bool, withTitleArea);
    QFETCH(QSize, graphicsViewSize);

    create(withTitleArea);
    QGraphicsView *view = mainWindow->findChild<QGraphicsView *>("pGraphicsView");
    QVERIFY(view);
    QCOMPARE(view->geometry(), QRect(QPoint(0, 600 - graphicsViewSize.height()), graphicsViewSize));

    QCOMPARE(bool(mainWindow->getTimeLabel()), withTitleArea);
    QVERIFY(!mainWindow->topWindowHasVisibleKeyborad());
}

void TestMainWindow::clock_data()
{
    QTest::addColumn<QString>("format");

    QTest::newRow("hours and minutes by default") << QString();
    QTest::newRow("a new format shows at once") << QString("hh:mm:ss");
    QTest::newRow("date and time") << QString("yyyy-MM-dd hh:mm");
}

void TestMainWindow::clock()
{
    QFETCH(QString, format);

    create();
    const QDateTime before = QDateTime::currentDateTimeUtc();
    if (format.isEmpty())
        format = "hh:mm";
    else
        mainWindow->setTimeFormat(format);
    const QString shown = mainWindow->getTimeLabel()->text();
    const QDateTime after = QDateTime::currentDateTimeUtc();
    if (format == "hh:mm")
        QCOMPARE(mainWindow->getTimeFormat(), QString("hh:mm"));
    QVERIFY2(shown == before.toString(format) || shown == after.toString(format), qPrintable(shown));
}

void TestMainWindow::headings()
{
    create();
    CountingScreen *screen = showScreen("CONFIGURATION", "Menu");
    QCOMPARE(mainWindow->getScreenLabel()->text(), QString("CONFIGURATION"));
    QCOMPARE(mainWindow->getPageLabel()->text(), QString("Menu"));
    QVERIFY(log->lines().contains("Screen:  \"CONFIGURATION\" , page:  \"Menu\""));

    screen->rename("SETTINGS", "Page 2");
    QCOMPARE(mainWindow->getScreenLabel()->text(), QString("SETTINGS"));
    QCOMPARE(mainWindow->getPageLabel()->text(), QString("Page 2"));

    // A screen that is no longer current does not change the title.
    showScreen("OTHER", "");
    screen->rename("STALE", "");
    QCOMPARE(mainWindow->getScreenLabel()->text(), QString("OTHER"));
}

void TestMainWindow::ignoredScreenChange_data()
{
    QTest::addColumn<bool>("same");

    QTest::newRow("null screen") << false;
    QTest::newRow("the current screen") << true;
}

void TestMainWindow::ignoredScreenChange()
{
    QFETCH(bool, same);

    create();
    CountingScreen *screen = showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    log->clear();
    mainWindow->showNewScreen(same ? screen : nullptr);
    QVERIFY(!mainWindow->isAnimating());
    QCOMPARE(screen->shows, 1);
    QCOMPARE(screen->hides, 0);
    QVERIFY(!log->contains("Screen: "));
    QCOMPARE(mainWindow->getCurrentScreen(), static_cast<TScreen *>(screen));
}

void TestMainWindow::screenChange()
{
    create();
    CountingScreen *first = showScreen("FIRST");
    QVERIFY(mainWindow->isAnimating());
    // Until the zoom completes only its picture is seen.
    QVERIFY(!first->isVisible());
    QVERIFY(first->getSnapshotItem());
    QVERIFY(first->getSnapshotItem()->transform().m11() < 1.0);
    QTRY_VERIFY(!mainWindow->isAnimating());
    QVERIFY(first->isVisible());
    QCOMPARE(first->geometry(), mainWindow->getGraphicsView()->geometry());
    QVERIFY(first->getSnapshotItem()->transform().isIdentity());
    QCOMPARE(mainWindow->getScene()->sceneRect(), QRectF(0, 0, 800, 530));

    CountingScreen *second = showScreen("SECOND");
    QCOMPARE(first->hides, 1);
    QVERIFY(!first->isVisible());
    QCOMPARE(second->shows, 1);
    QVERIFY(second->getSnapshotItem()->zValue() > first->getSnapshotItem()->zValue());
    QTRY_VERIFY(!mainWindow->isAnimating());
    QVERIFY(second->isVisible());
    QCOMPARE(mainWindow->getCurrentScreen(), static_cast<TScreen *>(second));
    // The old picture is collapsed, so it cannot show round the new screen.
    QCOMPARE(first->getSnapshotItem()->transform().m11(), 0.0);

    // The live screen shows, not a picture of it.
    const QImage image = mainWindow->grab().toImage();
    QCOMPARE(image.pixelColor(400, 300), QColor(40, 160, 40));
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

    create();
    showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    TestSubWindow *window = newWindow(priority);
    if (eventInfo)
        window->showEventInfo();
    else
        window->showWindow(QPoint(400, 300));
    TSubWindowView *view = window->getView();
    QVERIFY(view);
    QVERIFY(mainWindow->isAnimating());
    QVERIFY(!view->getBorder()->isVisibleTo(view));

    log->clear();
    showScreen("SECOND");
    // The opening was completed before the screen changed.
    QVERIFY(log->contains("Force animation completion"));
    if (survives) {
        QCOMPARE(window->getView(), view);
        QVERIFY(view->getBorder()->isVisibleTo(view));
        QCOMPARE(view->getBorder()->geometry(), view->getEndRect());
        QCOMPARE(mainWindow->getSubWindows(), QList<TSubWindowView *> { view });
    } else {
        QVERIFY(!window->getView());
        QVERIFY(!window->isVisible());
        QVERIFY(mainWindow->getSubWindows().isEmpty());
        QCOMPARE(mainWindow->getTopView(), mainWindow->getWindowView());
    }
    QTRY_VERIFY(!mainWindow->isAnimating());
    TAbstractSubWindow::currentEventInfos.clear();
}

// Views are stacked straight into the main window, shown in the order given; then the topmost is
// taken out again and again, which must uncover them in the expected order.
void TestMainWindow::stacking_data()
{
    QTest::addColumn<QList<int>>("priorities");
    QTest::addColumn<QList<bool>>("onTop");
    QTest::addColumn<QList<int>>("uncoverOrder");

    QTest::newRow("lower priority goes below") << QList<int> { 2, 1 } << QList<bool> { true, false } << QList<int> { 0, 1 };
    QTest::newRow("equal priority goes on top") << QList<int> { 1, 1 } << QList<bool> { true, true } << QList<int> { 1, 0 };
    QTest::newRow("higher priority goes on top") << QList<int> { 0, 3 } << QList<bool> { true, true } << QList<int> { 1, 0 };
    QTest::newRow("below goes above lower views of lower priority")
        << QList<int> { 5, 1, 3 } << QList<bool> { true, false, false } << QList<int> { 0, 2, 1 };
    QTest::newRow("below goes under lower views of higher priority")
        << QList<int> { 1, 5, 3, 4 } << QList<bool> { true, true, false, false } << QList<int> { 1, 3, 2, 0 };
    QTest::newRow("equal priorities below keep the order shown")
        << QList<int> { 2, 1, 1 } << QList<bool> { true, false, false } << QList<int> { 0, 2, 1 };
}

void TestMainWindow::stacking()
{
    QFETCH(QList<int>, priorities);
    QFETCH(QList<bool>, onTop);
    QFETCH(QList<int>, uncoverOrder);

    create();
    showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    QList<TSubWindowView *> views;
    for (int i = 0; i < priorities.size(); ++i) {
        TestSubWindow *window = newWindow(priorities.at(i));
        TSubWindowView *view = new TSubWindowView();
        view->setWindow(window);
        views << view;
        QCOMPARE(mainWindow->showSubWindow(view, false), onTop.at(i));
        if (!onTop.at(i))
            QVERIFY(log->contains("indert widget req index "));
    }
    for (TSubWindowView *view : qAsConst(views)) {
        QVERIFY(view->isVisible());
        QCOMPARE(view->isEnabled(), view == mainWindow->getTopView());
    }
    QVERIFY(!mainWindow->getWindowView()->isEnabled());

    for (int index : qAsConst(uncoverOrder)) {
        QCOMPARE(mainWindow->getTopView(), static_cast<TWindowView *>(views.at(index)));
        QVERIFY(views.at(index)->isEnabled());
        mainWindow->hideSubWindow(views.at(index));
        QVERIFY(!mainWindow->getSubWindows().contains(views.at(index)));
    }
    QCOMPARE(mainWindow->getTopView(), mainWindow->getWindowView());
    QVERIFY(mainWindow->getWindowView()->isEnabled());
}

void TestMainWindow::windowBelowOpensAtOnce()
{
    create();
    showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    TestSubWindow *high = newWindow(2);
    high->showWindow(QPoint(400, 300));
    QTRY_VERIFY(!mainWindow->isAnimating());

    TestSubWindow *low = newWindow(0);
    low->showWindow(QPoint(100, 100));
    TSubWindowView *view = low->getView();
    QVERIFY(!mainWindow->isAnimating());
    QCOMPARE(mainWindow->getTopView(), static_cast<TWindowView *>(high->getView()));
    QVERIFY(!view->isEnabled());
    QVERIFY(view->getBorder()->isVisibleTo(view));
    // Covered, yet in sight once the live stack is back.
    QTRY_VERIFY(view->isVisible());
    QCOMPARE(view->getBorder()->geometry(), view->getEndRect());

    high->close();
    QCOMPARE(mainWindow->getTopView(), static_cast<TWindowView *>(view));
    QVERIFY(view->isEnabled());
}

void TestMainWindow::animationRegister_data()
{
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("animating");
    QTest::addColumn<int>("ends");

    QTest::newRow("a registered widget jumps to its end") << QStringList { "set" } << true << 1;
    QTest::newRow("registering twice ends once") << QStringList { "set", "set" } << true << 1;
    QTest::newRow("a plain slot signature is accepted") << QStringList { "setPlain" } << true << 1;
    QTest::newRow("a cleared widget is left alone") << QStringList { "set", "clr" } << false << 0;
    QTest::newRow("clearing an unknown widget changes nothing") << QStringList { "clr" } << false << 0;
}

void TestMainWindow::animationRegister()
{
    QFETCH(QStringList, calls);
    QFETCH(bool, animating);
    QFETCH(int, ends);

    create();
    AnimatingWidget widget;
    for (const QString &call : calls) {
        if (call == "set")
            mainWindow->setAnimating(&widget, SLOT(instantAnimationEnd()));
        else if (call == "setPlain")
            mainWindow->setAnimating(&widget, "instantAnimationEnd()");
        else
            mainWindow->clrAnimating(&widget, SLOT(instantAnimationEnd()));
    }
    QCOMPARE(mainWindow->isAnimating(), animating);
    mainWindow->forceInstantAnimationCompletion();
    QVERIFY(log->lines().contains("Force animation completion"));
    QCOMPARE(widget.ends, ends);
}

void TestMainWindow::destroyedAnimatingWidget()
{
    create();
    AnimatingWidget *widget = new AnimatingWidget;
    mainWindow->setAnimating(widget, SLOT(instantAnimationEnd()));
    delete widget;
    QVERIFY(log->lines().contains("animating widget destroyed"));
    QVERIFY(!mainWindow->isAnimating());
    mainWindow->forceInstantAnimationCompletion();
}

void TestMainWindow::dimmedStillPicture()
{
    create();
    showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    TestSubWindow *window = newWindow(0);
    window->showWindow(QPoint(100, 100));
    QTRY_VERIFY(!mainWindow->isAnimating());
    const QPoint probe(700, 550);
    QTRY_COMPARE(mainWindow->grab().toImage().pixelColor(probe), QColor(40, 160, 40));

    AnimatingWidget widget;
    mainWindow->setAnimating(&widget, SLOT(instantAnimationEnd()));
    const QColor dimmed = mainWindow->grab().toImage().pixelColor(probe);
    // Black at alpha 160 over the screen's green.
    QVERIFY2(qAbs(dimmed.green() - 160 * 95 / 255) <= 2, qPrintable(dimmed.name()));
    QVERIFY2(qAbs(dimmed.red() - 40 * 95 / 255) <= 2, qPrintable(dimmed.name()));

    mainWindow->clrAnimating(&widget, SLOT(instantAnimationEnd()));
    QTRY_COMPARE(mainWindow->grab().toImage().pixelColor(probe), QColor(40, 160, 40));
}

void TestMainWindow::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("logged");

    QTest::newRow("F1 is consumed") << int(Qt::Key_F1) << int(Qt::NoModifier) << true << QString();
    QTest::newRow("Escape is consumed") << int(Qt::Key_Escape) << int(Qt::NoModifier) << true << QString();
    QTest::newRow("Alt+F11 logs the widget statistics")
        << int(Qt::Key_F11) << int(Qt::AltModifier) << true << QString("+++++ Total widgets count");
    QTest::newRow("F11 alone is consumed silently") << int(Qt::Key_F11) << int(Qt::NoModifier) << true << QString();
    QTest::newRow("F12 alone is consumed") << int(Qt::Key_F12) << int(Qt::NoModifier) << true << QString();
    QTest::newRow("other keys go on") << int(Qt::Key_A) << int(Qt::NoModifier) << false << QString();
}

void TestMainWindow::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, accepted);
    QFETCH(QString, logged);

    create();
    CountingScreen *screen = showScreen("FIRST");
    QTRY_VERIFY(!mainWindow->isAnimating());
    log->clear();
    QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QApplication::sendEvent(mainWindow, &event);
    QCOMPARE(event.isAccepted(), accepted);
    if (logged.isEmpty()) {
        QVERIFY(!log->contains("+++++"));
    } else {
        QVERIFY(log->lines().contains(logged + " " + QString::number(QApplication::allWidgets().size())));
        QVERIFY(log->lines().contains("+++++ \"TMainWindow\" count 1"));
        QVERIFY(log->lines().contains("+++++ \"TElideLabel\" count 4"));
    }
    QCOMPARE(mainWindow->getCurrentScreen(), static_cast<TScreen *>(screen));
}

void TestMainWindow::resizing_data()
{
    QTest::addColumn<bool>("withTitleArea");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRectF>("sceneRect");

    QTest::newRow("with title area at full size") << true << QSize(800, 600) << QRectF(0, 0, 800, 530);
    QTest::newRow("without title area at full size") << false << QSize(800, 600) << QRectF(0, 0, 800, 600);
    QTest::newRow("with title area, larger") << true << QSize(1024, 768) << QRectF(0, 0, 1024, 698);
}

void TestMainWindow::resizing()
{
    QFETCH(bool, withTitleArea);
    QFETCH(QSize, size);
    QFETCH(QRectF, sceneRect);

    create(withTitleArea);
    CountingScreen *screen = showScreen("FIRST");
    mainWindow->resize(size);
    QTRY_COMPARE(mainWindow->getScene()->sceneRect(), sceneRect);
    QTRY_VERIFY(!mainWindow->isAnimating());
    QCOMPARE(QRectF(screen->rect()), sceneRect);
    if (size != QSize(800, 600))
        QVERIFY(log->contains("TMainWindow::resizeEvent NEW SIZE "));
}

void TestMainWindow::posWithinMainWindow_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("a child maps into main-window coordinates") << "child" << QPoint(5, 6) << QPoint(15, 26);
    QTest::newRow("the main window maps onto itself") << "main" << QPoint(5, 6) << QPoint(5, 6);
    QTest::newRow("a widget outside the main window") << "outside" << QPoint(5, 6) << QPoint(-1, -1);
    QTest::newRow("no widget") << "null" << QPoint(5, 6) << QPoint(-1, -1);
}

void TestMainWindow::posWithinMainWindow()
{
    QFETCH(QString, widget);
    QFETCH(QPoint, point);
    QFETCH(QPoint, expected);

    create();
    QLabel *child = new QLabel("child", mainWindow->getWindowView());
    child->move(10, 20);
    QLabel outside("outside");
    owned << child;
    QWidget *w = widget == "child" ? static_cast<QWidget *>(child)
        : widget == "main"         ? static_cast<QWidget *>(mainWindow)
        : widget == "outside"      ? static_cast<QWidget *>(&outside)
                                   : nullptr;
    QCOMPARE(TMainWindow::posWithinMainWindow(w, point), expected);
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
