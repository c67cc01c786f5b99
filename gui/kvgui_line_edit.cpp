// kvgui_line_edit.cpp
#include "kvgui_line_edit.h"

#include "kvgui_icon_button.h"
#include "kvgui_message_window.h"

#include <QDebug>
#include <QKeyEvent>
#include <QSet>

namespace {
const int TouchHeight = 58;
} // namespace

TLineEdit::TLineEdit(TBaseTouchKeypad *keyboard, bool withKeyboardButton, QWidget *parent, bool selectAll)
    : QLineEdit(parent)
    , pkeyboardButton(nullptr)
    , pKeyboard(keyboard)
    , pValidator(nullptr)
    , fillMode(FILL_NONE)
    , bSelectAll(selectAll)
    , nextFocusKey(Qt::Key_unknown)
    , secondNextFocusKey(Qt::Key_unknown)
{
    setMinimumHeight(TouchHeight);
    pValidator = new TCharSetValidator(TCharSetValidator::CHAR_SET_UNICODE, this);
    setValidator(pValidator);

    if (withKeyboardButton) {
        pkeyboardButton = new TIconButton(QString(), QStringLiteral("kvgui_keyboard"), this);
        // Placed by hand in the corner, so it keeps the size of its image; shown only when wanted.
        pkeyboardButton->resize(pkeyboardButton->minimumSize());
        pkeyboardButton->setVisible(false);
        // Delivery order on one click: take the focus (and the keypad layout), open the keypad, tell the owner.
        connect(pkeyboardButton, SIGNAL(clicked()), this, SLOT(handleKeyboardButtonPressed()));
        connect(pkeyboardButton, SIGNAL(clicked()), this, SIGNAL(touchKeyboardSelected()));
        if (pKeyboard)
            connectKeyboard();
    }
    connect(this, SIGNAL(textEdited(const QString &)), this, SLOT(textEditedHandler(const QString &)));
}

void TLineEdit::connectKeyboard()
{
    // The keypad opens before the owner hears of the click, as when the field was built with it.
    disconnect(pkeyboardButton, SIGNAL(clicked()), this, SIGNAL(touchKeyboardSelected()));
    connect(pkeyboardButton, SIGNAL(clicked()), pKeyboard, SLOT(showKeyboard()));
    connect(pkeyboardButton, SIGNAL(clicked()), this, SIGNAL(touchKeyboardSelected()));
    connect(pKeyboard, SIGNAL(hidding(THiddingReason)), this, SLOT(keyboardHiddingHandler(THiddingReason)));
    connect(pKeyboard, SIGNAL(showing()), this, SLOT(keyboardShowingHandler()));
}

void TLineEdit::disconnectKeyboard()
{
    disconnect(pkeyboardButton, SIGNAL(clicked()), pKeyboard, SLOT(showKeyboard()));
    disconnect(pKeyboard, SIGNAL(hidding(THiddingReason)), this, SLOT(keyboardHiddingHandler(THiddingReason)));
    disconnect(pKeyboard, SIGNAL(showing()), this, SLOT(keyboardShowingHandler()));
}

void TLineEdit::setPreviousFocusWidget(QWidget *w)
{
    pPreviousFocusWidget = w;
}

void TLineEdit::setNextFocusWidget(QWidget *w)
{
    pNextFocusWidget = w;
}

void TLineEdit::setNextFocusWidget(QWidget *w, Qt::Key key)
{
    pNextFocusWidget = w;
    nextFocusKey = key;
}

void TLineEdit::setNextFocusWidget(QWidget *w, Qt::Key key, Qt::Key secondKey)
{
    pNextFocusWidget = w;
    nextFocusKey = key;
    secondNextFocusKey = secondKey;
}

void TLineEdit::setFill(QChar c, TLineEditFillMode mode)
{
    fillChar = c;
    fillMode = mode;
}

void TLineEdit::setZeroFill(TLineEditFillMode mode)
{
    setFill(QLatin1Char('0'), mode);
}

void TLineEdit::setCharSet(TCharSetValidator::TCharSet set)
{
    if (set != pValidator->getCharSet())
        pValidator->setCharSet(set, QString());
    if (pKeyboard && hasFocus())
        updateKeyboardCharSet();
}

void TLineEdit::setKeyboard(TBaseTouchKeypad *keyboard)
{
    if (keyboard == pKeyboard)
        return;
    if (pKeyboard && pkeyboardButton)
        disconnectKeyboard();
    pKeyboard = keyboard;
    if (!pKeyboard)
        return;
    if (pkeyboardButton)
        connectKeyboard();
    if (hasFocus())
        updateKeyboardCharSet();
}

void TLineEdit::updateKeyboardCharSet()
{
    if (!pKeyboard)
        return;
    TKeyboardCharacterSet family = KEYBOARD_CHARACTER_SET_ASCII;
    switch (pValidator->getCharSet()) {
    case TCharSetValidator::CHAR_SET_RADIOTELEX:
        family = KEYBOARD_CHARACTER_SET_RADIOTELEX;
        break;
    case TCharSetValidator::CHAR_SET_INM_C_5BIT:
        family = KEYBOARD_CHARACTER_SET_INM_C_5BIT;
        break;
    case TCharSetValidator::CHAR_SET_DIGIT:
        family = KEYBOARD_CHARACTER_SET_DIGIT;
        break;
    case TCharSetValidator::CHAR_SET_DIGIT_PLUS:
        family = KEYBOARD_CHARACTER_SET_DIGIT_PLUS;
        break;
    case TCharSetValidator::CHAR_SET_INM_C_7BIT_CYRILLIC:
        family = KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC;
        break;
    case TCharSetValidator::CHAR_SET_INM_C_8BIT_CYRILLIC_CP866:
    case TCharSetValidator::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251:
        family = KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC;
        break;
    case TCharSetValidator::CHAR_SET_RADIOTELEX_CYRILLIC:
        family = KEYBOARD_CHARACTER_SET_RADIOTELEX_CYRILLIC;
        break;
    case TCharSetValidator::CHAR_SET_ASCII:
    case TCharSetValidator::CHAR_SET_UNICODE:
        break;
    }
    pKeyboard->setKeyboardCharacterSet(family);
}

bool TLineEdit::keyboardShown() const
{
    return pKeyboard && pKeyboard->isShown();
}

void TLineEdit::resizeEvent(QResizeEvent *e)
{
    QLineEdit::resizeEvent(e);
    if (pkeyboardButton)
        pkeyboardButton->move(width() - pkeyboardButton->width(), height() - pkeyboardButton->height());
}

void TLineEdit::showKeyboardButton(bool bFade)
{
    if (!pkeyboardButton)
        return;
    if (bFade)
        pkeyboardButton->fadeShow();
    else
        pkeyboardButton->setVisible(true);
    // Text never runs under the button.
    QMargins margins = textMargins();
    margins.setRight(pkeyboardButton->width());
    setTextMargins(margins);
}

void TLineEdit::hideKeyboardButton(bool bFade)
{
    if (!pkeyboardButton)
        return;
    QMargins margins = textMargins();
    margins.setRight(0);
    setTextMargins(margins);
    if (bFade)
        pkeyboardButton->fadeHide();
    else
        pkeyboardButton->setVisible(false);
}

void TLineEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    const bool touched = e->reason() == Qt::MouseFocusReason || e->reason() == Qt::OtherFocusReason;
    if (touched && !keyboardShown() && pkeyboardButton) {
        qDebug() << "void TLineEdit::focusInEvent(QFocusEvent*)"
                 << ": showKeyboardButton(false)";
        showKeyboardButton(false);
    }
    if (bSelectAll)
        selectAll();
    updateKeyboardCharSet();
}

void TLineEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    if (pkeyboardButton) {
        qDebug() << "void TLineEdit::focusOutEvent(QFocusEvent*)"
                 << ": hideKeyboardButton(false)";
        hideKeyboardButton(false);
    }
    if (fillMode != FILL_NONE)
        fillText();
}

void TLineEdit::fillText()
{
    const int n = maxLength() - text().length();
    if (n <= 0)
        return;
    const QString fill(n, fillChar);
    if (fillMode == FILL_LEADING)
        setText(fill + text());
    else if (fillMode == FILL_TRAILING)
        setText(text() + fill);
}

void TLineEdit::mousePressEvent(QMouseEvent *e)
{
    QLineEdit::mousePressEvent(e);
    if (!keyboardShown() && pkeyboardButton) {
        qDebug() << "void TLineEdit::mousePressEvent(QMouseEvent*)"
                 << ": pkeyboardButton->fadeShow()";
        showKeyboardButton(true);
    }
    if (bSelectAll && e->button() == Qt::LeftButton)
        selectAll();
}

void TLineEdit::mouseMoveEvent(QMouseEvent *e)
{
    QLineEdit::mouseMoveEvent(e);
    // Dragging must not shrink the selection.
    if (bSelectAll && (e->buttons() & Qt::LeftButton))
        selectAll();
}

void TLineEdit::handleKeyboardButtonPressed()
{
    qDebug() << "void TLineEdit::handleKeyboardButtonPressed()"
             << ": hideKeyboardButton(false)";
    setFocus(Qt::MouseFocusReason);
    hideKeyboardButton(false);
}

void TLineEdit::keyboardShowingHandler()
{
    qDebug() << "void TLineEdit::keyboardShowingHandler()"
             << ": hideKeyboardButton(false)";
    hideKeyboardButton(false);
}

void TLineEdit::keyboardHiddingHandler(THiddingReason reason)
{
    if (reason == HIDDING_BY_KEY_PRESS) {
        // The operator has gone over to a physical keyboard.
        qDebug() << "void TLineEdit::keyboardHiddingHandler(THiddingReason)"
                 << ": pkeyboardButton->fadeHide()";
        hideKeyboardButton(true);
    } else if (hasFocus()) {
        qDebug() << "void TLineEdit::keyboardHiddingHandler(THiddingReason)"
                 << ": pkeyboardButton->fadeShow()";
        showKeyboardButton(true);
    }
}

void TLineEdit::keyPressEvent(QKeyEvent *e)
{
    // Lets a user-hideable keypad close when the key came from a physical keyboard.
    if (pKeyboard) {
        pKeyboard->isTouchKeyboredEvent(e);
    } else if (pkeyboardButton) {
        qDebug() << "void TLineEdit::keyPressEvent(QKeyEvent*)"
                 << ": pkeyboardButton->fadeHide()";
        hideKeyboardButton(true);
    }

    const int key = e->key();
    // Only keys that are set count: Qt reports unmapped keys as Qt::Key_unknown, the mark of an unset key.
    if ((nextFocusKey != Qt::Key_unknown && key == nextFocusKey) || (secondNextFocusKey != Qt::Key_unknown && key == secondNextFocusKey)) {
        if (pNextFocusWidget)
            pNextFocusWidget->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (key == Qt::Key_Left && pPreviousFocusWidget && cursorPosition() == 0) {
        pPreviousFocusWidget->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (key == Qt::Key_Right && pNextFocusWidget && cursorPosition() == text().length()) {
        pNextFocusWidget->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (key == Qt::Key_Return && e->isAutoRepeat()) {
        // Swallowed here, so a held key neither repeats the field's action nor presses the window's default button.
        e->accept();
        return;
    }

    const QString before = text();
    QLineEdit::keyPressEvent(e);
    // An unchanged text means the letter was refused; a same-length text may be a replaced selection.
    if (text() == before && TCharSetValidator::isCyrillicKey(e)) {
        TMessageWindow::warning(tr("Illegal input character"),
            tr("Cyrillic characters not allowed. Switch between cyrillic and latin keyboard with ALT+SHIFT, or disable cyrillic in "
               "System Settings."),
            this, nullptr, nullptr);
    }
}

void TLineEdit::keyReleaseEvent(QKeyEvent *e)
{
    QLineEdit::keyReleaseEvent(e);
    // The press of Return goes on to the window, whose default button it presses; the release
    // must follow it there, or the button stays down without clicking. Qt 6's line edit would
    // keep it.
    if (e->key() == Qt::Key_Return)
        e->ignore();
}

void TLineEdit::textEditedHandler(const QString &)
{
    if (!pNextFocusWidget || cursorPosition() != maxLength())
        return;
    // Hidden fields of the chain are skipped; a chain that loops through hidden fields ends where it repeats.
    QSet<QWidget *> seen;
    TLineEdit *current = this;
    for (;;) {
        QWidget *next = current->pNextFocusWidget;
        if (!next || seen.contains(next))
            return;
        seen.insert(next);
        if (next->isVisible()) {
            next->setFocus(Qt::OtherFocusReason);
            return;
        }
        current = qobject_cast<TLineEdit *>(next);
        if (!current)
            return;
    }
}
