// kvgui_update_object.cpp
#include "kvgui_update_object.h"

#include <QWidget>

TUpdateObject::TUpdateObject(QObject *sender, const char *signal, QWidget *receiver, const char *slot)
    : QObject(receiver)
    , pSender(sender)
    , signal(QString::fromLatin1(signal))
    , pReceiver(receiver)
    , slot(QString::fromLatin1(slot))
    , updating(false)
{ }

void TUpdateObject::start()
{
    if (updating)
        return;
    connect(pSender, signal.toLatin1().constData(), pReceiver, slot.toLatin1().constData());
    updating = true;
    emit stateChanged(true);
}

void TUpdateObject::stop()
{
    if (!updating)
        return;
    disconnect(pSender, signal.toLatin1().constData(), pReceiver, slot.toLatin1().constData());
    updating = false;
    emit stateChanged(false);
}
