// tst_line_edit.cpp
#include "controls_test_support.h"
#include "kvgui_icon_button.h"
#include "kvgui_line_edit.h"
#include "kvgui_message_window.h"
#include "kvgui_touch_key.h"
#include "kvgui_touch_keyboard.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(TCharSetValidator::TCharSet)

// What the keypads and the field's owner heard, in order.
QStringList heard;

// A keypad that records what its text field asks of it.
class TRecordingKeypad : public TBaseTouchKeypad
{
    Q_OBJECT
public:
    TRecordingKeypad()
        : TBaseTouchKeypad(nullptr)
    { }
    bool isShown() override { return shown; }
    void setKeyboardCharacterSet(TKeyboardCharacterSet set) override { characterSet = set; }
    bool shown = false;
    int characterSet = -1;
public slots:
    void showKeyboard()
    {
        heard << (QApplication::focusWidget() && QApplication::focusWidget()->inherits("TLineEdit") ? "show, field focused" : "show");
        shown = true;
        emit showing();
    }
};

// A sub-window holding the fields, counting the Return presses that reach it.
class TForm : public TAbstractSubWindow
{
public:
    explicit TForm(OptionFlags flags = 0)
        : TAbstractSubWindow(0, flags)
    {
        setFixedSize(400, 300);
        new QVBoxLayout(this);
    }
    template<class W> W *add(W *w)
    {
        layout()->addWidget(w);
        return w;
    }
    int returns = 0;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        returns += e->key() == Qt::Key_Return;
        TAbstractSubWindow::keyPressEvent(e);
    }
};

class TestLineEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(showMainWindow(mainWindow)); }
    void init() { form = new TForm; }
    void cleanup();
    void keypadLayoutFamily_data();
    void keypadLayoutFamily();
    void keyboardButton_data();
    void keyboardButton();
    void focusChain_data();
    void focusChain();
    void fillOnFocusLoss_data();
    void fillOnFocusLoss();
    void autoRepeatedReturnSwallowed();
    void cyrillicWarning_data();
    void cyrillicWarning();
    void withTouchKeyboard();

private:
    void show(QWidget *focus, Qt::FocusReason reason = Qt::OtherFocusReason)
    {
        form->showWindow(QPoint(400, 300));
        mainWindow->forceInstantAnimationCompletion();
        QTRY_VERIFY(form->isVisible());
        focus->setFocus(reason);
        QTRY_COMPARE(QApplication::focusWidget(), focus);
    }
    TLineEdit *newEdit(TBaseTouchKeypad *keypad = nullptr, bool withButton = false, bool selectAll = false)
    {
        return form->add(new TLineEdit(keypad, withButton, nullptr, selectAll));
    }
    static TIconButton *button(TLineEdit *e) { return e->findChild<TIconButton *>(); }
    QStringList warnings() const
    {
        QStringList headers;
        for (TSubWindowView *view : mainWindow->getSubWindows())
            if (auto *message = qobject_cast<TMessageWindow *>(view->getWindow()))
                headers << message->getHeader();
        return headers;
    }
    QScopedPointer<TMainWindow> mainWindow;
    QPointer<TForm> form;
};

void TestLineEdit::cleanup()
{
    QVERIFY(closeSubWindows(mainWindow.data()));
    delete form;
    heard.clear();
}

void TestLineEdit::keypadLayoutFamily_data()
{
    QTest::addColumn<TCharSetValidator::TCharSet>("set");
    QTest::addColumn<int>("family");

    using V = TCharSetValidator;
    QTest::newRow("radiotelex") << V::CHAR_SET_RADIOTELEX << int(KEYBOARD_CHARACTER_SET_RADIOTELEX);
    QTest::newRow("5-bit") << V::CHAR_SET_INM_C_5BIT << int(KEYBOARD_CHARACTER_SET_INM_C_5BIT);
    QTest::newRow("ascii") << V::CHAR_SET_ASCII << int(KEYBOARD_CHARACTER_SET_ASCII);
    QTest::newRow("unicode types on the ascii layout") << V::CHAR_SET_UNICODE << int(KEYBOARD_CHARACTER_SET_ASCII);
    QTest::newRow("digits") << V::CHAR_SET_DIGIT << int(KEYBOARD_CHARACTER_SET_DIGIT);
    QTest::newRow("digits plus") << V::CHAR_SET_DIGIT_PLUS << int(KEYBOARD_CHARACTER_SET_DIGIT_PLUS);
    QTest::newRow("7-bit cyrillic") << V::CHAR_SET_INM_C_7BIT_CYRILLIC << int(KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC);
    QTest::newRow("cp866") << V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP866 << int(KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC);
    QTest::newRow("cp1251") << V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251 << int(KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC);
    QTest::newRow("radiotelex cyrillic") << V::CHAR_SET_RADIOTELEX_CYRILLIC << int(KEYBOARD_CHARACTER_SET_RADIOTELEX_CYRILLIC);
    QTest::newRow("an unknown set types on the ascii layout") << V::TCharSet(3) << int(KEYBOARD_CHARACTER_SET_ASCII);
}

void TestLineEdit::keypadLayoutFamily()
{
    QFETCH(TCharSetValidator::TCharSet, set);
    QFETCH(int, family);

    TRecordingKeypad keypad, later;
    auto *edit = newEdit(&keypad, true);
    edit->setCharSet(set);
    QCOMPARE(keypad.characterSet, -1); // asked only while focused
    show(edit);
    QCOMPARE(keypad.characterSet, family);
    // A keypad attached to the focused field is told at once.
    edit->setKeyboard(&later);
    QCOMPARE(later.characterSet, family);
}

void TestLineEdit::keyboardButton_data()
{
    // Steps: the keypad (closed, open, none, later: attached after building, replaced, removed, destroyed
    // before the field, nobutton: a field without keyboard button); the focus (touch, chain, tab, elsewhere:
    // on another widget); then maybe request or keypress (the keypad hides for that reason), typed (on a
    // physical keyboard) or click.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("delivered"); // to the keypad and the field's owner, in order

    const QString opened = "show, field focused; selected";
    QTest::newRow("a touch shows the button; the keypad stays closed") << "closed touch" << true << "";
    QTest::newRow("a chained field shows the button") << "closed chain" << true << "";
    QTest::newRow("tab never shows the button") << "closed tab" << false << "";
    QTest::newRow("an open keypad keeps the button hidden") << "open touch" << false << "";
    QTest::newRow("a field without button shows none") << "nobutton touch" << false << "";
    QTest::newRow("the keypad closed by request: the button returns") << "open touch request" << true << "";
    QTest::newRow("closed by request, field not focused: no button") << "closed elsewhere request" << false << "";
    QTest::newRow("closed by a physical key: the button fades out") << "closed touch keypress" << false << "";
    QTest::newRow("no keypad: a physical key fades the button out") << "none touch typed" << false << "";
    QTest::newRow("a destroyed keypad leaves the field working") << "destroyed touch typed" << false << "";
    QTest::newRow("click: the field takes the focus, the keypad opens, then the owner hears")
        << "closed elsewhere click" << false << opened;
    QTest::newRow("click with a keypad attached later") << "later elsewhere click" << false << opened;
    QTest::newRow("click with a replaced keypad: only the new one opens") << "replaced elsewhere click" << false << opened;
    QTest::newRow("click with the keypad taken away") << "removed elsewhere click" << false << "selected";
    QTest::newRow("click without keypad: the owner opens its own entry") << "none elsewhere click" << false << "selected";
    QTest::newRow("click with a destroyed keypad") << "destroyed elsewhere click" << false << "selected";
}

void TestLineEdit::keyboardButton()
{
    QFETCH(QString, steps);
    QFETCH(bool, shown);
    QFETCH(QString, delivered);
    const QStringList step = steps.split(' ');
    const QString keypad = step.at(0), focus = step.at(1), then = step.value(2);

    TRecordingKeypad current, old;
    auto *gone = new TRecordingKeypad;
    current.shown = keypad == "open";
    const QMap<QString, TRecordingKeypad *> built { { "closed", &current }, { "open", &current }, { "replaced", &old }, { "removed", &old },
        { "destroyed", gone } };
    auto *edit = newEdit(built.value(keypad), keypad != "nobutton");
    delete gone;
    auto *other = form->add(new QPushButton);
    if (keypad == "later" || keypad == "replaced" || keypad == "removed")
        edit->setKeyboard(keypad == "removed" ? nullptr : &current);
    connect(edit, &TLineEdit::touchKeyboardSelected, [] { heard << "selected"; });
    const QMap<QString, Qt::FocusReason> reasons { { "chain", Qt::OtherFocusReason }, { "tab", Qt::TabFocusReason } };
    show(focus == "elsewhere" ? static_cast<QWidget *>(other) : edit, reasons.value(focus, Qt::MouseFocusReason));
    if (then == "request" || then == "keypress") {
        emit current.hidding(then == "request" ? HIDDING_BY_REQUEST : HIDDING_BY_KEY_PRESS);
    } else if (then == "typed") {
        QTest::keyClicks(edit, "ab");
        edit->setCharSet(TCharSetValidator::CHAR_SET_DIGIT); // asks the keypad, if any, for its digits
    } else if (then == "click") {
        button(edit)->show();
        button(edit)->click();
        QCOMPARE(QApplication::focusWidget(), edit);
    }
    QTRY_COMPARE(button(edit) && button(edit)->isVisible(), shown);
    QCOMPARE(edit->textMargins().right(), shown ? 58 : 0); // text never runs under the button
    if (shown)
        QCOMPARE(button(edit)->geometry(), QRect(edit->width() - 58, edit->height() - 58, 58, 58));
    QCOMPARE(heard.join("; "), delivered);
    QVERIFY(!old.shown);
    other->setFocus();
    QVERIFY(!button(edit) || !button(edit)->isVisible());
    QCOMPARE(edit->textMargins().right(), 0);
}

void TestLineEdit::focusChain_data()
{
    // The chain: p a previous field; f the field under test, of two characters at most; after it e a visible
    // field, h a hidden field, w a hidden widget other than a field; < back to the one after f.
    QTest::addColumn<QString>("chain");
    QTest::addColumn<int>("nextKeys"); // of f: 0 none, 1 Down, 2 Down and Enter
    QTest::addColumn<QString>("typing"); // the text of f with | the cursor, then a key's name or the typed text
    QTest::addColumn<int>("focused"); // index in the chain

    QTest::newRow("left at the start goes back") << "pfe" << 0 << "|ab Left" << 0;
    QTest::newRow("left inside moves the cursor") << "pfe" << 0 << "a|b Left" << 1;
    QTest::newRow("left at the start without previous field stays") << "fe" << 0 << "|ab Left" << 0;
    QTest::newRow("right at the end goes on") << "pfe" << 0 << "ab| Right" << 2;
    QTest::newRow("right inside moves the cursor") << "pfe" << 0 << "a|b Right" << 1;
    QTest::newRow("a next-focus key goes on from anywhere") << "pfe" << 1 << "a|b Down" << 2;
    QTest::newRow("the second next-focus key goes on too") << "pfe" << 2 << "|ab Enter" << 2;
    QTest::newRow("an unmapped key does not count as an unset one") << "pfe" << 1 << "a|b unknown" << 1;
    QTest::newRow("a full field hands on") << "fe" << 0 << "| 12" << 1;
    QTest::newRow("a field not yet full keeps the focus") << "fe" << 0 << "| 1" << 0;
    QTest::newRow("hidden fields are skipped") << "fhhe" << 0 << "| 12" << 3;
    QTest::newRow("a hidden widget other than a field ends the chain") << "fwhe" << 0 << "| 12" << 0;
    QTest::newRow("a chain looping through hidden fields ends") << "fhh<" << 0 << "| 12" << 0;
}

void TestLineEdit::focusChain()
{
    QFETCH(QString, chain);
    QFETCH(int, nextKeys);
    QFETCH(QString, typing);
    QFETCH(int, focused);

    QList<QWidget *> widgets;
    TLineEdit *field = nullptr;
    for (QChar kind : chain) {
        auto *last = qobject_cast<TLineEdit *>(widgets.value(widgets.size() - 1));
        if (kind == '<') {
            last->setNextFocusWidget(widgets.at(widgets.indexOf(field) + 1));
            break;
        }
        QWidget *w = kind == 'p' ? form->add<QWidget>(new QLineEdit) : kind == 'w' ? form->add<QWidget>(new QPushButton) : newEdit();
        w->setVisible(kind != 'h' && kind != 'w');
        if (kind == 'f') {
            field = static_cast<TLineEdit *>(w);
            field->setMaxLength(2);
            if (!widgets.isEmpty())
                field->setPreviousFocusWidget(widgets.last());
        } else if (last && last == field && nextKeys == 2) {
            field->setNextFocusWidget(w, Qt::Key_Down, Qt::Key_Enter);
        } else if (last && last == field && nextKeys == 1) {
            field->setNextFocusWidget(w, Qt::Key_Down);
        } else if (last) {
            last->setNextFocusWidget(w);
        }
        widgets << w;
    }
    const QString text = typing.section(' ', 0, 0), input = typing.section(' ', 1);
    field->setText(QString(text).remove('|'));
    show(field);
    field->setCursorPosition(text.indexOf('|'));
    const QMap<QString, int> keys { { "Left", Qt::Key_Left }, { "Right", Qt::Key_Right }, { "Down", Qt::Key_Down },
        { "Enter", Qt::Key_Enter }, { "unknown", Qt::Key_unknown } };
    if (keys.contains(input)) {
        // Sent by hand: QTest refuses to type Qt::Key_unknown, which Qt gives to unmapped physical keys.
        QKeyEvent press(QEvent::KeyPress, keys.value(input), Qt::NoModifier);
        QApplication::sendEvent(field, &press);
    } else {
        QTest::keyClicks(field, input);
    }
    QCOMPARE(QApplication::focusWidget(), widgets.at(focused));
}

void TestLineEdit::fillOnFocusLoss_data()
{
    QTest::addColumn<QString>("text"); // of a field of four characters at most
    QTest::addColumn<int>("mode");
    QTest::addColumn<QChar>("fill");
    QTest::addColumn<QString>("filled");

    QTest::newRow("zero fill in front") << "12" << int(FILL_LEADING) << QChar('0') << "0012";
    QTest::newRow("fill behind") << "ab" << int(FILL_TRAILING) << QChar('*') << "ab**";
    QTest::newRow("a full field stays") << "1234" << int(FILL_LEADING) << QChar('0') << "1234";
    QTest::newRow("no fill mode, no fill") << "12" << int(FILL_NONE) << QChar('0') << "12";
}

void TestLineEdit::fillOnFocusLoss()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    QFETCH(QChar, fill);
    QFETCH(QString, filled);

    auto *edit = newEdit();
    auto *other = form->add(new QPushButton);
    edit->setMaxLength(4);
    if (fill == '0')
        edit->setZeroFill(TLineEditFillMode(mode));
    else
        edit->setFill(fill, TLineEditFillMode(mode));
    edit->setText(text);
    show(edit);
    other->setFocus();
    QCOMPARE(edit->text(), filled);
}

void TestLineEdit::autoRepeatedReturnSwallowed()
{
    auto *edit = newEdit();
    QSignalSpy returns(edit, SIGNAL(returnPressed()));
    show(edit);
    for (bool repeat : { false, true, true, true }) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), repeat);
        QApplication::sendEvent(edit, &press);
    }
    QCOMPARE(returns.count(), 1);
    QCOMPARE(form->returns, 1); // the window's default button is not pressed again either
}

void TestLineEdit::cyrillicWarning_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<TCharSetValidator::TCharSet>("set");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<bool>("selectAll"); // of the text "a"; otherwise the field holds "ab"
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warned");

    using V = TCharSetValidator;
    const QString zhe(QChar(0x0416));
    QTest::newRow("a refused russian letter warns") << zhe << V::CHAR_SET_RADIOTELEX << 10 << false << "ab" << true;
    QTest::newRow("another refused character does not") << "@" << V::CHAR_SET_DIGIT << 10 << false << "ab" << false;
    QTest::newRow("an accepted russian letter does not") << zhe << V::CHAR_SET_UNICODE << 10 << false << "ab" + zhe << false;
    QTest::newRow("a full field warns even for unicode") << zhe << V::CHAR_SET_UNICODE << 2 << false << "ab" << true;
    QTest::newRow("replacing a selected letter does not warn") << zhe << V::CHAR_SET_UNICODE << 10 << true << zhe << false;
}

void TestLineEdit::cyrillicWarning()
{
    QFETCH(QString, key);
    QFETCH(TCharSetValidator::TCharSet, set);
    QFETCH(int, maxLength);
    QFETCH(bool, selectAll);
    QFETCH(QString, text);
    QFETCH(bool, warned);

    auto *edit = newEdit(nullptr, false, selectAll);
    edit->setMaxLength(maxLength);
    edit->setText(selectAll ? "a" : "ab");
    edit->setCharSet(set);
    show(edit);
    QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_A, key, Qt::NoModifier);
    QCOMPARE(edit->text(), text);
    QCOMPARE(warnings(), warned ? QStringList { "Illegal input character" } : QStringList());
}

void TestLineEdit::withTouchKeyboard()
{
    delete form;
    form = new TForm(TAbstractSubWindow::KeyboardUserHidden);
    auto *edit = newEdit(nullptr, true);
    edit->setCharSet(TCharSetValidator::CHAR_SET_INM_C_7BIT_CYRILLIC);
    show(edit, Qt::MouseFocusReason);
    TTouchKeyboard *keyboard = form->getView()->getKeyboard();
    edit->setKeyboard(keyboard);

    // The button opens the keyboard in the field's alphabet, and its keys type into the field.
    QTest::mouseClick(button(edit), Qt::LeftButton);
    mainWindow->forceInstantAnimationCompletion();
    QVERIFY(keyboard->isShown());
    QVERIFY(!button(edit)->isVisible());
    QTest::mouseClick(keyboard->getKeys().at(0), Qt::LeftButton);
    QCOMPARE(edit->text(), QString(QChar(0x0439)));

    // A physical key closes the user-hideable keyboard; the button fades out with it.
    button(edit)->show();
    QTest::keyClick(edit, Qt::Key_A, Qt::NoModifier);
    QVERIFY(!keyboard->isShown());
    QTRY_VERIFY(!button(edit)->isVisible());
}

QTEST_MAIN(TestLineEdit)
#include "tst_line_edit.moc"
