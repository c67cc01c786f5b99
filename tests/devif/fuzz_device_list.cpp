// fuzz_device_list.cpp: device-list events of any content and length.
#include "kvif_abstract_iu_if.h"
#include "kvif_device_list_if.h"
#include "kvif_iu_io_if.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler(quiet);
    // No address: the IO client never opens a connection.
    TAbstractIuIf::setDefaultSocket(0, QString());
    TDeviceListIf::getInstance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TDeviceListIf *registry = TDeviceListIf::getInstance();
    QByteArray payload(reinterpret_cast<const char *>(data), int(size));
    // Short inputs are padded, so the entries are reached; the unpadded form is tried too.
    emit TIuIoIf::getInstance()->deviceListEvent(0x614, payload);
    if (payload.size() < TDeviceListIf::DEVICE_LIST_PAYLOAD_SIZE)
        payload.append(QByteArray(TDeviceListIf::DEVICE_LIST_PAYLOAD_SIZE - payload.size(), '\0'));
    emit TIuIoIf::getInstance()->deviceListEvent(0x614, payload);
    for (TCommonDeviceIf *device : registry->getDeviceList()) {
        if (device->getSerialNumber().size() > 32 || device->getSoftwareBuildNumber().size() > 35 || device->getIpAddress().size() > 17)
            __builtin_trap();
    }
    qDeleteAll(registry->getDeviceList());
    return 0;
}
