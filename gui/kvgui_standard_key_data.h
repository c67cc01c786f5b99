// kvgui_standard_key_data.h
#pragma once

#include "kvgui_base_key_data.h"

// A key that types: characters, Space, Backspace, Enter, the arrows.
class TStandardKeyData : public TBaseKeyData
{
public:
    // An empty label makes the key show its own text.
    TStandardKeyData(const Qt::Key &key, const QString &text, const QString &label, const QString &iconName, bool autoRepeat);

    QKeyEvent *createKeyPressEvent(Qt::KeyboardModifier mod) override;

    QString getText() const { return text; }

private:
    QString text;
};
