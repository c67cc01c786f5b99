// kvgui_control_key_data.h
#pragma once

#include "kvgui_base_key_data.h"

// A latching key (Shift, Caps Lock, mode keys) that types nothing.
class TControlKeyData : public TBaseKeyData
{
public:
    TControlKeyData(const Qt::Key &key, const QString &name, const QString &iconName);

    bool isCheckable() override;
};
