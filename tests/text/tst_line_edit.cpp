// tst_line_edit.cpp
#include "gui_test_support.h"
#include "kvgui_icon_button.h"
#include "kvgui_line_edit.h"
#include "kvgui_message_window.h"
#include "kvgui_touch_key.h"
#include "kvgui_touch_keyboard.h"

Q_DECLARE_METATYPE(TCharSetValidator::TCharSet)

// What the keypads and the field's owner heard, in order.
QStringList heard;

// A keypad that records what its text field asks of it.
class TRecordingKeypad : public TBaseTouchKeypad
{
    Q_OBJECT
public:
    using TBaseTouchKeypad::TBaseTouchKeypad;
    bool isShown() override { return shown; }
    void setKeyboardCharacterSet(TKeyboardCharacterSet) override { }
    bool shown = false;
public slots:
    void showKeyboard()
    {
        heard << (QApplication::focusWidget() && QApplication::focusWidget()->inherits("TLineEdit") ? "show, field focused" : "show");
        shown = true;
        emit showing();
    }
};

class TestLineEdit : public GuiFixture
{
    Q_OBJECT
private slots:
    void init()
    {
        GuiFixture::init();
        form = newWindow(0, QSize(400, 300)); // the fields follow its two buttons
        heard.clear();
    }

    void keyboardButton_data()
    {
        // Steps: the keypad (closed, open, none, replaced or removed after building, nobutton: a field
        // without keyboard button); the focus (touch, tab, elsewhere: on another widget); then maybe
        // requests or keypresses (the keypad it was built with hides for those reasons), typed (on a physical keyboard) or click.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("delivered"); // to the keypad and the field's owner, in order

        const QString opened = "show, field focused; selected";
        QTest::newRow("a touch shows the button; the keypad stays closed") << "closed touch" << true << "";
        QTest::newRow("tab never shows the button") << "closed tab" << false << "";
        QTest::newRow("a touch after tab fades the button in") << "closed tab press" << true << "";
        QTest::newRow("an open keypad keeps the button hidden") << "open touch" << false << "";
        QTest::newRow("a field without button shows none") << "nobutton touch" << false << "";
        QTest::newRow("the keypad closed by request: the button returns") << "open touch request" << true << "";
        QTest::newRow("closed by a physical key: the button fades out") << "closed touch keypress" << false << "";
        QTest::newRow("no keypad: a physical key fades the button out") << "none touch typed" << false << "";
        QTest::newRow("closed by request during the fade-out: the button returns") << "closed touch keypress request" << true << "";
        QTest::newRow("click: the field takes focus, keypad opens, then the owner hears") << "closed elsewhere click" << false << opened;
        QTest::newRow("a replaced keypad's hiding is no longer heard") << "replaced touch keypress" << true << "";
        QTest::newRow("click with a replaced keypad: only the new one opens") << "replaced elsewhere click" << false << opened;
        QTest::newRow("click with the keypad taken away: the owner's own entry") << "removed elsewhere click" << false << "selected";
    }
    void keyboardButton()
    {
        QFETCH(QString, steps);
        QFETCH(bool, shown);
        QFETCH(QString, delivered);
        const QStringList step = steps.split(' ');
        const QString keypad = step.at(0), focus = step.at(1), then = step.value(2);

        TRecordingKeypad current(nullptr), old(nullptr);
        current.shown = keypad == "open";
        const QMap<QString, TRecordingKeypad *> built { { "closed", &current }, { "open", &current }, { "replaced", &old },
            { "removed", &old } };
        auto *edit = newEdit(built.value(keypad), keypad != "nobutton");
        QWidget *other = form->first;
        if (keypad == "replaced" || keypad == "removed")
            edit->setKeyboard(keypad == "removed" ? nullptr : &current);
        connect(edit, &TLineEdit::touchKeyboardSelected, [] { heard << "selected"; });
        show(focus == "elsewhere" ? other : edit, focus == "tab" ? Qt::TabFocusReason : Qt::MouseFocusReason);
        for (const QString &reason : step.mid(2).filter(QRegularExpression("^(request|keypress)$")))
            emit built.value(keypad)->hidding(reason == "request" ? HIDDING_BY_REQUEST : HIDDING_BY_KEY_PRESS);
        if (then == "typed") {
            QTest::keyClicks(edit, "ab");
            edit->setCharSet(TCharSetValidator::CHAR_SET_DIGIT); // asks the keypad, if any, for its digits
        } else if (then == "press") {
            QTest::mouseClick(edit, Qt::LeftButton);
        } else if (then == "click") {
            button(edit)->show();
            button(edit)->click();
            QCOMPARE(QApplication::focusWidget(), edit);
        }
        // Judged once a fade is over.
        QTRY_VERIFY(!edit->findChild<QTimeLine *>() || edit->findChild<QTimeLine *>()->state() == QTimeLine::NotRunning);
        // The text never runs under the button.
        QCOMPARE(qMakePair(button(edit) && button(edit)->isVisible(), edit->textMargins().right()), qMakePair(shown, shown ? 58 : 0));
        QCOMPARE(heard.join("; "), delivered); // a replaced keypad would be heard too
        other->setFocus();
        QVERIFY((!button(edit) || !button(edit)->isVisible()) && edit->textMargins().right() == 0);
    }
    // An auto-repeated Return reaches the window once; a finger drawn over part of the text selects that part.
    void returnOnceAndDragSelects()
    {
        auto *edit = newEdit();
        QSignalSpy returns(edit, SIGNAL(returnPressed()));
        show(edit);
        for (bool repeat : { false, true, true, true }) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), repeat);
            QApplication::sendEvent(edit, &press);
            // Only the first goes on to the window, whose default button it would press.
            QCOMPARE(press.isAccepted(), repeat);
        }
        QCOMPARE(returns.count(), 1);
        edit->setText("ab");
        edit->setCursorPosition(1);
        touch(edit, QEvent::MouseButtonPress, edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        touch(edit, QEvent::MouseMove, QPoint(1, edit->height() / 2));
        QCOMPARE(edit->selectedText(), QString("a"));
        // Reached again by Tab once the focus has left it, the field selects its whole text as any Qt field
        // does: Qt's own focus-in has run, which also starts the text cursor.
        form->first->setFocus();
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->selectedText(), QString("ab"));
    }
    // The key panel's arrows leave a field at its ends; a field's own next keys leave it from anywhere.
    void focusMoves_data()
    {
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focused");
        QTest::newRow("Left at the start goes back") << 0 << int(Qt::Key_Left) << "previous";
        QTest::newRow("Left within the text stays") << 1 << int(Qt::Key_Left) << "field";
        QTest::newRow("Right at the end goes on") << 2 << int(Qt::Key_Right) << "next";
        QTest::newRow("Right within the text stays") << 1 << int(Qt::Key_Right) << "field";
        QTest::newRow("a set next key goes on from within") << 1 << int(Qt::Key_Down) << "next";
        QTest::newRow("Home at the start stays") << 0 << int(Qt::Key_Home) << "field";
        QTest::newRow("an unmapped key is no unset next key") << 1 << int(Qt::Key_unknown) << "field";
    }
    void focusMoves()
    {
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(QString, focused);
        auto *edit = newEdit();
        auto *next = newEdit();
        edit->setPreviousFocusWidget(form->first);
        edit->setNextFocusWidget(next, Qt::Key_Down, Qt::Key_Return); // no other key goes on
        edit->setText("ab");
        edit->setMaxLength(4);
        edit->setZeroFill(FILL_LEADING); // padded as the focus leaves
        show(edit);
        edit->setCursorPosition(cursor);
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key(key), QString(), Qt::NoModifier);
        const QMap<QString, QWidget *> widgets { { "previous", form->first }, { "next", next }, { "field", edit } };
        QVERIFY(QApplication::focusWidget() == widgets.value(focused) && edit->text() == (focused == "field" ? "ab" : "00ab"));
    }
    void cyrillicWarning_data()
    {
        QTest::addColumn<TCharSetValidator::TCharSet>("set");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("selectAll"); // of the text "a"; otherwise the field holds "ab"
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warned");

        using V = TCharSetValidator;
        const QString zhe(QChar(0x0416));
        QTest::newRow("a refused russian letter warns") << V::CHAR_SET_RADIOTELEX << 10 << false << "ab" << true;
        QTest::newRow("an accepted russian letter does not") << V::CHAR_SET_UNICODE << 10 << false << "ab" + zhe << false;
        QTest::newRow("a full field warns even for unicode") << V::CHAR_SET_UNICODE << 2 << false << "ab" << true;
        QTest::newRow("replacing a selected letter does not warn") << V::CHAR_SET_UNICODE << 10 << true << zhe << false;
    }
    void cyrillicWarning()
    {
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
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_A, QString(QChar(0x0416)), Qt::NoModifier); // a russian letter
        QCOMPARE(edit->text(), text);
        auto *view = qobject_cast<TSubWindowView *>(mainWindow->getTopView());
        auto *message = view ? qobject_cast<TMessageWindow *>(view->getWindow()) : nullptr;
        QCOMPARE(message ? message->getHeader() : QString(), warned ? QString("Illegal input character") : QString());
    }

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
        auto *edit = new TLineEdit(keypad, withButton, nullptr, selectAll);
        form->layout()->addWidget(edit);
        return edit;
    }
    static TIconButton *button(TLineEdit *e) { return e->findChild<TIconButton *>(); }
    TestSubWindow *form = nullptr;
};

QTEST_MAIN(TestLineEdit)
#include "tst_line_edit.moc"
