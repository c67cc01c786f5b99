// bench_device_list.cpp: handling of one device-list event of 16 entries.
// Target: under 50 microseconds per event.
#include "kvif_abstract_iu_if.h"
#include "kvif_device_list_if.h"
#include "kvif_iu_io_if.h"

#include <QtTest>

namespace {

QByteArray payload(const QByteArray &version)
{
    QByteArray bytes(2180, '\0');
    bytes[0] = 16;
    static const char *const types[] = { "4640", "4641", "4643", "4644", "4611", "4503", "4505", "4528" };
    for (int i = 0; i < 16; ++i) {
        const int base = 4 + 136 * i;
        bytes[base] = char(i % 2);
        bytes.replace(base + 4, 12, QByteArray("192.168.1.") + QByteArray::number(10 + i));
        const QByteArray type(types[i % 8]);
        bytes.replace(base + 21, type.size(), type);
        const QByteArray serial = "SN" + QByteArray::number(1000 + i);
        bytes.replace(base + 37, serial.size(), serial);
        bytes.replace(base + 69, version.size(), version);
        bytes.replace(base + 101, 4, "1187");
    }
    return bytes;
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

class BenchDeviceList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qInstallMessageHandler(quiet);
        TAbstractIuIf::setDefaultSocket(0, QString());
        TDeviceListIf::getInstance();
    }
    void unchangedEvent()
    {
        const QByteArray event = payload("2.14");
        emit TIuIoIf::getInstance()->deviceListEvent(0x614, event);
        QCOMPARE(TDeviceListIf::getInstance()->getDeviceList().size(), 16);
        QBENCHMARK
        {
            emit TIuIoIf::getInstance()->deviceListEvent(0x614, event);
        }
    }
    void everyUnitChanged()
    {
        const QByteArray events[2] = { payload("2.14"), payload("2.15") };
        int n = 0;
        QBENCHMARK
        {
            emit TIuIoIf::getInstance()->deviceListEvent(0x614, events[++n % 2]);
        }
    }
    void sixteenNewUnits()
    {
        const QByteArray event = payload("2.14");
        QBENCHMARK
        {
            qDeleteAll(TDeviceListIf::getInstance()->getDeviceList());
            emit TIuIoIf::getInstance()->deviceListEvent(0x614, event);
        }
    }
};

QTEST_GUILESS_MAIN(BenchDeviceList)
#include "bench_device_list.moc"
