// tst_sub_window_view.cpp
#include "kvgui_main_window.h"
#include "kvgui_sub_window_border.h"
#include "kvgui_sub_window_view.h"
#include "window_test_support.h"

#include <QPointer>
#include <QtTest>

class TestSubWindowView : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openingEffects_data();
    void openingEffects();
    void distress_data();
    void distress();
    void keys_data();
    void keys();
    void keyboardHeight_data();
    void keyboardHeight();
    void closing();
    void windowDestroyedWhileShown();
    void resizing_data();
    void resizing();

private:
    TestSubWindow *newWindow(int effect, const QSize &size, int priority = 0);

    TMainWindow *mainWindow = nullptr;
    QList<QPointer<TestSubWindow>> windows;
    LogCapture *log = nullptr;
};

void TestSubWindowView::init()
{
    log = new LogCapture;
    mainWindow = new TMainWindow(nullptr, "MainWindow", true);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    mainWindow->activateWindow();
}

void TestSubWindowView::cleanup()
{
    for (const QPointer<TestSubWindow> &window : qAsConst(windows))
        delete window.data();
    windows.clear();
    delete mainWindow;
    delete log;
}

TestSubWindow *TestSubWindowView::newWindow(int effect, const QSize &size, int priority)
{
    TestSubWindow *window = new TestSubWindow(effect, 0, size, priority);
    windows << window;
    return window;
}

// A 200 x 100 window opened from (300, 200) to its place at (100, 150).
void TestSubWindowView::openingEffects_data()
{
    QTest::addColumn<int>("effect");
    QTest::addColumn<bool>("foldUpDown");
    QTest::addColumn<QRect>("startRect");

    QTest::newRow("grows out of the start point") << 1 << false << QRect(300, 200, 0, 0);
    QTest::newRow("unfolds sideways") << 2 << false << QRect(275, 175, 50, 150);
    QTest::newRow("unfolds downwards") << 2 << true << QRect(275, 175, 250, 50);
    QTest::newRow("slides from the start point") << 0 << false << QRect(275, 175, 250, 150);
}

void TestSubWindowView::openingEffects()
{
    QFETCH(int, effect);
    QFETCH(bool, foldUpDown);
    QFETCH(QRect, startRect);

    TestSubWindow *window = newWindow(effect, QSize(200, 100));
    if (foldUpDown)
        window->foldUpDown();
    window->showWindow(QPoint(300, 200), QPoint(100, 150), nullptr);
    TSubWindowView *view = window->getView();
    const QRect endRect(75, 125, 250, 150);
    QCOMPARE(view->getStartRect(), startRect);
    QCOMPARE(view->getEndRect(), endRect);

    // The opening moves a still picture; the live frame waits for its end.
    QVERIFY(mainWindow->isAnimating());
    QVERIFY(!view->getBorder()->isVisibleTo(view));
    QCOMPARE(mainWindow->getTopView(), static_cast<TWindowView *>(view));

    QTRY_VERIFY(!mainWindow->isAnimating());
    QVERIFY(view->getBorder()->isVisible());
    QCOMPARE(view->getBorder()->geometry(), endRect);
    QCOMPARE(view->getFrontGeometry(), endRect);
    QCOMPARE(window->mapTo(mainWindow, QPoint(0, 0)), QPoint(100, 150));
    QCOMPARE(QApplication::focusWidget() == window || window->isAncestorOf(QApplication::focusWidget()), true);

    // The live frame is what shows in the end: the window's button is at its place.
    const QImage image = mainWindow->grab().toImage();
    const QPoint buttonCentre = window->first->mapTo(mainWindow, window->first->rect().center());
    QCOMPARE(image.pixelColor(buttonCentre), window->first->grab().toImage().pixelColor(window->first->rect().center()));
}

void TestSubWindowView::distress_data()
{
    QTest::addColumn<int>("priority");
    QTest::addColumn<bool>("distress");

    QTest::newRow("an ordinary window has a calm border") << 0 << false;
    QTest::newRow("priority 1 puts the border in distress") << 1 << true;
    QTest::newRow("priority 2 has a calm border") << 2 << false;
}

void TestSubWindowView::distress()
{
    QFETCH(int, priority);
    QFETCH(bool, distress);

    TestSubWindow *window = newWindow(1, QSize(200, 100), priority);
    window->showWindow(QPoint(400, 300));
    QCOMPARE(window->getView()->getBorder()->getDistress(), distress);
    QCOMPARE(window->getView()->getPriority(), priority);
}

void TestSubWindowView::keys_data()
{
    QTest::addColumn<bool>("covered");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("movesFocus");

    QTest::newRow("Escape on the topmost view closes it") << false << int(Qt::Key_Escape) << true << false;
    QTest::newRow("Escape on a covered view does nothing") << true << int(Qt::Key_Escape) << false << false;
    QTest::newRow("Tab on the topmost view moves the focus") << false << int(Qt::Key_Tab) << false << true;
    QTest::newRow("Down on the topmost view moves the focus") << false << int(Qt::Key_Down) << false << true;
    QTest::newRow("Up on the topmost view moves the focus back") << false << int(Qt::Key_Up) << false << true;
    QTest::newRow("Tab on a covered view does nothing") << true << int(Qt::Key_Tab) << false << false;
    QTest::newRow("other keys are left to the parent") << false << int(Qt::Key_A) << false << false;
}

void TestSubWindowView::keys()
{
    QFETCH(bool, covered);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(bool, movesFocus);

    TestSubWindow *window = newWindow(1, QSize(200, 100));
    window->showWindow(QPoint(400, 300));
    TSubWindowView *view = window->getView();
    QTRY_VERIFY(!mainWindow->isAnimating());
    window->first->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(window->first));
    if (covered) {
        newWindow(1, QSize(100, 50))->showWindow(QPoint(600, 400));
        QVERIFY(!view->isEnabled());
    }

    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(view, &release);
    // A covered view's keys travel on to the main window, which may take them.
    if (!covered) {
        QCOMPARE(press.isAccepted(), closes || movesFocus);
        QCOMPARE(release.isAccepted(), movesFocus);
    }

    QCOMPARE(window->getView() == nullptr, closes);
    QCOMPARE(mainWindow->getSubWindows().contains(view), !closes);
    if (movesFocus)
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(window->second));
    else if (!closes && !covered)
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(window->first));
    if (covered)
        QVERIFY(!window->isAncestorOf(QApplication::focusWidget()));
}

// A 300 x 200 window placed at (100, 300): its frame ends at (75, 275) 350 x 250. Each row puts
// the frame somewhere and reports a keyboard height.
void TestSubWindowView::keyboardHeight_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<int>("keyboard");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("a frame that fits stays") << QRect(75, 275, 350, 250) << 0 << QRect(75, 275, 350, 250);
    QTest::newRow("a frame too low moves up by the shortfall") << QRect(75, 275, 350, 250) << 228 << QRect(75, 135, 350, 250);
    QTest::newRow("the move stops at 37 and the rest comes off the height") << QRect(75, 60, 350, 250) << 340 << QRect(75, 37, 350, 236);
    QTest::newRow("a frame at 38 may still move up to 37") << QRect(75, 38, 350, 250) << 330 << QRect(75, 37, 350, 246);
    QTest::newRow("a frame above 38 keeps its top and loses height") << QRect(75, 30, 350, 250) << 340 << QRect(75, 30, 350, 243);
    QTest::newRow("room again grows the frame back to its end height") << QRect(75, 37, 350, 200) << 100 << QRect(75, 37, 350, 250);
    QTest::newRow("growing back takes at most the free room") << QRect(75, 37, 350, 200) << 350 << QRect(75, 37, 350, 226);
}

void TestSubWindowView::keyboardHeight()
{
    QFETCH(QRect, frame);
    QFETCH(int, keyboard);
    QFETCH(QRect, expected);

    TestSubWindow *window = newWindow(1, QSize(300, 200));
    window->showWindow(QPoint(400, 300), QPoint(100, 300), nullptr);
    TSubWindowView *view = window->getView();
    QTRY_VERIFY(!mainWindow->isAnimating());
    QCOMPARE(view->getEndRect(), QRect(75, 275, 350, 250));

    view->getBorder()->setGeometry(frame);
    QVERIFY(QMetaObject::invokeMethod(view, "handleKeyboardHeightChanged", Q_ARG(int, keyboard)));
    QCOMPARE(view->getBorder()->geometry(), expected);
    QVERIFY(view->getBorder()->y() >= 37 || frame.y() < 37);
    QCOMPARE(view->getKeyboard(), static_cast<QWidget *>(nullptr));
}

void TestSubWindowView::closing()
{
    TestSubWindow *window = newWindow(1, QSize(200, 100));
    window->showWindow(QPoint(400, 300));
    TSubWindowView *view = window->getView();
    // Closed in the middle of its opening.
    QVERIFY(mainWindow->isAnimating());
    view->close();
    QVERIFY(!mainWindow->isAnimating());
    QVERIFY(!view->isClosing());
    QVERIFY(!view->getWindow());
    QVERIFY(!window->isVisible());
    QVERIFY(!window->parent());
    QVERIFY(!window->getView());
    QCOMPARE(TAbstractSubWindow::freeFrameList.count(view), 1);
    QCOMPARE(mainWindow->getTopView(), mainWindow->getWindowView());

    // The pooled view carries the next window.
    window->close();
    QCOMPARE(TAbstractSubWindow::freeFrameList.count(view), 1);
    TestSubWindow *next = newWindow(1, QSize(150, 80));
    next->showWindow(QPoint(400, 300));
    QCOMPARE(next->getView(), view);
    QTRY_VERIFY(!mainWindow->isAnimating());
    QCOMPARE(view->getBorder()->geometry().size(), QSize(200, 130));
}

void TestSubWindowView::windowDestroyedWhileShown()
{
    TestSubWindow *window = newWindow(1, QSize(200, 100));
    window->showWindow(QPoint(400, 300));
    TSubWindowView *view = window->getView();
    QVERIFY(mainWindow->isAnimating());
    delete window;
    QVERIFY(!mainWindow->isAnimating());
    QVERIFY(!view->getWindow());
    QVERIFY(mainWindow->getSubWindows().isEmpty());
    QCOMPARE(mainWindow->getTopView(), mainWindow->getWindowView());
    QVERIFY(mainWindow->getWindowView()->isEnabled());
}

void TestSubWindowView::resizing_data()
{
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<QSize>("newSize");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<bool>("logged");

    QTest::newRow("a frame inside the new size stays") << QPoint(100, 100) << QSize(800, 500) << QRect(75, 75, 250, 150) << false;
    QTest::newRow("a frame past the bottom moves up") << QPoint(500, 400) << QSize(800, 500) << QRect(475, 350, 250, 150) << true;
    QTest::newRow("a frame past the right edge moves left") << QPoint(700, 100) << QSize(800, 500) << QRect(550, 75, 250, 150) << true;
    QTest::newRow("a larger size leaves the frame") << QPoint(500, 400) << QSize(1024, 768) << QRect(475, 375, 250, 150) << false;
}

void TestSubWindowView::resizing()
{
    QFETCH(QPoint, end);
    QFETCH(QSize, newSize);
    QFETCH(QRect, expected);
    QFETCH(bool, logged);

    TestSubWindow *window = newWindow(1, QSize(200, 100));
    window->showWindow(end, end, nullptr);
    TSubWindowView *view = window->getView();
    QTRY_VERIFY(!mainWindow->isAnimating());
    mainWindow->setMinimumSize(0, 0);
    mainWindow->getWindowView()->setMinimumSize(0, 0);
    mainWindow->resize(newSize);
    QTRY_COMPARE(view->size(), newSize);
    QCOMPARE(view->getBorder()->geometry(), expected);
    QCOMPARE(log->contains("Sub-windows moved to stay visible"), logged);
}

QTEST_MAIN(TestSubWindowView)
#include "tst_sub_window_view.moc"
