// tst_touch_key.cpp
#include "keyboard_test_support.h"

#include "kvgui_base_touch_keypad.h"
#include "kvgui_control_key_data.h"
#include "kvgui_standard_key_data.h"
#include "kvgui_touch_key.h"

#include <QLineEdit>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(TBaseKeyData *)

// Exposes the keypad's protected handler, as the keyboard's keys reach it.
class Keypad : public TBaseTouchKeypad
{
public:
    explicit Keypad(QWidget *parent)
        : TBaseTouchKeypad(parent)
    { }
    using TBaseTouchKeypad::keyClickedHandler;
    using TBaseTouchKeypad::lastKeyEvent;
};

class TestTouchKey : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void autoRepeat_data();
    void autoRepeat();
    void controlKeyLatches();
    void emptyKeyIsSilent();
    void disablingStopsRepeat();
    void keypadSendsToFocusWidget_data();
    void keypadSendsToFocusWidget();

private:
    TTouchKey *newKey(TBaseKeyData *kd, TTouchKey::TKeyWidth width = TTouchKey::KeyWidth58);
    void repeat(TTouchKey *key) { QMetaObject::invokeMethod(key, "repeatTimeout"); }

    QWidget *window = nullptr;
    QLineEdit *field = nullptr;
    Keypad *keypad = nullptr;
    QList<TBaseKeyData *> data;
};

void TestTouchKey::init()
{
    window = new QWidget;
    QVBoxLayout *layout = new QVBoxLayout(window);
    layout->addWidget(field = new QLineEdit(window));
    layout->addWidget(keypad = new Keypad(window));
    new QVBoxLayout(keypad);
    window->show();
    field->setFocus();
}

void TestTouchKey::cleanup()
{
    delete window;
    qDeleteAll(data);
    data.clear();
}

TTouchKey *TestTouchKey::newKey(TBaseKeyData *kd, TTouchKey::TKeyWidth width)
{
    if (kd)
        data << kd;
    TTouchKey *key = new TTouchKey(keypad, width, TTouchKey::LargeFont);
    keypad->addNewKey(key);
    keypad->layout()->addWidget(key);
    key->setKeyData(kd);
    key->show();
    return key;
}

void TestTouchKey::autoRepeat_data()
{
    // Steps: p press, r release inside, o move off the key, R release there, b move back, t repeat timer fires.
    QTest::addColumn<bool>("repeating");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("activations"); // after each step
    QTest::addColumn<QList<int>>("intervals"); // timer interval after each step, -1 stopped

    QTest::newRow("held: at press, after 500 ms, then every 50 ms")
        << true << "pttt" << QList<int> { 1, 2, 3, 4 } << QList<int> { 500, 50, 50, 50 };
    QTest::newRow("released at 200 ms: exactly one") << true << "pr" << QList<int> { 1, 1 } << QList<int> { 500, -1 };
    QTest::newRow("sliding off pauses, sliding back resumes")
        << true << "potbt" << QList<int> { 1, 1, 1, 1, 2 } << QList<int> { 500, 500, 50, 50, 50 };
    QTest::newRow("a plain key fires on release") << false << "pr" << QList<int> { 0, 1 } << QList<int> { -1, -1 };
    QTest::newRow("released off the key: nothing") << false << "poR" << QList<int> { 0, 0, 0 } << QList<int> { -1, -1, -1 };
}

void TestTouchKey::autoRepeat()
{
    QFETCH(bool, repeating);
    QFETCH(QString, steps);
    QFETCH(QList<int>, activations);
    QFETCH(QList<int>, intervals);
    TTouchKey *key = newKey(new TStandardKeyData(Qt::Key_Backspace, QString(), "Back\nspace", "kvgui_key_backspace", repeating));
    QSignalSpy spy(key, SIGNAL(keyActivated(TBaseKeyData *)));
    QTimer *timer = key->findChild<QTimer *>();
    QCOMPARE(bool(timer), repeating);
    const QPoint inside = key->rect().center();
    const QPoint outside(key->width() + 10, 5);
    for (int i = 0; i < steps.size(); ++i) {
        switch (steps.at(i).toLatin1()) {
        case 'p':
            touch(key, QEvent::MouseButtonPress, inside);
            break;
        case 'r':
            touch(key, QEvent::MouseButtonRelease, inside);
            break;
        case 'o':
            touch(key, QEvent::MouseMove, outside);
            QVERIFY(!key->isDown());
            break;
        case 'R':
            touch(key, QEvent::MouseButtonRelease, outside);
            break;
        case 'b':
            touch(key, QEvent::MouseMove, inside);
            break;
        case 't':
            repeat(key);
            break;
        }
        QCOMPARE(spy.count(), activations.at(i));
        QCOMPARE(timer && timer->isActive() ? timer->interval() : -1, intervals.at(i));
    }
}

void TestTouchKey::controlKeyLatches()
{
    TTouchKey *key = newKey(new TControlKeyData(Qt::Key_Shift, "Shift", "kvgui_key_shift"), TTouchKey::KeyWidth87);
    QCOMPARE(key->size(), QSize(87, 58));
    QCOMPARE(key->focusPolicy(), Qt::NoFocus);
    tap(key);
    QVERIFY(key->isChecked());
    QCOMPARE(window->focusWidget(), static_cast<QWidget *>(field));
    tap(key);
    QVERIFY(!key->isChecked());
    tap(key);
    TControlKeyData *other = new TControlKeyData(Qt::Key_CapsLock, "Caps\nLock", QString());
    data << other;
    key->setKeyData(other);
    QVERIFY(!key->isChecked());
}

void TestTouchKey::emptyKeyIsSilent()
{
    TTouchKey *key = newKey(nullptr, TTouchKey::KeyWidth294);
    QCOMPARE(key->getBackgroundPixmapName(), QString("kvgui_key294"));
    QSignalSpy spy(key, SIGNAL(keyActivated(TBaseKeyData *)));
    tap(key);
    key->setChecked(true);
    QCOMPARE(spy.count(), 0);
    QVERIFY(!key->isChecked());
    QVERIFY(!key->grab().isNull());
}

void TestTouchKey::disablingStopsRepeat()
{
    TTouchKey *key = newKey(new TStandardKeyData(Qt::Key_Left, QString(), QString(), "kvgui_key_arrow_left", true));
    touch(key, QEvent::MouseButtonPress, key->rect().center());
    key->setEnabled(false);
    QVERIFY(!key->isDown());
    QVERIFY(!key->findChild<QTimer *>()->isActive());
    // New data without repeat drops the timer.
    TStandardKeyData *plain = new TStandardKeyData(Qt::Key_A, "a", QString(), QString(), false);
    data << plain;
    key->setKeyData(plain);
    QTRY_VERIFY(!key->findChild<QTimer *>());
}

void TestTouchKey::keypadSendsToFocusWidget_data()
{
    QTest::addColumn<bool>("withData");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<QString>("typed");

    QTest::newRow("a letter reaches the focused field") << true << "x" << true << "x";
    QTest::newRow("null key data sends nothing") << false << "x" << true << "";
    QTest::newRow("a window without focus widget receives nothing") << true << "x" << false << "";
}

void TestTouchKey::keypadSendsToFocusWidget()
{
    QFETCH(bool, withData);
    QFETCH(QString, text);
    QFETCH(bool, focused);
    QFETCH(QString, typed);
    if (!focused) {
        field->clearFocus();
        QVERIFY(!window->focusWidget());
    }
    TStandardKeyData kd(Qt::Key_X, text, QString(), QString(), false);
    keypad->keyClickedHandler(withData ? &kd : nullptr);
    QCOMPARE(field->text(), typed);
    // Only the very event the keypad sent is its own; an equal one from a keyboard is not.
    QKeyEvent physical(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, text);
    QVERIFY(!keypad->isTouchKeyboredEvent(&physical));
    QVERIFY(!keypad->isTouchKeyboredEvent(nullptr));
    QCOMPARE(keypad->isTouchKeyboredEvent(keypad->lastKeyEvent), withData);
}

QTEST_MAIN(TestTouchKey)
#include "tst_touch_key.moc"
