// kvgui_base_touch_keypad.h
#pragma once

#include <QFrame>
#include <QList>

class QKeyEvent;
class TBaseKeyData;
class TTouchKey;

// Why an on-screen keypad was hidden.
// Plain integers underneath, so a value from outside the list is carried, not undefined.
enum THiddingReason : int
{
    // A key from a physical keyboard reached a text field while the keypad was user-hideable.
    HIDDING_BY_KEY_PRESS = 0,
    // The hide key, hideKeyboard(), or the sub-window view closing its window.
    HIDDING_BY_REQUEST = 1
};

// The layout family a text field asks of the on-screen keyboard.
enum TKeyboardCharacterSet : int
{
    KEYBOARD_CHARACTER_SET_ASCII = 0,
    KEYBOARD_CHARACTER_SET_INM_C_5BIT = 1,
    KEYBOARD_CHARACTER_SET_RADIOTELEX = 2,
    KEYBOARD_CHARACTER_SET_DIGIT = 3,
    KEYBOARD_CHARACTER_SET_DIGIT_PLUS = 4,
    KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC = 5,
    KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC = 6,
    KEYBOARD_CHARACTER_SET_RADIOTELEX_CYRILLIC = 7
};

// What text fields hold to reach an on-screen keypad: a frame of touch keys that turns a key's
// data into a synthetic key press and sends it synchronously to the focus widget of its window,
// so every input widget works with it unchanged.
class TBaseTouchKeypad : public QFrame
{
    Q_OBJECT
public:
    explicit TBaseTouchKeypad(QWidget *parent);
    ~TBaseTouchKeypad() override;

    virtual bool isShown();
    // True only for the very event object this keypad sent last.
    virtual bool isTouchKeyboredEvent(QKeyEvent *e);
    virtual void setKeyboardCharacterSet(TKeyboardCharacterSet set);
    virtual int getCharacterSetChangeBy();

    void addNewKey(TTouchKey *key);
    const QList<TTouchKey *> &getKeys() const { return keys; }

signals:
    void hidding(THiddingReason reason);
    void showing();

protected slots:
    virtual void keyClickedHandler(TBaseKeyData *kd);

protected:
    // Replaces the last key event by e (taking ownership) and sends it to the window's focus widget.
    void sendKeyEvent(QKeyEvent *e);

    QList<TTouchKey *> keys; // children, in creation order
    QKeyEvent *lastKeyEvent; // owned; null until the first key is sent
};

Q_DECLARE_METATYPE(THiddingReason)
Q_DECLARE_METATYPE(TKeyboardCharacterSet)
