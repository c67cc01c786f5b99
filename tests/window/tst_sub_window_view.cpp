// tst_sub_window_view.cpp
#include "kvgui_sub_window_border.h"
#include "kvgui_sub_window_view.h"
#include "window_test_support.h"

// The view that carries a sub-window into the main window's stack. Its base, the plain window
// view, shows only as such a layer; its focus memory is tested here too.
class TestSubWindowView : public WindowFixture
{
    Q_OBJECT
private slots:
    void opening_data();
    void opening();
    void heldWindow_data();
    void heldWindow();
    void keys_data();
    void keys();
    void keyboardHeight_data();
    void keyboardHeight();
    void focusMemory_data();
    void focusMemory();
    void preparedView();
};

// A 200 x 100 window opened from (300, 200) to its place at (100, 150), and closed while it
// opens; the pooled view then carries a 150 x 80 window to the same place.
void TestSubWindowView::opening_data()
{
    QTest::addColumn<int>("effect");
    QTest::addColumn<bool>("foldUpDown");
    QTest::addColumn<QRect>("startRect");

    QTest::newRow("grows out of the start point") << 1 << false << QRect(300, 200, 0, 0);
    QTest::newRow("unfolds sideways") << 2 << false << QRect(275, 175, 50, 150);
    QTest::newRow("unfolds downwards") << 2 << true << QRect(275, 175, 250, 50);
    QTest::newRow("slides from the start point") << 0 << false << QRect(275, 175, 250, 150);
}

void TestSubWindowView::opening()
{
    QFETCH(int, effect);
    QFETCH(bool, foldUpDown);
    QFETCH(QRect, startRect);

    TestSubWindow *window = newWindow(0, QSize(200, 100), effect);
    if (foldUpDown)
        window->foldUpDown();
    window->showWindow(QPoint(300, 200), QPoint(100, 150), nullptr);
    TSubWindowView *view = window->getView();
    QCOMPARE(view->getStartRect(), startRect);
    QCOMPARE(view->getEndRect(), QRect(75, 125, 250, 150));
    // The opening moves a still picture; the live frame waits for its end.
    QVERIFY(mainWindow->isAnimating());
    QVERIFY(!view->getBorder()->isVisibleTo(view));

    view->close();
    QVERIFY(!mainWindow->isAnimating());
    QVERIFY(!view->getWindow() && !window->getView());
    QVERIFY(!window->isVisible() && view->holds(window));
    QCOMPARE(mainWindow->getTopView(), mainWindow->getWindowView());
    QVERIFY(mainWindow->getWindowView()->isEnabled());

    TestSubWindow *next = newWindow(0, QSize(150, 80), effect);
    next->showWindow(QPoint(300, 200), QPoint(100, 150), nullptr);
    QCOMPARE(next->getView(), view);
    QVERIFY(!window->parent());
    QTRY_VERIFY(!mainWindow->isAnimating());
    QVERIFY(view->getBorder()->isVisible());
    QCOMPARE(view->getBorder()->geometry(), QRect(75, 125, 200, 130));
    QCOMPARE(next->mapTo(mainWindow, QPoint(0, 0)), QPoint(100, 150));
}

// A closed window stays in its view, to be shown again without moving; whichever of the two goes
// first, the other stays usable.
void TestSubWindowView::heldWindow_data()
{
    QTest::addColumn<bool>("mainWindowFirst");

    QTest::newRow("a view destroyed with its main window lets the window go") << true;
    QTest::newRow("a window deleted while held leaves the view to the next one") << false;
}

void TestSubWindowView::heldWindow()
{
    QFETCH(bool, mainWindowFirst);

    QPointer<TestSubWindow> window = newWindow();
    window->showWindow(QPoint(400, 300));
    TSubWindowView *view = window->getView();
    QTRY_VERIFY(!mainWindow->isAnimating());
    window->close();
    window->showWindow(QPoint(400, 300));
    QCOMPARE(window->getView(), view);
    QTRY_VERIFY(!mainWindow->isAnimating());
    window->close();

    if (mainWindowFirst) {
        create(true);
        QVERIFY(window && !window->parent());
    } else {
        delete window;
    }
    TestSubWindow *next = mainWindowFirst ? window.data() : newWindow();
    next->showWindow(QPoint(400, 300));
    QTRY_VERIFY(!mainWindow->isAnimating());
    QVERIFY(next->isVisible());
    QCOMPARE(next->window(), static_cast<QWidget *>(mainWindow));
}

// Keys sent to a view whose first button has the focus. A covered view's keys travel on to the
// main window, which consumes Escape but not Tab.
void TestSubWindowView::keys_data()
{
    QTest::addColumn<bool>("covered");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("outcome");

    QTest::newRow("Escape on the topmost view closes it") << false << int(Qt::Key_Escape) << true << "closed";
    QTest::newRow("Escape on a covered view does nothing") << true << int(Qt::Key_Escape) << true << "unchanged";
    QTest::newRow("Tab on the topmost view moves the focus") << false << int(Qt::Key_Tab) << true << "second";
    QTest::newRow("Up on the topmost view moves the focus back") << false << int(Qt::Key_Up) << true << "second";
    QTest::newRow("Tab on a covered view does nothing") << true << int(Qt::Key_Tab) << false << "unchanged";
    QTest::newRow("other keys are left to the parent") << false << int(Qt::Key_A) << false << "first";
}

void TestSubWindowView::keys()
{
    QFETCH(bool, covered);
    QFETCH(int, key);
    QFETCH(bool, accepted);
    QFETCH(QString, outcome);

    TestSubWindow *window = newWindow();
    window->showWindow(QPoint(400, 300));
    TSubWindowView *view = window->getView();
    QTRY_VERIFY(!mainWindow->isAnimating());
    window->first->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(window->first));
    if (covered)
        newWindow(0, QSize(100, 50))->showWindow(QPoint(600, 400));
    QWidget *focus = QApplication::focusWidget();

    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    QCOMPARE(press.isAccepted(), accepted);
    // Only the keys the view acts on are taken on release too.
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(view, &release);
    QCOMPARE(release.isAccepted(), outcome == "second");
    QCOMPARE(window->getView() == nullptr, outcome == "closed");
    QCOMPARE(mainWindow->getSubWindows().contains(view), outcome != "closed");
    if (outcome == "unchanged")
        QCOMPARE(QApplication::focusWidget(), focus);
    else if (outcome != "closed")
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(outcome == "first" ? window->first : window->second));
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

    TestSubWindow *window = newWindow(0, QSize(300, 200));
    window->showWindow(QPoint(400, 300), QPoint(100, 300), nullptr);
    TSubWindowView *view = window->getView();
    QTRY_VERIFY(!mainWindow->isAnimating());
    view->getBorder()->setGeometry(frame);
    QVERIFY(QMetaObject::invokeMethod(view, "handleKeyboardHeightChanged", Q_ARG(int, keyboard)));
    QCOMPARE(view->getBorder()->geometry(), expected);
}

// The focus a covered layer had comes back when it is uncovered.
void TestSubWindowView::focusMemory_data()
{
    QTest::addColumn<bool>("destroyFocused");

    QTest::newRow("uncovering gives the focus back to the remembered widget") << false;
    QTest::newRow("a destroyed remembered widget leaves the focus to the view") << true;
}

void TestSubWindowView::focusMemory()
{
    QFETCH(bool, destroyFocused);

    TestSubWindow *lower = newWindow();
    lower->showWindow(QPoint(400, 300));
    QTRY_VERIFY(!mainWindow->isAnimating());
    lower->second->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(lower->second));

    TSubWindowView *lowerView = lower->getView();
    TestSubWindow *upper = newWindow();
    upper->showWindow(QPoint(400, 300));
    QVERIFY(!lowerView->isEnabled());
    QTRY_VERIFY(!mainWindow->isAnimating());
    if (destroyFocused)
        delete lower->second;
    upper->close();

    QVERIFY(lowerView->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), destroyFocused ? static_cast<QWidget *>(lowerView) : lower->second);
}

QTEST_MAIN(TestSubWindowView)
// While the first screen is read, a view is made ready, once; the first window opens in it.
void TestSubWindowView::preparedView()
{
    QTRY_COMPARE(TAbstractSubWindow::freeFrameList.size(), 1);
    TSubWindowView *prepared = TAbstractSubWindow::freeFrameList.first();
    TAbstractSubWindow::prepareView();
    QCOMPARE(TAbstractSubWindow::freeFrameList.size(), 1);
    TestSubWindow *window = newWindow();
    window->showWindow(QPoint(400, 300));
    QCOMPARE(window->getView(), prepared);
    QVERIFY(TAbstractSubWindow::freeFrameList.isEmpty());
}

#include "tst_sub_window_view.moc"
