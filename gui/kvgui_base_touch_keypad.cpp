// kvgui_base_touch_keypad.cpp
#include "kvgui_base_touch_keypad.h"

#include "kvgui_base_key_data.h"
#include "kvgui_touch_key.h"

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
    connect(key, SIGNAL(keyActivated(TBaseKeyData *)), this, SLOT(keyClickedHandler(TBaseKeyData *)));
}

void TBaseTouchKeypad::keyClickedHandler(TBaseKeyData *kd)
{
    if (!kd)
        return;
    sendKeyEvent(kd->createKeyPressEvent(Qt::NoModifier));
}

void TBaseTouchKeypad::sendKeyEvent(QKeyEvent *e)
{
    // Kept until the next key, so the receiving field can recognise it as ours.
    delete lastKeyEvent;
    lastKeyEvent = e;
    QWidget *target = window()->focusWidget();
    if (target)
        QCoreApplication::sendEvent(target, e);
}
