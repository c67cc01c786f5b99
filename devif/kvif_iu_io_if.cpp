// kvif_iu_io_if.cpp
#include "kvif_iu_io_if.h"

#include <QDebug>

TIuIoIf *TIuIoIf::pInstance = nullptr;

TIuIoIf *TIuIoIf::getInstance()
{
    if (!pInstance)
        pInstance = new TIuIoIf;
    return pInstance;
}

TIuIoIf::TIuIoIf()
    : TAbstractIuIf(nullptr)
{
    iuRegister(IO_PORT, IO_REGISTER, QByteArray(), QString(), 0);
}

void TIuIoIf::handleEvent(U16 eventCode, U16 returnCode, const QByteArray &data)
{
    Q_UNUSED(returnCode);
    switch (eventCode) {
    case IO_BATTERY_EVENT:
    case IO_BATTERY_EVENT_2:
        emit batteryEvent(eventCode, data);
        break;
    case IO_NIGHT_MODE_EVENT:
        emit nightModeEvent(IO_NIGHT_MODE_EVENT, data);
        break;
    case IO_DISTRESS_BUTTON_EVENT:
        emit distressButtonEvent(IO_DISTRESS_BUTTON_EVENT, data);
        break;
    case IO_DEVICE_LIST_EVENT:
        emit deviceListEvent(IO_DEVICE_LIST_EVENT, data);
        break;
    default:
        qDebug() << "virtual void TIuIoIf::handleEvent(U16, U16, const QByteArray&)"
                 << "Unkonwn IO event recived: " << eventCode;
        break;
    }
}
