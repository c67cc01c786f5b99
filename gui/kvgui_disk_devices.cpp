// kvgui_disk_devices.cpp
#include "kvgui_disk_devices.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const QList<TDiskDevices::TDevice> TDiskDevices::deviceTable = {
    { 0, QT_TRANSLATE_NOOP("QObject", "Terminal"), "/appdata", "kvgui_device_msgterminal", false },
    { 1, QT_TRANSLATE_NOOP("QObject", "Removable media"), "/media/usbstick0", "kvgui_device_usb", true },
    { 2, QT_TRANSLATE_NOOP("QObject", "Removable media"), "/media/usbstick1", "kvgui_device_usb", true },
    { 3, QT_TRANSLATE_NOOP("QObject", "Removable media"), "/media/usbstick2", "kvgui_device_usb", true },
    { 4, QT_TRANSLATE_NOOP("QObject", "Removable media"), "/media/usbstick3", "kvgui_device_usb", true },
    { 5, QT_TRANSLATE_NOOP("QObject", "Removable media"), "/media/usbstick4", "kvgui_device_usb", true },
    { 6, QT_TRANSLATE_NOOP("QObject", "Removable media"), "/media/usbstick5", "kvgui_device_usb", true },
    { 7, QT_TRANSLATE_NOOP("QObject", "Removable media"), "/media/sdcard", "kvgui_device_sdcard", true },
    { 8, QT_TRANSLATE_NOOP("QObject", "PC C:/temp/userdata"), "C:/temp", "kvgui_device_msgterminal", false },
};

static const char *const FlushFileFunction = "static void TDiskDevices::flushToDisk(QFile*, bool)";
static const char *const FlushPathFunction = "static void TDiskDevices::flushToDisk(const QString&, bool)";

static bool deviceNumber(const QString &path, dev_t *number)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    *number = status.st_dev;
    return true;
}

QList<TDiskDevices::TDevice> TDiskDevices::getDevicesList()
{
    static dev_t rootDevice = 0;
    static bool rootKnown = deviceNumber("/", &rootDevice);

    QList<TDevice> present;
    for (const TDevice &entry : deviceTable) {
        if (!QFileInfo(entry.path).isDir())
            continue;
        TDevice device = entry;
        device.name = QCoreApplication::translate("QObject", entry.name.toUtf8().constData());
        if (entry.removable) {
            dev_t number;
            // Something is mounted there only when the mount point lies on another device.
            if (rootKnown && deviceNumber(entry.path, &number) && number != rootDevice)
                present << device;
            continue;
        }
        device.path = entry.path + "/userdata";
        if (QFileInfo(device.path).isDir() || QDir(entry.path).mkdir("userdata"))
            present << device;
    }
    return present;
}

const TDiskDevices::TDevice *TDiskDevices::deviceOf(const QString &fileName)
{
    for (const TDevice &entry : deviceTable) {
        if (fileName.startsWith(entry.path, Qt::CaseSensitive))
            return &entry;
    }
    return nullptr;
}

bool TDiskDevices::flushToDisk(QFile *file, bool syncDir)
{
    if (!file)
        return false;
    const TDevice *device = deviceOf(file->fileName());
    if (!device || !device->removable)
        return true;
    bool ok = true;
    if (!file->flush()) {
        qDebug() << FlushFileFunction << "flush failed";
        ok = false;
    }
    if (::fsync(file->handle()) != 0) {
        qDebug() << FlushFileFunction << "fsync failed";
        ok = false;
    }
    if (syncDir && !flushToDisk(QFileInfo(file->fileName()).absolutePath(), false))
        ok = false;
    qDebug() << FlushFileFunction << "completed";
    return ok;
}

static bool syncPath(const char *function, const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        qDebug() << function << "open dir/file failed";
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    if (!ok)
        qDebug() << function << "fsync failed";
    ::close(fd);
    return ok;
}

bool TDiskDevices::flushToDisk(const QString &path, bool syncDir)
{
    const TDevice *device = deviceOf(path);
    if (!device || !device->removable)
        return true;
    bool ok = syncPath(FlushPathFunction, path);
    if (syncDir && !syncPath(FlushPathFunction, QFileInfo(path).absolutePath()))
        ok = false;
    qDebug() << FlushPathFunction << "completed";
    return ok;
}
