// kvgui_line_edit.h
#pragma once

#include "kvgui_base_touch_keypad.h"
#include "kvgui_char_set_validator.h"

#include <QLineEdit>
#include <QPointer>

class TIconButton;

enum TLineEditFillMode
{
    FILL_NONE = 0,
    FILL_LEADING = 1, // fill characters go before the text
    FILL_TRAILING = 2 // fill characters go after the text
};

// The single-line text field of the touch framework. It always carries a character-set validator, can open
// an on-screen keypad from a keyboard button inside its right edge, chains focus to neighbouring fields with
// the arrow keys or when it is full, pads its text when it loses focus, and warns when a Cyrillic letter is
// refused.
class TLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    TLineEdit(TBaseTouchKeypad *keyboard, bool withKeyboardButton, QWidget *parent, bool selectAll);

    void setPreviousFocusWidget(QWidget *w);
    void setNextFocusWidget(QWidget *w);
    void setNextFocusWidget(QWidget *w, Qt::Key key);
    void setNextFocusWidget(QWidget *w, Qt::Key key, Qt::Key secondKey);
    QWidget *getNextFocusWidget() const { return pNextFocusWidget; }

    void setFill(QChar c, TLineEditFillMode mode);
    void setZeroFill(TLineEditFillMode mode);

    TCharSetValidator *getCharSetValidator() const { return pValidator; }
    TCharSetValidator::TCharSet getCharSet() const { return pValidator->getCharSet(); }
    void setCharSet(TCharSetValidator::TCharSet set);

    void setKeyboard(TBaseTouchKeypad *keyboard);
    void updateKeyboardCharSet();

signals:
    void touchKeyboardSelected();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private slots:
    void handleKeyboardButtonPressed();
    void keyboardHiddingHandler(THiddingReason reason);
    void keyboardShowingHandler();
    void textEditedHandler(const QString &text);
    void hideKeyboardButton(bool bFade);
    void showKeyboardButton(bool bFade);

private:
    void connectKeyboard();
    void disconnectKeyboard();
    bool keyboardShown() const;
    void fillText();

    TIconButton *pkeyboardButton; // child; null without keyboard button
    // Not owned; a keypad may go before the field that uses it.
    QPointer<TBaseTouchKeypad> pKeyboard;
    TCharSetValidator *pValidator; // child
    // Neighbours in a focus chain; guarded, since a chain may outlive one of its fields.
    QPointer<QWidget> pPreviousFocusWidget;
    QPointer<QWidget> pNextFocusWidget;
    TLineEditFillMode fillMode;
    QChar fillChar;
    bool bSelectAll;
    Qt::Key nextFocusKey; // Qt::Key_unknown: not set
    Qt::Key secondNextFocusKey;
};
