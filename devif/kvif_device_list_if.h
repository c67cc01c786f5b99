// kvif_device_list_if.h
#pragma once

#include "kvif_common_device_if.h"
#include "kvif_iu_socket_if_thread.h"

#include <QList>
#include <QObject>
#include <QSet>

class QTimer;

// The registry of the installation's units, sorted by type value, fed by the daemon's
// device-list events. A singleton of the GUI thread, never destroyed.
class TDeviceListIf : public QObject
{
    Q_OBJECT
public:
    enum
    {
        DEVICE_LIST_EVENT = 0x614,
        DEVICE_LIST_PAYLOAD_SIZE = 2180,
        MAX_ENTRIES = 16,
        ENTRY_SIZE = 136
    };

    static TDeviceListIf *getInstance();
    // The registry if it exists, without creating it (and so without reaching the daemon).
    static TDeviceListIf *existingInstance() { return pInstance; }

    TCommonDeviceIf *getDevice(DeviceTypes_t type, const QString &serialNumber);
    QList<TCommonDeviceIf *> getDeviceList() const { return deviceList; }

signals:
    void deviceUpdated(TCommonDeviceIf *device);
    void deviceUpdated();

private slots:
    void handleTimerUpdate();
    void handleDeviceListEvent(U16 eventCode, QByteArray byteArray);

private:
    TDeviceListIf();

    void insertDevice(TCommonDeviceIf *device);
    bool removeDevice(TCommonDeviceIf *device);
    void notifyUpdated(TCommonDeviceIf *device);

    QList<TCommonDeviceIf *> deviceList; // not owned, except the members of ownedDevices
    QSet<TCommonDeviceIf *> ownedDevices; // created here from events
    QTimer *pollTimer; // child

    static TDeviceListIf *pInstance;

    friend class TCommonDeviceIf;
};
