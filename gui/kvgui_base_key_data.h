// kvgui_base_key_data.h
#pragma once

#include <QString>
#include <Qt>

class QKeyEvent;

// What one touch key shows and sends in one layout. Owned by the keypad that builds the layout;
// one object may serve the same key in several layouts.
class TBaseKeyData
{
public:
    TBaseKeyData(const Qt::Key &key, const QString &name, const QString &iconName, bool autoRepeat);
    virtual ~TBaseKeyData();

    // A new key press that the caller owns.
    virtual QKeyEvent *createKeyPressEvent(Qt::KeyboardModifier mod);
    virtual bool isCheckable();

    Qt::Key getKey() const { return key; }
    QString getName() const { return name; }
    QString getIconName() const { return iconName; }
    bool getAutoRepeat() const { return autoRepeat; }

protected:
    Qt::Key key;
    QString name; // painted on the key; may hold a line break
    QString iconName; // painted at the key's left edge; empty for most keys
    bool autoRepeat;
};
