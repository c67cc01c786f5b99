// tst_touch_keyboard.cpp
#include "keyboard_test_support.h"

#include "kvgui_base_key_data.h"
#include "kvgui_char_set_validator.h"
#include "kvgui_icon_button.h"
#include "kvgui_line_edit.h"
#include "kvgui_stylesheet.h"
#include "kvgui_touch_key.h"
#include "kvgui_touch_keyboard.h"

#include <QLabel>
#include <QTimeLine>
#include <QVBoxLayout>

// Exposes the event the keyboard sent last, which is what the field received.
class Keyboard : public TTouchKeyboard
{
public:
    explicit Keyboard(QWidget *parent)
        : TTouchKeyboard(false, parent)
    { }
    using TTouchKeyboard::lastKeyEvent;
};

class TestTouchKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typing_data();
    void typing();
    void keyEventsSent_data();
    void keyEventsSent();
    void stateByCharacterSet_data();
    void stateByCharacterSet();
    void repeatedRequestsChangeNothing();
    void unknownValues();
    void physicalKeyClosesUserHideable_data();
    void physicalKeyClosesUserHideable();
    void hideKeyFollowsUserHide();
    void slideOpensAndCloses();
    void lookInBothModes_data();
    void lookInBothModes();

private:
    void type(const QString &taps);
    QString rowText(int first, int count) const;

    QWidget *window = nullptr;
    Keyboard *keyboard = nullptr;
    TLineEdit *field = nullptr;
};

void TestTouchKeyboard::init()
{
    window = new QWidget;
    QVBoxLayout *layout = new QVBoxLayout(window);
    keyboard = new Keyboard(window);
    field = new TLineEdit(keyboard, false, window, false);
    layout->addWidget(field);
    layout->addWidget(keyboard);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    field->setFocus();
}

void TestTouchKeyboard::cleanup()
{
    delete window;
}

// Taps keys by the labels they show; the control keys and arrows by short names.
void TestTouchKeyboard::type(const QString &taps)
{
    for (const QString &tap : taps.split(' ', Qt::SkipEmptyParts)) {
        QWidget *target = nullptr;
        if (tap == "Caps")
            target = keyboard->getCapsLockKey();
        else if (tap == "Shift")
            target = keyboard->getShiftKey();
        else if (tap == "CY")
            target = keyboard->getCyrillicToggleKey();
        else if (tap == "123")
            target = keyboard->getSymbolsKey();
        else if (tap == "PageDown")
            target = keyboard->getSymbolArrowDown();
        for (TTouchKey *key : keyboard->getKeys()) {
            if (target || key->isHidden() || !key->getKeyData())
                continue;
            const TBaseKeyData *kd = key->getKeyData();
            if (kd->getName() == tap || (tap == "Back" && kd->getKey() == Qt::Key_Backspace)
                || (tap == "Left" && kd->getKey() == Qt::Key_Left))
                target = key;
        }
        QVERIFY2(target && !target->isHidden(), qPrintable("no visible key " + tap));
        ::tap(target);
    }
}

// The labels of `count` keys from key index `first`, blank for a key without data.
QString TestTouchKeyboard::rowText(int first, int count) const
{
    QString text;
    for (int i = first; i < first + count; ++i) {
        const TBaseKeyData *kd = keyboard->getKeys().at(i)->getKeyData();
        text += kd ? kd->getName() : QString(" ");
    }
    return text;
}

void TestTouchKeyboard::typing_data()
{
    QTest::addColumn<int>("set"); // the field's, which it passes on to the keyboard
    QTest::addColumn<QString>("taps");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("state");

    const int ascii = TCharSetValidator::CHAR_SET_ASCII;
    QTest::newRow("shift is one-shot") << ascii << "Shift H e l l o"
                                       << "Hello" << int(TTouchKeyboard::LOWER_CASE);
    QTest::newRow("caps lock latches until tapped again") << ascii << "Caps S O S Caps x"
                                                          << "SOSx" << int(TTouchKeyboard::LOWER_CASE);
    QTest::newRow("shift-arrow selects; shift stays for the next letter") << ascii << "a b Shift Left C"
                                                                          << "aC" << int(TTouchKeyboard::LOWER_CASE);
    QTest::newRow("symbols keep caps lock for the way back") << ascii << "Caps M 123 1 @ 123 V"
                                                             << "M1@V" << int(TTouchKeyboard::UPPER_CASE);
    QTest::newRow("second symbol page") << ascii << "123 PageDown [ ~ PageDown 7"
                                        << "[~7" << int(TTouchKeyboard::ASCII_SYMBOLS_1);
    QTest::newRow("backspace and space") << ascii << "a b Back Space c"
                                         << "a c" << int(TTouchKeyboard::LOWER_CASE);
    QTest::newRow("russian under the 7-bit set") << int(TCharSetValidator::CHAR_SET_INM_C_7BIT_CYRILLIC) << "Shift П р и в е т , ъ"
                                                 << "Привет,ъ" << int(TTouchKeyboard::INM_C_LOWER_CASE_CYRILLIC);
    QTest::newRow("[CY] back to latin under the 8-bit set") << int(TCharSetValidator::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251) << "ж CY Shift Q"
                                                            << "жQ" << int(TTouchKeyboard::LOWER_CASE);
    QTest::newRow("radiotelex cyrillic through [CY]") << int(TCharSetValidator::CHAR_SET_RADIOTELEX_CYRILLIC) << "CY д а 123 ?"
                                                      << "да?" << int(TTouchKeyboard::RADIOTELEX_SYMBOLS);
    QTest::newRow("5-bit symbols") << int(TCharSetValidator::CHAR_SET_INM_C_5BIT) << "123 # @ 123 z"
                                   << "#@z" << int(TTouchKeyboard::LOWER_CASE);
    QTest::newRow("digits with plus") << int(TCharSetValidator::CHAR_SET_DIGIT_PLUS) << "+ 4 7"
                                      << "+47" << int(TTouchKeyboard::DIGIT_PLUS);
}

void TestTouchKeyboard::typing()
{
    QFETCH(int, set);
    QFETCH(QString, taps);
    QFETCH(QString, typed);
    QFETCH(int, state);
    field->setCharSet(TCharSetValidator::TCharSet(set));
    keyboard->showKeyboard(false);
    type(taps);
    QCOMPARE(field->text(), typed);
    QCOMPARE(int(keyboard->getState()), state);
    // Caps Lock left on by the symbols row shows both latches.
    QCOMPARE(keyboard->getShiftKey()->isChecked(), state == TTouchKeyboard::UPPER_CASE);
}

void TestTouchKeyboard::keyEventsSent_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<QString>("taps");
    QTest::addColumn<int>("key"); // of the last key press the field received
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("a latin letter sends its upper-case code") << 0 << "q" << int(Qt::Key_Q) << "q" << int(Qt::NoModifier);
    QTest::newRow("shifted letter carries the modifier") << 0 << "Shift Q" << int(Qt::Key_Q) << "Q" << int(Qt::ShiftModifier);
    QTest::newRow("a cyrillic letter travels as Key_A") << 5 << "ж" << int(Qt::Key_A) << "ж" << int(Qt::NoModifier);
    QTest::newRow("a symbol's code is its character") << 0 << "123 @" << int(Qt::Key_At) << "@" << int(Qt::NoModifier);
    QTest::newRow("Enter is Key_Enter, never Key_Return") << 0 << "Enter" << int(Qt::Key_Enter) << "" << int(Qt::NoModifier);
}

void TestTouchKeyboard::keyEventsSent()
{
    QFETCH(int, set);
    QFETCH(QString, taps);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    keyboard->setKeyboardCharacterSet(TKeyboardCharacterSet(set));
    keyboard->showKeyboard(false);
    type(taps);
    QVERIFY(keyboard->lastKeyEvent);
    QCOMPARE(keyboard->lastKeyEvent->key(), key);
    QCOMPARE(keyboard->lastKeyEvent->text(), text);
    QCOMPARE(int(keyboard->lastKeyEvent->modifiers()), modifiers);
}

void TestTouchKeyboard::stateByCharacterSet_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("cyrillicToggle");
    QTest::addColumn<QString>("row1"); // keys 0..11: first key, two Cyrillic extras, nine keys

    QTest::newRow("ascii") << 0 << int(TTouchKeyboard::LOWER_CASE) << false << "q  wertyuiop";
    QTest::newRow("5-bit") << 1 << int(TTouchKeyboard::LOWER_CASE) << false << "q  wertyuiop";
    QTest::newRow("radiotelex") << 2 << int(TTouchKeyboard::LOWER_CASE) << false << "q  wertyuiop";
    QTest::newRow("digits") << 3 << int(TTouchKeyboard::DIGIT_ONLY) << false << "1  234567890";
    QTest::newRow("digits and plus") << 4 << int(TTouchKeyboard::DIGIT_PLUS) << false << "1  234567890";
    QTest::newRow("7-bit cyrillic") << 5 << int(TTouchKeyboard::INM_C_LOWER_CASE_CYRILLIC) << true << "йцукенгшщзхъ";
    QTest::newRow("8-bit cyrillic") << 6 << int(TTouchKeyboard::INM_C_LOWER_CASE_CYRILLIC) << true << "йцукенгшщзхъ";
    QTest::newRow("radiotelex cyrillic starts latin") << 7 << int(TTouchKeyboard::LOWER_CASE) << true << "q  wertyuiop";
    QTest::newRow("unknown set") << 42 << int(TTouchKeyboard::LOWER_CASE) << false << "q  wertyuiop";
}

void TestTouchKeyboard::stateByCharacterSet()
{
    QFETCH(int, set);
    QFETCH(int, state);
    QFETCH(bool, cyrillicToggle);
    QFETCH(QString, row1);
    keyboard->setKeyboardCharacterSet(TKeyboardCharacterSet(set));
    keyboard->showKeyboard(false);
    QCOMPARE(int(keyboard->getState()), state);
    QCOMPARE(!keyboard->getCyrillicToggleKey()->isHidden(), cyrillicToggle);
    QCOMPARE(rowText(0, 12), row1);
    QCOMPARE(keyboard->height(), 240);
}

// The field asking again for its set, or a second show, leave the operator's symbol page alone.
void TestTouchKeyboard::repeatedRequestsChangeNothing()
{
    keyboard->showKeyboard(false);
    type("123 PageDown");
    QCOMPARE(keyboard->getPageLabel()->text(), QString("Page\n2 of 2"));
    QSignalSpy heights(keyboard, SIGNAL(heightChanged(int)));
    keyboard->setKeyboardCharacterSet(KEYBOARD_CHARACTER_SET_ASCII);
    keyboard->showKeyboard(true);
    QCOMPARE(int(keyboard->getState()), int(TTouchKeyboard::ASCII_SYMBOLS_2));
    QCOMPARE(heights.count(), 0);
    QCOMPARE(keyboard->getTimeLine()->state(), QTimeLine::NotRunning);
}

void TestTouchKeyboard::unknownValues()
{
    keyboard->setKeyboardCharacterSet(TKeyboardCharacterSet(42));
    keyboard->showKeyboard(false);
    QTest::ignoreMessage(QtDebugMsg, "Character set not supported yet. characterSet= 42");
    type("123 a");
    QCOMPARE(int(keyboard->getState()), int(TTouchKeyboard::LOWER_CASE));
    QVERIFY(!keyboard->getSymbolsKey()->isChecked());
    QCOMPARE(field->text(), QString("a"));

    keyboard->setState(TTouchKeyboard::DIGIT_ONLY);
    QTest::ignoreMessage(
        QtDebugMsg, "void TTouchKeyboard::setState(TTouchKeyboard::TKeyboardState) newState == LOWER_CASE (unknown state)");
    keyboard->setState(TTouchKeyboard::TKeyboardState(99));
    QCOMPARE(rowText(0, 12), QString("q  wertyuiop"));
    QVERIFY(!keyboard->getShiftKey()->isHidden());
}

void TestTouchKeyboard::physicalKeyClosesUserHideable_data()
{
    QTest::addColumn<bool>("userHide");
    QTest::addColumn<QString>("text");

    QTest::newRow("user-hideable keyboard closes") << true << "k";
    QTest::newRow("fixed keyboard stays") << false << "k";
    QTest::newRow("multi-character event closes it too") << true << "kz";
}

void TestTouchKeyboard::physicalKeyClosesUserHideable()
{
    QFETCH(bool, userHide);
    QFETCH(QString, text);
    keyboard->setUserHide(userHide);
    keyboard->showKeyboard(false);
    QCOMPARE(!keyboard->getHideButtonUpperRight()->isHidden(), userHide);
    QSignalSpy hidding(keyboard, SIGNAL(hidding(THiddingReason)));
    type("a");
    QCOMPARE(hidding.count(), 0);
    QKeyEvent physical(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, text);
    QCoreApplication::sendEvent(field, &physical);
    QCOMPARE(field->text(), "a" + text);
    QCOMPARE(hidding.count(), userHide ? 1 : 0);
    if (userHide)
        QCOMPARE(hidding.at(0).at(0).value<THiddingReason>(), HIDDING_BY_KEY_PRESS);
    QCOMPARE(keyboard->isShown(), !userHide);
    if (userHide)
        QTRY_VERIFY(keyboard->isHidden());
}

// A pooled view hands the same built keyboard to windows that differ in letting the operator hide it.
void TestTouchKeyboard::hideKeyFollowsUserHide()
{
    keyboard->showKeyboard(false);
    QVERIFY(keyboard->getHideButtonUpperRight()->isHidden());
    keyboard->setUserHide(true);
    QVERIFY(!keyboard->getHideButtonUpperRight()->isHidden());
    keyboard->setKeyboardCharacterSet(KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC);
    // The Cyrillic extras take row 1's room: the hide key moves down to row 4.
    QVERIFY(keyboard->getHideButtonUpperRight()->isHidden());
    QVERIFY(!keyboard->getHideButtonLowerRight()->isHidden());
    QSignalSpy hidding(keyboard, SIGNAL(hidding(THiddingReason)));
    tap(keyboard->getHideButtonLowerRight());
    QCOMPARE(hidding.count(), 1);
    QVERIFY(!keyboard->isShown());
    keyboard->setUserHide(false);
    QVERIFY(keyboard->getHideButtonLowerRight()->isHidden());
}

void TestTouchKeyboard::slideOpensAndCloses()
{
    QSignalSpy hidding(keyboard, SIGNAL(hidding(THiddingReason)));
    keyboard->hideKeyboard(HIDDING_BY_KEY_PRESS);
    QCOMPARE(hidding.count(), 1);
    QSignalSpy showing(keyboard, SIGNAL(showing()));
    keyboard->showKeyboard();
    QCOMPARE(showing.count(), 1);
    QVERIFY(keyboard->isShown());
    QTRY_COMPARE(keyboard->height(), 240);
    QCOMPARE(keyboard->getTimeLine()->duration(), 300);
    keyboard->hideKeyboard();
    QVERIFY(!keyboard->isShown());
    // Ended at once, as the main window asks of every animation.
    keyboard->instantAnimationEnd();
    QVERIFY(keyboard->isHidden());
    QCOMPARE(keyboard->maximumHeight(), 0);
    QCOMPARE(hidding.count(), 2);
    QCOMPARE(hidding.at(1).at(0).value<THiddingReason>(), HIDDING_BY_REQUEST);
}

void TestTouchKeyboard::lookInBothModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("day") << int(DayMode);
    QTest::newRow("night") << int(NightMode);
}

// Every image the keyboard asks for is painted, and every label fits its key in the mode's fonts.
void TestTouchKeyboard::lookInBothModes()
{
    QFETCH(int, mode);
    TStyleSheet &sheet = TStyleSheet::styleSheetHandler;
    sheet.setMode(TStyleSheetMode(mode));
    window->setStyleSheet(sheet.getStyleSheet());
    const QStringList stateless = { "kvgui_key_backspace", "kvgui_key_enter", "kvgui_key_shift", "kvgui_key_arrow_left",
        "kvgui_key_arrow_up", "kvgui_key_arrow_right", "kvgui_key_arrow_down" };
    for (const QString &name : stateless)
        QVERIFY2(!sheet.getPixmap(name, false).isNull(), qPrintable(name));
    const QStringList stated = { "kvgui_key58", "kvgui_key87", "kvgui_key117", "kvgui_key147", "kvgui_key294", "kvgui_close_cross",
        "kvgui_selecter_arrow_up", "kvgui_selecter_arrow_down" };
    for (const QString &name : stated) {
        for (TStyleSheet::TPixmapState state : { TStyleSheet::Normal, TStyleSheet::Pressed, TStyleSheet::Checked })
            QVERIFY2(!sheet.getPixmap(name, state, false).isNull(), qPrintable(name + TStyleSheet::stateSuffix(state)));
    }

    const TKeyboardCharacterSet sets[] = { KEYBOARD_CHARACTER_SET_ASCII, KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC };
    for (TKeyboardCharacterSet set : sets) {
        keyboard->setKeyboardCharacterSet(set);
        for (TTouchKeyboard::TKeyboardState state :
            { TTouchKeyboard::LOWER_CASE, TTouchKeyboard::INM_C_UPPER_CASE_CYRILLIC, TTouchKeyboard::ASCII_SYMBOLS_1 }) {
            keyboard->setState(state);
            for (TTouchKey *key : keyboard->getKeys()) {
                if (!key->getKeyData())
                    continue;
                key->ensurePolished();
                QRect room = key->rect();
                if (!key->getKeyData()->getIconName().isEmpty())
                    room.setLeft(16);
                const QRect needed = key->fontMetrics().boundingRect(room, Qt::AlignCenter, key->getKeyData()->getName());
                QVERIFY2(room.contains(needed), qPrintable(key->getKeyData()->getName()));
                // A label under 14 pixels is hard to read at arm's length on the bridge.
                QVERIFY2(needed.height() >= 14, qPrintable(key->getKeyData()->getName()));
            }
        }
    }
    sheet.setMode(DayMode);
}

QTEST_MAIN(TestTouchKeyboard)
#include "tst_touch_keyboard.moc"
