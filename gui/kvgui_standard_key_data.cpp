// kvgui_standard_key_data.cpp
#include "kvgui_standard_key_data.h"

#include <QKeyEvent>

TStandardKeyData::TStandardKeyData(const Qt::Key &keyCode, const QString &keyText, const QString &label, const QString &icon, bool repeat)
    : TBaseKeyData(keyCode, label.isEmpty() ? keyText : label, icon, repeat)
    , text(keyText)
{ }

QKeyEvent *TStandardKeyData::createKeyPressEvent(Qt::KeyboardModifier mod)
{
    return new QKeyEvent(QEvent::KeyPress, key, mod, text, false, 1);
}
