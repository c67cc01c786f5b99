// kvgui_disk_devices.h
#pragma once

#include <QList>
#include <QString>

class QFile;

// The storage locations of the terminal: its own data area, the USB sticks, the SD card and a
// development location, which of them are present, and forcing written data onto removable media.
// Static members only.
class TDiskDevices
{
public:
    struct TDevice
    {
        int id;
        QString name; // translated in the context QObject
        QString path;
        QString icon; // pixmap name
        bool removable; // present only while something is mounted at path
    };

    // The devices present now, in table order; fixed entries carry their "userdata" directory.
    // Not thread-safe on the first call (the root's device number is taken once without a lock).
    static QList<TDevice> getDevicesList();

    // Force a written file, or a file or directory by path, onto its medium; only paths on
    // removable entries are synchronised, with syncDir also the directory that holds them.
    // False when a synchronisation that was due failed.
    static bool flushToDisk(QFile *file, bool syncDir);
    static bool flushToDisk(const QString &path, bool syncDir);

    static const QList<TDevice> deviceTable;

private:
    // The first table entry whose path the given name starts with; null when none.
    static const TDevice *deviceOf(const QString &fileName);
};
