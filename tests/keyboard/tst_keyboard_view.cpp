// tst_keyboard_view.cpp
#include "../window/window_test_support.h"
#include "keyboard_test_support.h"

#include "kvgui_base_key_data.h"
#include "kvgui_sub_window_border.h"
#include "kvgui_sub_window_view.h"
#include "kvgui_touch_key.h"
#include "kvgui_touch_keyboard.h"

#include <QLineEdit>

// A window with one text field that asks its view for the keyboard through its option flags.
class TextWindow : public TAbstractSubWindow
{
    Q_OBJECT
public:
    TextWindow(int flags, const QSize &size)
        : TAbstractSubWindow(GrowFromPoint, flags)
    {
        setFixedSize(size);
        QVBoxLayout *layout = new QVBoxLayout(this);
        layout->addWidget(field = new QLineEdit(this));
        setDefaultFocusWidget(field);
    }
    QLineEdit *field;
};

// The keyboard seat of a sub-window view: built on first need, slid in under windows that want
// it, the frame kept above it, hidden again when the window goes.
class TestKeyboardView : public WindowFixture
{
    Q_OBJECT
private slots:
    void noKeyboardUnlessWanted();
    void slidesInUnderTheWindow_data();
    void slidesInUnderTheWindow();
    void secondWindowFindsItOpen();
    void hiddenWhenTheWindowGoes_data();
    void hiddenWhenTheWindowGoes();

private:
    TextWindow *show(int flags, const QSize &size, const QPoint &end)
    {
        TextWindow *window = new TextWindow(flags, size);
        owned << window;
        window->showWindow(QPoint(400, 300), end, nullptr);
        return window;
    }
    void settle() { QTRY_VERIFY(!mainWindow->isAnimating()); }
};

void TestKeyboardView::noKeyboardUnlessWanted()
{
    TextWindow *window = show(0, QSize(200, 100), QPoint(100, 150));
    settle();
    QVERIFY(!window->getView()->findChild<TTouchKeyboard *>());
    QVERIFY(!mainWindow->topWindowHasVisibleKeyborad());
}

void TestKeyboardView::slidesInUnderTheWindow_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QRect>("frame");

    QTest::newRow("a low window moves up above the keyboard")
        << 1 << QPoint(100, 300) << QSize(200, 200) << true << QRect(75, 123, 250, 250);
    QTest::newRow("a tall window stops at 37 and gives up height")
        << 1 << QPoint(100, 100) << QSize(200, 400) << true << QRect(75, 37, 250, 336);
    QTest::newRow("a user-hidden keyboard stays closed") << 2 << QPoint(100, 300) << QSize(200, 200) << false << QRect(75, 275, 250, 250);
}

void TestKeyboardView::slidesInUnderTheWindow()
{
    QFETCH(int, flags);
    QFETCH(QPoint, end);
    QFETCH(QSize, size);
    QFETCH(bool, shown);
    QFETCH(QRect, frame);
    TextWindow *window = show(flags, size, end);
    TSubWindowView *view = window->getView();
    settle();
    TTouchKeyboard *keyboard = view->findChild<TTouchKeyboard *>();
    QVERIFY(keyboard);
    QCOMPARE(keyboard->getUserHide(), flags == 2);
    QCOMPARE(mainWindow->topWindowHasVisibleKeyborad(), shown);
    QCOMPARE(view->getBorder()->geometry(), frame);
    if (!shown)
        return;
    QCOMPARE(keyboard->geometry(), QRect(0, 360, 800, 240));
    // The keys type into the window's field.
    tap(keyboard->getKeys().at(0));
    QCOMPARE(window->field->text(), QString("q"));
}

void TestKeyboardView::secondWindowFindsItOpen()
{
    show(1, QSize(200, 100), QPoint(100, 150));
    settle();
    TextWindow *second = show(1, QSize(150, 200), QPoint(300, 300));
    // There at once, without a second slide.
    TTouchKeyboard *keyboard = second->getView()->getKeyboard();
    QVERIFY(keyboard->isShown());
    QCOMPARE(keyboard->maximumHeight(), 240);
    QCOMPARE(keyboard->getTimeLine()->state(), QTimeLine::NotRunning);
    // The live frame that replaces the opening picture sits above that keyboard too.
    settle();
    QCOMPARE(second->getView()->getBorder()->geometry(), QRect(275, 123, 200, 250));
}

void TestKeyboardView::hiddenWhenTheWindowGoes_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("closed") << false;
    QTest::newRow("destroyed") << true;
}

void TestKeyboardView::hiddenWhenTheWindowGoes()
{
    QFETCH(bool, destroy);
    TextWindow *window = show(1, QSize(200, 100), QPoint(100, 150));
    TSubWindowView *view = window->getView();
    settle();
    TTouchKeyboard *keyboard = view->getKeyboard();
    QSignalSpy hidding(keyboard, SIGNAL(hidding(THiddingReason)));
    if (destroy)
        delete window;
    else
        window->close();
    QCOMPARE(hidding.count(), 1);
    QCOMPARE(hidding.at(0).at(0).value<THiddingReason>(), HIDDING_BY_REQUEST);
    QVERIFY(keyboard->isHidden());
    QVERIFY(!mainWindow->topWindowHasVisibleKeyborad());
    QVERIFY(!mainWindow->isAnimating());
}

QTEST_MAIN(TestKeyboardView)
#include "tst_keyboard_view.moc"
