// kvgui_base_touch_keypad.cpp
#include "kvgui_base_touch_keypad.h"

#include <QCoreApplication>
#include <QKeyEvent>

TBaseTouchKeypad::TBaseTouchKeypad(QWidget *parent)
    : QFrame(parent)
    , lastKeyEvent(nullptr)
{ }

TBaseTouchKeypad::~TBaseTouchKeypad()
{
    delete lastKeyEvent;
}

bool TBaseTouchKeypad::isShown()
{
    return isVisible();
}

bool TBaseTouchKeypad::isTouchKeyboredEvent(QKeyEvent *e)
{
    return e && e == lastKeyEvent;
}

void TBaseTouchKeypad::setKeyboardCharacterSet(TKeyboardCharacterSet) { }

int TBaseTouchKeypad::getCharacterSetChangeBy()
{
    return 0;
}

void TBaseTouchKeypad::addNewKey(TTouchKey *key)
{
    keys.append(key);
}

void TBaseTouchKeypad::keyClickedHandler(TBaseKeyData *) { }

void TBaseTouchKeypad::sendKeyEvent(QKeyEvent *e)
{
    delete lastKeyEvent;
    lastKeyEvent = e;
    if (QWidget *focus = window()->focusWidget())
        QCoreApplication::sendEvent(focus, e);
}
