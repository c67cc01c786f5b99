// kvgui_base_key_data.cpp
#include "kvgui_base_key_data.h"

#include <QKeyEvent>

TBaseKeyData::TBaseKeyData(const Qt::Key &keyCode, const QString &keyName, const QString &icon, bool repeat)
    : key(keyCode)
    , name(keyName)
    , iconName(icon)
    , autoRepeat(repeat)
{ }

TBaseKeyData::~TBaseKeyData() = default;

QKeyEvent *TBaseKeyData::createKeyPressEvent(Qt::KeyboardModifier mod)
{
    return new QKeyEvent(QEvent::KeyPress, key, mod, QString(), false, 1);
}

bool TBaseKeyData::isCheckable()
{
    return false;
}
