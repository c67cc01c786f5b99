// tst_sub_window_view.cpp: the view that carries a sub-window into the main window's stack: its
// opening and pooling, the keys reaching the window and the view, and the keyboard seat below the window.
#include "gui_test_support.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_sub_window_border.h"
#include "kvgui_touch_key.h"
#include "kvgui_touch_keyboard.h"

#include <QGraphicsScene>
#include <QLineEdit>
#include <QTimeLine>

class TestSubWindowView : public GuiFixture
{
    Q_OBJECT
private slots:
    // A 200 x 100 window opened from (300, 200) to its place at (100, 150), and closed while it
    // opens; the pooled view then carries a 150 x 80 window to the same place.
    void opening_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QRect>("startRect");
        QTest::newRow("grows out of the start point") << 1 << QRect(300, 200, 0, 0);
        QTest::newRow("unfolds sideways") << 2 << QRect(275, 175, 50, 150);
        QTest::newRow("slides from the start point") << 0 << QRect(275, 175, 250, 150);
    }
    void opening()
    {
        QFETCH(int, effect);
        QFETCH(QRect, startRect);
        TestSubWindow *window = newWindow(0, QSize(200, 100), effect);
        window->showWindow(QPoint(300, 200), QPoint(100, 150), nullptr);
        TSubWindowView *view = window->getView();
        QVERIFY(view->getStartRect() == startRect && view->getEndRect() == QRect(75, 125, 250, 150));
        // Unfolding lays the frame out at every step; the other effects scale one picture of it.
        view->setFrontGeometry(QRect(80, 130, 120, 60));
        QCOMPARE(view->getBorder()->geometry() == QRect(80, 130, 120, 60), effect == 2);
        // Mid-way, the window's picture fills the front rectangle over the dimmed screen around it.
        const QImage frame = view->grab().toImage();
        QVERIFY(frame.pixel(140, 160) != frame.pixel(79, 129));
        view->close();
        QVERIFY(!mainWindow->isAnimating() && !view->getWindow() && !window->getView() && !window->isVisible() && view->holds(window));

        TestSubWindow *next = newWindow(0, QSize(150, 80), effect);
        next->showWindow(QPoint(300, 200), QPoint(100, 150), nullptr);
        QVERIFY(next->getView() == view && !window->parent());
        mainWindow->forceInstantAnimationCompletion(); // the frame must stay at its end, not follow the steps left
        QTest::qWait(200);
        QVERIFY(view->getBorder()->isVisible() && view->getBorder()->geometry() == QRect(75, 125, 200, 130));
        QCOMPARE(next->mapTo(mainWindow, QPoint(0, 0)), QPoint(100, 150));
    }

    // Keys sent to a shown window whose first button has the focus, or to its view. The window takes
    // Escape, the focus moves and Return for an enabled default button; the view takes the first two
    // while on top. A covered view's keys travel on to the main window, which consumes Escape, not Tab.
    void keys_data()
    {
        QTest::addColumn<QString>("to"); // the window, its view, or its view covered by another window
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("setup"); // of the window's OK button
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("outcome"); // closed, unchanged, the button with the focus, or OK chosen
        const auto row = [](const char *name, const char *to, int key, const char *setup, bool accepted, const char *outcome) {
            QTest::newRow(name) << QString(to) << key << QString(setup) << accepted << QString(outcome);
        };
        const int esc = Qt::Key_Escape, tab = Qt::Key_Tab, ret = Qt::Key_Return;
        row("Escape on the topmost view closes it", "view", esc, "", true, "closed");
        row("Escape on a covered view does nothing", "covered", esc, "", true, "unchanged");
        row("Tab on the topmost view moves the focus", "view", tab, "", true, "second");
        row("Up on the topmost view moves the focus back", "view", Qt::Key_Up, "", true, "second");
        row("Tab on a covered view does nothing", "covered", tab, "", false, "unchanged");
        row("other keys are left to the view's parent", "view", Qt::Key_A, "", false, "first");
        row("Return presses the enabled default button", "window", ret, "default", true, "chosen");
        row("Return on a disabled default button does nothing", "window", ret, "disabled default", false, "first");
        row("Return without a default button goes on to the parent", "window", ret, "", false, "first");
        row("Return after the default button is deleted goes on", "window", ret, "deleted default", false, "first");
        row("Escape closes the window", "window", esc, "default", true, "closed");
        row("Escape is swallowed without escape-close", "window", esc, "no escape-close", true, "first");
    }
    void keys()
    {
        QFETCH(QString, to);
        QFETCH(int, key);
        QFETCH(QString, setup);
        QFETCH(bool, accepted);
        QFETCH(QString, outcome);
        TestSubWindow *window = newWindow();
        auto *ok = new TOption(QStringLiteral("&OK"), window);
        if (setup.contains("default")) {
            auto *button = new TOptionButton(ok, window);
            window->setDefaultOptionButton(button);
            if (setup == "deleted default")
                delete button;
        }
        ok->setEnabled(setup != "disabled default");
        window->setUseEscapeClose(setup != "no escape-close");
        window->showWindow(QPoint(400, 300));
        TSubWindowView *view = window->getView();
        settle();
        window->first->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(window->first));
        if (to == "covered")
            newWindow(0, QSize(100, 50))->showWindow(QPoint(600, 400));
        QWidget *focus = QApplication::focusWidget();
        QSignalSpy chosen(ok, SIGNAL(selected(QWidget *)));

        QWidget *target = to == "window" ? static_cast<QWidget *>(window) : view;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QCOMPARE(press.isAccepted(), accepted);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier); // the default button is clicked on release
        QApplication::sendEvent(target, &release);
        QCOMPARE((QVector<int> { int(chosen.count()), !window->getView(), mainWindow->getSubWindows().contains(view) }),
            (QVector<int> { outcome == "chosen", outcome == "closed", outcome != "closed" }));
        if (outcome == "unchanged")
            QCOMPARE(QApplication::focusWidget(), focus);
        else if (outcome == "first" || outcome == "second")
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(outcome == "first" ? window->first : window->second));
    }

    // A main window made smaller again, narrower and then only lower, keeps an open window's frame inside
    // it, and its scene fits it.
    void frameKeptInsideOnResize()
    {
        mainWindow->resize(1000, 700);
        TestSubWindow *window = newWindow();
        window->showWindow(QPoint(400, 300), QPoint(750, 550), nullptr);
        settle();
        mainWindow->resize(800, 700);
        mainWindow->resize(800, 600);
        QTRY_COMPARE(window->getView()->getBorder()->geometry(), QRect(550, 450, 250, 150));
        QCOMPARE(mainWindow->getScene()->sceneRect(), QRectF(0, 0, 800, 530)); // below the title area
    }

    // A 300 x 200 window placed at (100, 300): its frame ends at (75, 275) 350 x 250. Each row puts
    // the frame somewhere and reports a keyboard height.
    void keyboardHeight_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<int>("keyboard");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("a frame too low moves up by the shortfall") << QRect(75, 275, 350, 250) << 228 << QRect(75, 135, 350, 250);
        QTest::newRow("the move stops at 37, the rest comes off the height") << QRect(75, 60, 350, 250) << 340 << QRect(75, 37, 350, 236);
        QTest::newRow("a frame above 38 keeps its top and loses height") << QRect(75, 30, 350, 250) << 340 << QRect(75, 30, 350, 243);
        QTest::newRow("room again grows the frame back to its end height") << QRect(75, 37, 350, 200) << 100 << QRect(75, 37, 350, 250);
        QTest::newRow("growing back takes at most the free room") << QRect(75, 37, 350, 200) << 350 << QRect(75, 37, 350, 226);
    }
    void keyboardHeight()
    {
        QFETCH(QRect, frame);
        QFETCH(int, keyboard);
        QFETCH(QRect, expected);
        TestSubWindow *window = newWindow(0, QSize(300, 200));
        window->showWindow(QPoint(400, 300), QPoint(100, 300), nullptr);
        TSubWindowView *view = window->getView();
        settle();
        view->getBorder()->setGeometry(frame);
        QVERIFY(QMetaObject::invokeMethod(view, "handleKeyboardHeightChanged", Q_ARG(int, keyboard)));
        QCOMPARE(view->getBorder()->geometry(), expected);
    }

    // The keyboard seat: slid in under windows that want it, found open by the next window, hidden
    // again when the window goes. (A window that wants none shows none in the review pictures.)
    void keyboardSeat_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("end"); // how the window goes: closed, destroyed
        QTest::newRow("a user-hidden keyboard stays closed") << int(TAbstractSubWindow::KeyboardUserHidden) << false << "closed";
        QTest::newRow("slid in, hidden when the window closes") << int(TAbstractSubWindow::KeyboardRoom) << true << "closed";
        QTest::newRow("slid in, hidden when the window is destroyed") << int(TAbstractSubWindow::KeyboardRoom) << true << "destroyed";
    }
    void keyboardSeat()
    {
        QFETCH(int, flags);
        QFETCH(bool, shown);
        QFETCH(QString, end);
        // A window with a text field, that asks its view for the keyboard through its option flags.
        const auto textWindow = [&](const QSize &size) {
            TestSubWindow *window = newWindow(0, size, int(TAbstractSubWindow::GrowFromPoint), flags);
            window->layout()->addWidget(new QLineEdit(window));
            window->setDefaultFocusWidget(window->findChild<QLineEdit *>());
            return window;
        };
        TestSubWindow *window = textWindow(QSize(200, 100));
        window->showWindow(QPoint(400, 300), QPoint(100, 350), nullptr);
        TSubWindowView *view = window->getView();
        settle();
        TTouchKeyboard *keyboard = view->findChild<TTouchKeyboard *>();
        // Opened low, its frame rises with the keyboard as that slides in.
        QVERIFY(keyboard && mainWindow->topWindowHasVisibleKeyborad() == shown && view->getBorder()->y() == (shown ? 223 : 325));
        if (!shown)
            return;
        tap(keyboard->getKeys().at(0));
        QCOMPARE(window->findChild<QLineEdit *>()->text(), QString("q"));
        // A second window finds it open: no second slide, and its live frame sits above it too.
        TestSubWindow *second = textWindow(QSize(150, 200));
        second->showWindow(QPoint(400, 300), QPoint(300, 300), nullptr);
        QVERIFY(second->getView()->getKeyboard()->isShown()
            && second->getView()->getKeyboard()->getTimeLine()->state() == QTimeLine::NotRunning);
        settle();
        QCOMPARE(second->getView()->getBorder()->geometry(), QRect(275, 123, 200, 250));
        second->close();
        settle();

        QSignalSpy hidding(keyboard, SIGNAL(hidding(THiddingReason)));
        if (end == "destroyed")
            delete window;
        else
            window->close();
        QVERIFY(hidding.count() == 1 && hidding.at(0).at(0).value<THiddingReason>() == HIDDING_BY_REQUEST);
        QVERIFY(keyboard->isHidden() && !mainWindow->topWindowHasVisibleKeyborad() && !mainWindow->isAnimating());
    }
};

QTEST_MAIN(TestSubWindowView)
#include "tst_sub_window_view.moc"
