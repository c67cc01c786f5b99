// kvif_iu_io_if.h
#pragma once

#include "kvif_abstract_iu_if.h"

// The client of the daemon's IO service: turns its packets into one signal per kind of event.
// A singleton living in the GUI thread.
class TIuIoIf : public TAbstractIuIf
{
    Q_OBJECT
public:
    enum
    {
        IO_PORT = 3,
        IO_REGISTER = 0x600,
        IO_BATTERY_EVENT = 0x601,
        IO_NIGHT_MODE_EVENT = 0x603,
        IO_DISTRESS_BUTTON_EVENT = 0x604,
        IO_BATTERY_EVENT_2 = 0x608,
        IO_DEVICE_LIST_EVENT = 0x614,
    };

    static TIuIoIf *getInstance();

signals:
    void batteryEvent(U16 eventCode, QByteArray byteArray);
    void nightModeEvent(U16 eventCode, QByteArray byteArray);
    void distressButtonEvent(U16 eventCode, QByteArray byteArray);
    void deviceListEvent(U16 eventCode, QByteArray byteArray);

private slots:
    void handleEvent(U16 eventCode, U16 returnCode, const QByteArray &data) override;

private:
    TIuIoIf();

    static TIuIoIf *pInstance;
};
