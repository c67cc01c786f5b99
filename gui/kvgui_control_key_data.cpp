// kvgui_control_key_data.cpp
#include "kvgui_control_key_data.h"

TControlKeyData::TControlKeyData(const Qt::Key &keyCode, const QString &keyName, const QString &icon)
    : TBaseKeyData(keyCode, keyName, icon, false)
{ }

bool TControlKeyData::isCheckable()
{
    return true;
}
