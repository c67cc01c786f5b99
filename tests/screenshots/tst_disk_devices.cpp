// tst_disk_devices.cpp: which storage devices are present, and that the flush helper forces data onto
// removable media only (observed as fsync calls, not taken from its log lines).
#include "screenshot_test_support.h"

class TestDiskDevices : public QObject
{
    Q_OBJECT

private slots:
    void presentDevices_data();
    void presentDevices();
    void flushToDisk_data();
    void flushToDisk();

private:
    QTemporaryDir tmp;
};

void TestDiskDevices::presentDevices_data()
{
    QTest::addColumn<QStringList>("sandbox");
    QTest::addColumn<QStringList>("devices");

    QTest::newRow("nothing mounted: the data area with userdata made") << QStringList() << QStringList { "device 0 /appdata/userdata" };
    QTest::newRow("mounted media in table order")
        << QStringList { "--sdcard", "--usb", "5", "--usb", "1" }
        << QStringList { "device 0 /appdata/userdata", "device 2 /media/usbstick1", "device 6 /media/usbstick5", "device 7 /media/sdcard" };
}

void TestDiskDevices::presentDevices()
{
    QFETCH(QStringList, sandbox);
    QFETCH(QStringList, devices);
    const ChildRun run = runChild(tmp, sandbox, { "devices" });
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.output.filter(QRegularExpression("^device ")), devices);
}

void TestDiskDevices::flushToDisk_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("synced");

    QTest::newRow("file on a stick, then its directory")
        << "flush:/media/usbstick2/a/b.txt" << QStringList { "/media/usbstick2/a/b.txt", "/media/usbstick2/a" };
    QTest::newRow("file in the terminal's data area left alone") << "flush:/appdata/userdata/b.txt" << QStringList();
    QTest::newRow("file outside the table left alone") << "flush:outside-the-table.txt" << QStringList();
    QTest::newRow("directory on the SD card, then its parent")
        << "flushpath:/media/sdcard/x/y" << QStringList { "/media/sdcard/x/y", "/media/sdcard/x" };
    QTest::newRow("directory in the data area left alone") << "flushpath:/appdata/userdata/y" << QStringList();
}

void TestDiskDevices::flushToDisk()
{
    QFETCH(QString, step);
    QFETCH(QStringList, synced);
    const ChildRun run = runChild(tmp, { "--usb", "2", "--sdcard" }, { step });
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.output.contains("flushed 1"), qPrintable(run.log));
    QCOMPARE(run.synced, synced);
}

QTEST_GUILESS_MAIN(TestDiskDevices)
#include "tst_disk_devices.moc"
