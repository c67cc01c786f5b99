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

// A keypad that records what its text field asks of it.
class TRecordingKeypad : public TBaseTouchKeypad
{
    Q_OBJECT
public:
    explicit TRecordingKeypad(QStringList *log)
        : TBaseTouchKeypad(nullptr)
        , log(log)
    { }
    bool isShown() override { return shown; }
    void setKeyboardCharacterSet(TKeyboardCharacterSet set) override { characterSet = set; }
    bool shown = false;
    int characterSet = -1;
public slots:
    void showKeyboard()
    {
        *log << (QApplication::focusWidget() && QApplication::focusWidget()->inherits("TLineEdit") ? "show, field focused" : "show");
        shown = true;
        emit showing();
    }

private:
    QStringList *log;
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
    void keyboardButtonOnFocus_data();
    void keyboardButtonOnFocus();
    void keyboardButtonClick_data();
    void keyboardButtonClick();
    void keypadHiding_data();
    void keypadHiding();
    void physicalKeyFadesButton();
    void focusKeys_data();
    void focusKeys();
    void autoAdvance_data();
    void autoAdvance();
    void fillOnFocusLoss_data();
    void fillOnFocusLoss();
    void autoRepeatedReturnSwallowed();
    void cyrillicWarning_data();
    void cyrillicWarning();
    void withTouchKeyboard();
    void keypadGoneFirst();

private:
    void show(QWidget *focus, Qt::FocusReason reason = Qt::OtherFocusReason)
    {
        form->showWindow(QPoint(400, 300));
        mainWindow->forceInstantAnimationCompletion();
        QTRY_VERIFY(form->isVisible());
        focus->setFocus(reason);
        QTRY_COMPARE(QApplication::focusWidget(), focus);
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
    QStringList log;
};

void TestLineEdit::cleanup()
{
    QVERIFY(closeSubWindows(mainWindow.data()));
    delete form;
    log.clear();
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

    TRecordingKeypad keypad(&log), later(&log);
    auto *edit = form->add(new TLineEdit(&keypad, true, nullptr, false));
    edit->setCharSet(set);
    QCOMPARE(keypad.characterSet, -1); // asked only while focused
    show(edit);
    QCOMPARE(keypad.characterSet, family);
    // A keypad attached to the focused field is told at once.
    edit->setKeyboard(&later);
    QCOMPARE(later.characterSet, family);
}

void TestLineEdit::keyboardButtonOnFocus_data()
{
    QTest::addColumn<bool>("withButton");
    QTest::addColumn<bool>("keypadShown");
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("shown");

    QTest::newRow("a touch shows the button") << true << false << int(Qt::MouseFocusReason) << true;
    QTest::newRow("a chained field shows the button") << true << false << int(Qt::OtherFocusReason) << true;
    QTest::newRow("tab never shows the button") << true << false << int(Qt::TabFocusReason) << false;
    QTest::newRow("an open keypad keeps the button hidden") << true << true << int(Qt::MouseFocusReason) << false;
    QTest::newRow("a field without button shows none") << false << false << int(Qt::MouseFocusReason) << false;
}

void TestLineEdit::keyboardButtonOnFocus()
{
    QFETCH(bool, withButton);
    QFETCH(bool, keypadShown);
    QFETCH(int, reason);
    QFETCH(bool, shown);

    TRecordingKeypad keypad(&log);
    keypad.shown = keypadShown;
    auto *edit = form->add(new TLineEdit(&keypad, withButton, nullptr, false));
    auto *other = form->add(new QPushButton);
    show(edit, Qt::FocusReason(reason));
    QCOMPARE(button(edit) && button(edit)->isVisible(), shown);
    QCOMPARE(edit->textMargins().right(), shown ? 58 : 0);
    if (shown)
        QCOMPARE(button(edit)->geometry(), QRect(edit->width() - 58, edit->height() - 58, 58, 58));
    other->setFocus();
    QVERIFY(!button(edit) || !button(edit)->isVisible());
    QCOMPARE(edit->textMargins().right(), 0);
}

void TestLineEdit::keyboardButtonClick_data()
{
    QTest::addColumn<QString>("keypad");
    QTest::addColumn<QStringList>("delivered");

    QTest::newRow("built with a keypad") << "built" << QStringList { "show, field focused", "selected" };
    QTest::newRow("keypad attached later") << "later" << QStringList { "show, field focused", "selected" };
    QTest::newRow("keypad replaced: only the new one opens") << "replaced" << QStringList { "show, field focused", "selected" };
    QTest::newRow("keypad taken away") << "removed" << QStringList { "selected" };
    QTest::newRow("no keypad: the owner opens its own entry") << "none" << QStringList { "selected" };
}

void TestLineEdit::keyboardButtonClick()
{
    QFETCH(QString, keypad);
    QFETCH(QStringList, delivered);

    QStringList oldLog;
    TRecordingKeypad first(keypad == "replaced" ? &oldLog : &log), second(&log);
    auto *edit = form->add(
        new TLineEdit(keypad == "built" || keypad == "replaced" || keypad == "removed" ? &first : nullptr, true, nullptr, false));
    auto *other = form->add(new QPushButton);
    if (keypad == "later")
        edit->setKeyboard(&first);
    if (keypad == "replaced")
        edit->setKeyboard(&second);
    if (keypad == "removed")
        edit->setKeyboard(nullptr);
    connect(edit, &TLineEdit::touchKeyboardSelected, [this] { log << "selected"; });
    show(edit, Qt::MouseFocusReason);
    other->setFocus();
    button(edit)->show();
    button(edit)->click();

    QCOMPARE(log, delivered);
    QVERIFY(oldLog.isEmpty());
    QCOMPARE(QApplication::focusWidget(), edit);
    QVERIFY(!button(edit)->isVisible());
}

void TestLineEdit::keypadHiding_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("shown");

    QTest::newRow("closed by request: the button returns") << int(HIDDING_BY_REQUEST) << true << true;
    QTest::newRow("closed by request, field not focused: no button") << int(HIDDING_BY_REQUEST) << false << false;
    QTest::newRow("closed by a physical key: the button fades out") << int(HIDDING_BY_KEY_PRESS) << true << false;
}

void TestLineEdit::keypadHiding()
{
    QFETCH(int, reason);
    QFETCH(bool, focused);
    QFETCH(bool, shown);

    TRecordingKeypad keypad(&log);
    auto *edit = form->add(new TLineEdit(&keypad, true, nullptr, false));
    auto *other = form->add(new QPushButton);
    show(focused ? static_cast<QWidget *>(edit) : other, Qt::MouseFocusReason);
    emit keypad.hidding(THiddingReason(reason));
    QTRY_COMPARE(button(edit)->isVisible(), shown);
    QCOMPARE(edit->textMargins().right(), shown ? 58 : 0);
}

void TestLineEdit::physicalKeyFadesButton()
{
    // Without a keypad the field itself sees the operator go over to a physical keyboard.
    auto *edit = form->add(new TLineEdit(nullptr, true, nullptr, false));
    show(edit, Qt::MouseFocusReason);
    QTest::keyClicks(edit, "ab");
    QTRY_VERIFY(!button(edit)->isVisible());
    QCOMPARE(edit->textMargins().right(), 0);
}

void TestLineEdit::focusKeys_data()
{
    QTest::addColumn<bool>("withPrevious");
    QTest::addColumn<QList<int>>("nextKeys");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("cursorAfter");

    const QList<int> none;
    QTest::newRow("left at the start goes back") << true << none << 0 << int(Qt::Key_Left) << "previous" << 0;
    QTest::newRow("left inside moves the cursor") << true << none << 1 << int(Qt::Key_Left) << "field" << 0;
    QTest::newRow("left at the start without previous field moves nothing") << false << none << 0 << int(Qt::Key_Left) << "field" << 0;
    QTest::newRow("right at the end goes on") << true << none << 2 << int(Qt::Key_Right) << "next" << 2;
    QTest::newRow("right inside moves the cursor") << true << none << 1 << int(Qt::Key_Right) << "field" << 2;
    QTest::newRow("a next-focus key goes on from anywhere") << true << QList<int> { Qt::Key_Down } << 1 << int(Qt::Key_Down) << "next" << 1;
    QTest::newRow("the second next-focus key goes on too")
        << true << QList<int> { Qt::Key_Down, Qt::Key_Enter } << 0 << int(Qt::Key_Enter) << "next" << 0;
    QTest::newRow("an unmapped key does not count as an unset one")
        << true << QList<int> { Qt::Key_Down } << 1 << int(Qt::Key_unknown) << "field" << 1;
}

void TestLineEdit::focusKeys()
{
    QFETCH(bool, withPrevious);
    QFETCH(QList<int>, nextKeys);
    QFETCH(int, cursor);
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(int, cursorAfter);

    auto *previous = form->add(new QLineEdit);
    auto *edit = form->add(new TLineEdit(nullptr, false, nullptr, false));
    auto *next = form->add(new QLineEdit);
    if (withPrevious)
        edit->setPreviousFocusWidget(previous);
    if (nextKeys.size() == 2)
        edit->setNextFocusWidget(next, Qt::Key(nextKeys[0]), Qt::Key(nextKeys[1]));
    else if (nextKeys.size() == 1)
        edit->setNextFocusWidget(next, Qt::Key(nextKeys[0]));
    else
        edit->setNextFocusWidget(next);
    QCOMPARE(edit->getNextFocusWidget(), next);
    edit->setText(QStringLiteral("ab"));
    show(edit);
    edit->setCursorPosition(cursor);
    // Sent by hand: QTest refuses to type Qt::Key_unknown, which Qt gives to unmapped physical keys.
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
    const QMap<QString, QWidget *> fields { { "previous", previous }, { "field", edit }, { "next", next } };
    QCOMPARE(QApplication::focusWidget(), fields.value(focus));
    QCOMPARE(edit->cursorPosition(), cursorAfter);
}

void TestLineEdit::autoAdvance_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chain"); // the fields after the first: e visible field, h hidden field, w hidden other widget
    QTest::addColumn<int>("focused"); // index in the chain, 0 the first field

    QTest::newRow("a full field hands on") << "12"
                                           << "e" << 1;
    QTest::newRow("a field not yet full keeps the focus") << "1"
                                                          << "e" << 0;
    QTest::newRow("hidden fields are skipped") << "12"
                                               << "hhe" << 3;
    QTest::newRow("a hidden widget other than a field ends the chain") << "12"
                                                                       << "whe" << 0;
    QTest::newRow("a chain looping through hidden fields ends") << "12"
                                                                << "hh<" << 0;
}

void TestLineEdit::autoAdvance()
{
    QFETCH(QString, typed);
    QFETCH(QString, chain);
    QFETCH(int, focused);

    QList<QWidget *> fields { form->add(new TLineEdit(nullptr, false, nullptr, false)) };
    static_cast<TLineEdit *>(fields[0])->setMaxLength(2);
    for (QChar kind : chain) {
        if (kind == '<') {
            static_cast<TLineEdit *>(fields.last())->setNextFocusWidget(fields[1]);
            break;
        }
        QWidget *w = kind == 'w' ? static_cast<QWidget *>(new QPushButton) : new TLineEdit(nullptr, false, nullptr, false);
        if (auto *previous = qobject_cast<TLineEdit *>(fields.last()))
            previous->setNextFocusWidget(w);
        fields << form->add(w);
        w->setVisible(kind == 'e');
    }
    show(fields[0]);
    QTest::keyClicks(fields[0], typed);
    QCOMPARE(QApplication::focusWidget(), fields[focused]);
}

void TestLineEdit::fillOnFocusLoss_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("fill");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filled");

    QTest::newRow("zero fill in front") << int(FILL_LEADING) << "0"
                                        << "12"
                                        << "0012";
    QTest::newRow("fill behind") << int(FILL_TRAILING) << "*"
                                 << "ab"
                                 << "ab**";
    QTest::newRow("a full field stays") << int(FILL_LEADING) << "0"
                                        << "1234"
                                        << "1234";
    QTest::newRow("no fill mode, no fill") << int(FILL_NONE) << "0"
                                           << "12"
                                           << "12";
}

void TestLineEdit::fillOnFocusLoss()
{
    QFETCH(int, mode);
    QFETCH(QString, fill);
    QFETCH(QString, text);
    QFETCH(QString, filled);

    auto *edit = form->add(new TLineEdit(nullptr, false, nullptr, false));
    auto *other = form->add(new QPushButton);
    edit->setMaxLength(4);
    if (fill == "0")
        edit->setZeroFill(TLineEditFillMode(mode));
    else
        edit->setFill(fill.at(0), TLineEditFillMode(mode));
    edit->setText(text);
    show(edit);
    other->setFocus();
    QCOMPARE(edit->text(), filled);
}

void TestLineEdit::autoRepeatedReturnSwallowed()
{
    auto *edit = form->add(new TLineEdit(nullptr, false, nullptr, false));
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
    QTest::addColumn<TCharSetValidator::TCharSet>("set");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("warned");

    using V = TCharSetValidator;
    const QString zhe(QChar(0x0416)), hardSign(QChar(0x042A));
    QTest::newRow("a refused russian letter warns") << V::CHAR_SET_RADIOTELEX << 10 << false << zhe << "ab" << true;
    QTest::newRow("another refused character does not") << V::CHAR_SET_DIGIT << 10 << false << "@"
                                                        << "ab" << false;
    QTest::newRow("an accepted russian letter does not") << V::CHAR_SET_UNICODE << 10 << false << zhe << "ab" + zhe << false;
    QTest::newRow("a full field warns even for unicode") << V::CHAR_SET_UNICODE << 2 << false << zhe << "ab" << true;
    QTest::newRow("a full field does not warn for the hard sign") << V::CHAR_SET_UNICODE << 2 << false << hardSign << "ab" << false;
    QTest::newRow("replacing a selected letter does not warn") << V::CHAR_SET_UNICODE << 10 << true << zhe << zhe << false;
    QTest::newRow("a key with several characters types nothing") << V::CHAR_SET_RADIOTELEX << 10 << false << zhe + zhe << "ab" << false;
    QTest::newRow("an unknown set takes nothing") << V::TCharSet(3) << 10 << false << "a"
                                                  << "" << false;
}

void TestLineEdit::cyrillicWarning()
{
    QFETCH(TCharSetValidator::TCharSet, set);
    QFETCH(int, maxLength);
    QFETCH(bool, selectAll);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, warned);

    auto *edit = form->add(new TLineEdit(nullptr, false, nullptr, selectAll));
    edit->setMaxLength(maxLength);
    edit->setText(set == TCharSetValidator::TCharSet(3) ? "" : selectAll ? "a" : "ab");
    edit->setCharSet(set);
    QCOMPARE(edit->getCharSet(), set);
    show(edit);
    QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_A, key, Qt::NoModifier);
    QCOMPARE(edit->text(), text);
    QCOMPARE(warnings(), warned ? QStringList { "Illegal input character" } : QStringList());
}

void TestLineEdit::withTouchKeyboard()
{
    delete form;
    form = new TForm(TAbstractSubWindow::KeyboardUserHidden);
    auto *edit = form->add(new TLineEdit(nullptr, true, nullptr, false));
    edit->setCharSet(TCharSetValidator::CHAR_SET_INM_C_7BIT_CYRILLIC);
    show(edit, Qt::MouseFocusReason);
    TTouchKeyboard *keyboard = form->getView()->getKeyboard();
    edit->setKeyboard(keyboard);
    QCOMPARE(keyboard->getKeyboardCharacterSet(), KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC);
    QVERIFY(!keyboard->isShown());

    // The button opens the keyboard in the field's alphabet, and its keys type into the field.
    QVERIFY(button(edit)->isVisible());
    QTest::mouseClick(button(edit), Qt::LeftButton);
    mainWindow->forceInstantAnimationCompletion();
    QVERIFY(keyboard->isShown());
    QVERIFY(!button(edit)->isVisible());
    QTest::mouseClick(keyboard->getKeys().at(0), Qt::LeftButton);
    QCOMPARE(edit->text(), QString(QChar(0x0439)));
    QVERIFY(keyboard->isShown()); // its own key does not count as a physical one

    // A physical key closes the user-hideable keyboard; the button fades out with it.
    button(edit)->show();
    QTest::keyClick(edit, Qt::Key_A, Qt::NoModifier);
    QCOMPARE(edit->text(), QString(QChar(0x0439)) + "a");
    QVERIFY(!keyboard->isShown());
    QTRY_VERIFY(!button(edit)->isVisible());
}

void TestLineEdit::keypadGoneFirst()
{
    auto *keypad = new TRecordingKeypad(&log);
    auto *edit = form->add(new TLineEdit(keypad, true, nullptr, false));
    delete keypad;
    show(edit, Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_A);
    edit->setCharSet(TCharSetValidator::CHAR_SET_DIGIT);
    button(edit)->click();
    QCOMPARE(edit->text(), QStringLiteral("a"));
}

QTEST_MAIN(TestLineEdit)
#include "tst_line_edit.moc"
