// kvif_device_list_if.cpp
#include "kvif_device_list_if.h"

#include "kvif_iu_io_if.h"

#include <QTimer>

#include <cstring>

TDeviceListIf *TDeviceListIf::pInstance = nullptr;

namespace {

const int PollIntervalMs = 10000;

// Entry layout of the device-list event.
const int AddressKindOffset = 0;
const int AddressOffset = 4;
const int AddressSize = 17;
const int TypeNameOffset = 21;
const int TypeNameSize = 16;
const int SerialOffset = 37;
const int SerialSize = 32;
const int VersionOffset = 69;
const int VersionSize = 32;
const int BuildOffset = 101;
const int BuildSize = 35;
const int EntriesOffset = 4;

enum
{
    ADDRESS_IP = 0,
    ADDRESS_CAN = 1
};

// A text ends at its first zero byte, or at the end of its span when there is none.
QString spanText(const char *entry, int offset, int size)
{
    const char *begin = entry + offset;
    const void *zero = std::memchr(begin, 0, size_t(size));
    const int length = zero ? int(static_cast<const char *>(zero) - begin) : size;
    return QString::fromLatin1(begin, length);
}

quint32 readU32(const char *p)
{
    return quint32(quint8(p[0])) | (quint32(quint8(p[1])) << 8) | (quint32(quint8(p[2])) << 16) | (quint32(quint8(p[3])) << 24);
}

} // namespace

TDeviceListIf *TDeviceListIf::getInstance()
{
    if (!pInstance)
        pInstance = new TDeviceListIf;
    return pInstance;
}

TDeviceListIf::TDeviceListIf()
    : QObject(nullptr)
    , pollTimer(new QTimer(this))
{
    // Set before the IO client exists, so devices created meanwhile find their registry.
    pInstance = this;
    connect(TIuIoIf::getInstance(), SIGNAL(deviceListEvent(U16, QByteArray)), this, SLOT(handleDeviceListEvent(U16, QByteArray)));
    connect(pollTimer, SIGNAL(timeout()), this, SLOT(handleTimerUpdate()));
    pollTimer->start(PollIntervalMs);
}

TCommonDeviceIf *TDeviceListIf::getDevice(DeviceTypes_t type, const QString &serialNumber)
{
    for (TCommonDeviceIf *device : qAsConst(deviceList)) {
        if (device->type == type && device->baseData.serialNumber == serialNumber)
            return device;
    }
    return nullptr;
}

void TDeviceListIf::handleTimerUpdate()
{
    // A poll may register or deregister objects; the list is walked as it was.
    const QList<TCommonDeviceIf *> devices = deviceList;
    for (TCommonDeviceIf *device : devices) {
        if (deviceList.contains(device) && device->polled)
            device->baseDataNeedUpdate();
    }
}

void TDeviceListIf::handleDeviceListEvent(U16 eventCode, QByteArray byteArray)
{
    if (eventCode != DEVICE_LIST_EVENT || byteArray.size() < DEVICE_LIST_PAYLOAD_SIZE)
        return;
    const char *payload = byteArray.constData();
    const int count = quint8(payload[0]) | (quint8(payload[1]) << 8);
    QSet<TCommonDeviceIf *> present;

    if (count >= 1 && count <= MAX_ENTRIES) {
        for (int i = 0; i < count; ++i) {
            const char *entry = payload + EntriesOffset + ENTRY_SIZE * i;
            const DeviceTypes_t type = TCommonDeviceIf::getDeviceType(spanText(entry, TypeNameOffset, TypeNameSize));
            if (type == DEVICE_TYPE_UNKNOWN)
                continue;
            const QString serialNumber = spanText(entry, SerialOffset, SerialSize);
            TCommonDeviceIf *device = getDevice(type, serialNumber);

            base_device_data_t data
                = device ? device->baseData : base_device_data_t { QString(), QString(), QString(), QString(), QString(), false };
            data.serialNumber = serialNumber;
            data.softwareVersion = spanText(entry, VersionOffset, VersionSize);
            data.softwareBuildNumber = spanText(entry, BuildOffset, BuildSize);
            const quint32 addressKind = readU32(entry + AddressKindOffset);
            if (addressKind == ADDRESS_IP)
                data.ipAddress = spanText(entry, AddressOffset, AddressSize);
            else if (addressKind == ADDRESS_CAN)
                data.canId = spanText(entry, AddressOffset, AddressSize);

            switch (type) {
            case DEVICE_TYPE_1538C:
            case DEVICE_TYPE_1538D:
                data.connected = device && device->polled && device->baseData.connected;
                break;
            case DEVICE_TYPE_1538SSA:
            case DEVICE_TYPE_1538LRIT:
            case DEVICE_TYPE_1538M:
            case DEVICE_TYPE_1538L:
            case DEVICE_TYPE_1538UNKNOWN:
                data.connected = false;
                break;
            case DEVICE_TYPE_4452:
                data.connected = device && device->baseData.connected;
                break;
            default:
                data.connected = true;
                break;
            }

            if (device) {
                device->updateBaseData(data);
            } else if (type != DEVICE_TYPE_4417) {
                device = new TCommonDeviceIf(type, data);
                ownedDevices.insert(device);
                device->registerDevice(false);
            }
            if (device)
                present.insert(device);
        }
    }

    // Units that went silent are shown as not connected; terminals and the power supply keep
    // their state, and nothing is removed.
    const QList<TCommonDeviceIf *> devices = deviceList;
    for (TCommonDeviceIf *device : devices) {
        if (present.contains(device) || !deviceList.contains(device))
            continue;
        const int type = device->type;
        if (type == DEVICE_TYPE_UNKNOWN || (type >= DEVICE_TYPE_4640 && type != DEVICE_TYPE_4452)) {
            base_device_data_t data = device->baseData;
            data.connected = false;
            device->updateBaseData(data);
        }
    }
}

void TDeviceListIf::insertDevice(TCommonDeviceIf *device)
{
    int index = 0;
    while (index < deviceList.size() && deviceList.at(index)->type <= device->type)
        ++index;
    deviceList.insert(index, device);
}

bool TDeviceListIf::removeDevice(TCommonDeviceIf *device)
{
    return deviceList.removeAll(device) > 0;
}

void TDeviceListIf::notifyUpdated(TCommonDeviceIf *device)
{
    emit deviceUpdated(device);
}
