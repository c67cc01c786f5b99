// tst_touch_keyboard.cpp
#include "gui_test_support.h"
#include "kvgui_base_key_data.h"
#include "kvgui_char_set_validator.h"
#include "kvgui_icon_button.h"
#include "kvgui_line_edit.h"
#include "kvgui_touch_key.h"
#include "kvgui_touch_keyboard.h"

#include <QLabel>
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
    void init()
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
    void cleanup() { delete window; }
    void typing_data()
    {
        QTest::addColumn<QString>("taps");
        QTest::addColumn<int>("set"); // the field's, which it passes on to the keyboard
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("state"); // afterwards
        QTest::addColumn<QString>("last"); // the last key press the field received

        using V = TCharSetValidator;
        using K = TTouchKeyboard;
        const int ascii = V::CHAR_SET_ASCII, lower = K::LOWER_CASE, cyr7 = V::CHAR_SET_INM_C_7BIT_CYRILLIC,
                  rtx = V::CHAR_SET_RADIOTELEX_CYRILLIC;
        QTest::newRow("shift is one-shot; a letter sends its upper-case code") << "Shift H e l l o" << ascii << "Hello" << lower << "O";
        QTest::newRow("caps lock latches until tapped again") << "Caps S O S Caps x" << ascii << "SOSx" << lower << "X";
        QTest::newRow("shift-arrow selects; shift stays for the next letter") << "a b Shift Left C" << ascii << "aC" << lower << "Shift+C";
        QTest::newRow("caps lock survives symbols") << "Caps M 123 1 @ * 123 V" << ascii << "M1@*V" << int(K::UPPER_CASE) << "Shift+V";
        QTest::newRow("second symbol page") << "123 PageDown [ ~ PageDown 7" << ascii << "[~7" << int(K::ASCII_SYMBOLS_1) << "7";
        QTest::newRow("backspace, space, Enter as Key_Enter") << "a b Back Space c Enter" << ascii << "a c" << lower << "Enter";
        QTest::newRow("7-bit russian; a cyrillic letter travels as Key_A")
            << "Shift П р и в е т , ъ" << cyr7 << "Привет,ъ" << int(K::INM_C_LOWER_CASE_CYRILLIC) << "A";
        QTest::newRow("[CY] back to latin under cp1251, shown again after symbols in lower case")
            << "ж CY Shift Q 123 Show q" << int(V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251) << "жQq" << lower << "Q";
        QTest::newRow("radiotelex cyrillic via [CY]; a symbol sends its own code")
            << "CY д а 123 ?" << rtx << "да?" << int(K::RADIOTELEX_SYMBOLS) << "?";
        QTest::newRow("shown again after shift or symbols: lower-case cyrillic")
            << "Shift Show п 123 Show я" << cyr7 << "пя" << int(K::INM_C_LOWER_CASE_CYRILLIC) << "A";
        QTest::newRow("radiotelex cyrillic shown again as it was or after shift; caps to its own upper case")
            << "CY Show м Shift Show ж Caps" << rtx << "мж" << int(K::RADIOTELEX_UPPER_CASE_CYRILLIC) << "A";
        QTest::newRow("5-bit symbols") << "123 # @ 123 z" << int(V::CHAR_SET_INM_C_5BIT) << "#@z" << lower << "Z";
        QTest::newRow("digits with plus keep the shared keys")
            << "+ 4 7 Back Enter" << int(V::CHAR_SET_DIGIT_PLUS) << "+4" << int(K::DIGIT_PLUS) << "Enter";
    }
    void typing()
    {
        QFETCH(QString, taps);
        QFETCH(int, set);
        QFETCH(QString, typed);
        QFETCH(int, state);
        QFETCH(QString, last);
        field->setCharSet(TCharSetValidator::TCharSet(set));
        keyboard->showKeyboard(false);
        type(taps);
        QCOMPARE(qMakePair(field->text(), int(keyboard->getState())), qMakePair(typed, state));
        const QKeyEvent *sent = keyboard->lastKeyEvent;
        QCOMPARE(QKeySequence(sent->key() | int(sent->modifiers())).toString(), last);
        QVERIFY(!sent->isAutoRepeat() && sent->count() == 1); // a tap is one press
    }
    void keyRepeat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("steps"); // p press, r release, m move, upper case off the key; t the repeat timer fires
        QTest::addColumn<QList<int>>("activations"); // after each step
        QTest::addColumn<QList<int>>("intervals"); // timer interval after each step, -1 stopped

        auto row = [](const char *behaviour, const QString &key, const QString &steps, QList<int> activations, QList<int> intervals) {
            QTest::newRow(behaviour) << key << steps << activations << intervals;
        };
        row("held backspace: at 0, 500, 550 and 600 ms", "Back", "pttt", { 1, 2, 3, 4 }, { 500, 50, 50, 50 });
        row("a held arrow repeats as well", "Up", "ptt", { 1, 2, 3 }, { 500, 50, 50 });
        row("Down repeats too; released, it stops", "Down", "ptr", { 1, 2, 2 }, { 500, 50, -1 });
        row("sliding off pauses, sliding back resumes", "Back", "pMtmt", { 1, 1, 1, 1, 2 }, { 500, 500, 50, 50, 50 });
        row("a letter fires on release", "q", "pr", { 0, 1 }, { -1, -1 });
        row("Space does not repeat; released off the key: nothing", "Space", "pMR", { 0, 0, 0 }, { -1, -1, -1 });
        row("a key without data is silent", "blank", "pr", { 0, 0 }, { -1, -1 });
    }
    void keyRepeat()
    {
        QFETCH(QString, name);
        QFETCH(QString, steps);
        QFETCH(QList<int>, activations);
        QFETCH(QList<int>, intervals);
        keyboard->showKeyboard(false);
        TTouchKey *k = key(name);
        QVERIFY(k);
        QSignalSpy spy(k, SIGNAL(keyActivated(TBaseKeyData *)));
        QTimer *timer = k->findChild<QTimer *>();
        for (int i = 0; i < steps.size(); ++i) {
            const QChar step = steps.at(i);
            if (step == 't') {
                QMetaObject::invokeMethod(k, "repeatTimeout"); // what the timer would do, without the wait
            } else {
                const QEvent::Type type = step.toLower() == 'p' ? QEvent::MouseButtonPress
                    : step.toLower() == 'r'                     ? QEvent::MouseButtonRelease
                                                                : QEvent::MouseMove;
                touch(k, type, step.isUpper() ? QPoint(k->width() + 10, 5) : k->rect().center());
            }
            QVERIFY(spy.count() == activations.at(i) && (timer && timer->isActive() ? timer->interval() : -1) == intervals.at(i));
        }
    }
    // A pooled view hands the same built keyboard to windows that differ in letting the operator hide it.
    void userHide()
    {
        keyboard->showKeyboard(false);
        QSignalSpy hidding(keyboard, SIGNAL(hidding(THiddingReason)));
        type("k");
        QTest::keyClick(field, Qt::Key_K);
        // A fixed keyboard stays for a physical key.
        QVERIFY(keyboard->isShown() && keyboard->getHideButtonUpperRight()->isHidden());

        keyboard->setUserHide(true);
        QVERIFY(!keyboard->getHideButtonUpperRight()->isHidden());
        type("k");
        QCOMPARE(hidding.count(), 0); // its own keys are not physical ones
        QTest::keyClick(field, Qt::Key_K); // the same key, from a physical keyboard
        QVERIFY(hidding.count() == 1 && hidding.at(0).at(0).value<THiddingReason>() == HIDDING_BY_KEY_PRESS);
        QTRY_VERIFY(keyboard->isHidden());

        // The Cyrillic extras take row 1's room: the hide key moves down to row 4.
        keyboard->setKeyboardCharacterSet(KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC);
        keyboard->showKeyboard(false);
        QVERIFY(keyboard->getHideButtonUpperRight()->isHidden() && !keyboard->getHideButtonLowerRight()->isHidden());
        tap(keyboard->getHideButtonLowerRight());
        QVERIFY(hidding.count() == 2 && !keyboard->isShown()
            && keyboard->getHideButtonLowerRight()->y() > keyboard->getHideButtonUpperRight()->y());
        keyboard->setUserHide(false);
        QVERIFY(keyboard->getHideButtonLowerRight()->isHidden());
        // Asked back without a slide while it slides out, it stands at once.
        keyboard->showKeyboard(false);
        QVERIFY(keyboard->findChild<QTimeLine *>()->state() == QTimeLine::NotRunning && keyboard->height() == 240);
        // Asked back with a slide while it slides out, it slides in from the start.
        keyboard->hideKeyboard();
        keyboard->showKeyboard(true);
        QCOMPARE(keyboard->findChild<QTimeLine *>()->currentTime(), 0);
        // Back on a latin set the [CY] key goes too.
        keyboard->setKeyboardCharacterSet(KEYBOARD_CHARACTER_SET_INM_C_5BIT);
        QVERIFY(keyboard->getCyrillicToggleKey()->isHidden());
    }
    void slideOpensAndCloses()
    {
        QSignalSpy hidding(keyboard, SIGNAL(hidding(THiddingReason)));
        keyboard->hideKeyboard(HIDDING_BY_KEY_PRESS); // reported even when already hidden
        QSignalSpy showing(keyboard, SIGNAL(showing()));
        keyboard->showKeyboard();
        QCOMPARE(showing.count(), 1);
        QTRY_COMPARE(keyboard->height(), 240);

        type("123 PageDown");
        QCOMPARE(keyboard->getPageLabel()->text(), QString("Page\n2 of 2"));
        // The field asking again for its set, or a second show, leave the operator's page alone (that
        // a second show does not slide again, tst_sub_window_view's keyboard seat proves).
        keyboard->setKeyboardCharacterSet(KEYBOARD_CHARACTER_SET_ASCII);
        keyboard->showKeyboard(true);
        QCOMPARE(int(keyboard->getState()), int(TTouchKeyboard::ASCII_SYMBOLS_2));

        keyboard->hideKeyboard();
        QVERIFY(!keyboard->isShown());
        // Ended at once, as the main window asks of every animation.
        keyboard->instantAnimationEnd();
        QVERIFY(keyboard->isHidden() && hidding.count() == 2);
    }

private:
    // A visible key by the label it shows, the arrow and backspace by short names; "blank" is the key
    // without data.
    TTouchKey *key(const QString &name) const
    {
        for (TTouchKey *key : keyboard->getKeys()) {
            const TBaseKeyData *kd = key->getKeyData();
            if (name == "blank" ? !kd
                                : !key->isHidden() && kd
                        && (kd->getName() == name || (name == "Back" && kd->getKey() == Qt::Key_Backspace)
                            || key->accessibleName() == name))
                return key;
        }
        return nullptr;
    }
    // Taps keys by the labels they show; the control keys by short names.
    void type(const QString &taps)
    {
        const QMap<QString, QWidget *> named { { "Caps", keyboard->getCapsLockKey() }, { "Shift", keyboard->getShiftKey() },
            { "CY", keyboard->getCyrillicToggleKey() }, { "123", keyboard->getSymbolsKey() },
            { "PageDown", keyboard->getSymbolArrowDown() } };
        for (const QString &tap : taps.split(' ', Qt::SkipEmptyParts)) {
            if (tap == "Show") { // hidden and shown again, as for the next field
                keyboard->hideKeyboard();
                keyboard->instantAnimationEnd();
                keyboard->showKeyboard(false);
                continue;
            }
            QWidget *target = named.contains(tap) ? named.value(tap) : key(tap);
            QVERIFY2(target && !target->isHidden(), qPrintable("no visible key " + tap));
            ::tap(target);
        }
    }

    QWidget *window = nullptr;
    Keyboard *keyboard = nullptr;
    TLineEdit *field = nullptr;
};

QTEST_MAIN(TestTouchKeyboard)
#include "tst_touch_keyboard.moc"
