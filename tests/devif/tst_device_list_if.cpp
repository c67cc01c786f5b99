// tst_device_list_if.cpp
#include "devif_test_support.h"
#include "kvif_device_list_if.h"
#include "kvif_iu_io_if.h"

#include <QtTest>

#include <memory>
#include <vector>

namespace {

// A device-list event payload of the given size; entries "KIND,ADDRESS,TYPE,SERIAL,VERSION,BUILD"
// are written at their offsets, independently of the library.
QByteArray devicePayload(const QStringList &entries, int count = -1, int size = 2180)
{
    QByteArray payload(size, '\0');
    qToLittleEndian<quint16>(count < 0 ? entries.size() : count, payload.data());
    const int offsets[] = { 4, 21, 37, 69, 101 };
    for (int i = 0; i < entries.size(); ++i) {
        const QStringList fields = entries.at(i).split(QLatin1Char(','));
        const int base = 4 + 136 * i;
        for (int b = 0; b < 4; ++b)
            payload[base + b] = char(fields.at(0).toUInt(nullptr, 0) >> (8 * b));
        for (int f = 0; f < 5; ++f)
            payload.replace(base + offsets[f], fields.at(f + 1).size(), fields.at(f + 1).toLatin1());
    }
    return payload;
}

} // namespace

class TestDeviceListIf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        LogCatcher::install();
        qRegisterMetaType<TCommonDeviceIf *>("TCommonDeviceIf*");
        // The registry's IO client has no port to connect to; events are emitted by the test.
        TAbstractIuIf::setDefaultSocket(0, "127.0.0.1");
        registry = TDeviceListIf::getInstance();
    }

    void cleanup()
    {
        // What remains listed was created by the registry; the test's own objects are gone.
        qDeleteAll(registry->getDeviceList());
        QCOMPARE(registry->getDeviceList().size(), 0);
    }

    void listAfterEvent_data()
    {
        QTest::addColumn<QString>("before"); // objects of the test: "TYPE SERIAL polled|unpolled connected|unconnected; ..."
        QTest::addColumn<QByteArray>("event");
        QTest::addColumn<QString>("after"); // the list: "TYPE SERIAL VERSION CONNECTED[ ip IP][ can ID]; ..."
        QTest::addColumn<int>("reports"); // deviceUpdated signals
        const auto row = [](const char *name, const QString &before, const QByteArray &event, const QString &after, int reports) {
            QTest::newRow(name) << before << event << after << reports;
        };

        row("repeated new radio is listed connected and reported once", "", devicePayload({ "2,,4640,S1,2.0,5", "2,,4640,S1,2.0,5" }),
            "4640 S1 2.0 1", 1);
        row("unchanged unit is not reported", "4640 S1 unpolled connected", devicePayload({ "2,,4640,S1,v,b" }), "4640 S1 v 1", 0);
        row("entries past the count are not read", "", devicePayload({ "2,,4640,S1,2.0,5", "2,,4644,S2,1,1" }, 1), "4640 S1 2.0 1", 1);
        row("payload a byte short", "4641 X unpolled connected", devicePayload({ "2,,4640,S1,2.0,5" }, 1, 2179), "4641 X v 1", 0);
        row("own terminal is never created", "", entry("4417"), "", 0);
        row("own terminal is updated and connected", "4417 S1 polled unconnected", entry("4417"), "4417 S1 2.0 1", 1);
        row("new GMDSS 1538 is not connected", "", entry("1538C"), "1538C S1 2.0 0", 1);
        row("polled 1538 keeps its flag", "1538D S1 polled connected", entry("1538D"), "1538D S1 2.0 1", 1);
        row("unpolled 1538 loses its flag", "1538C S1 unpolled connected", entry("1538C"), "1538C S1 2.0 0", 1);
        row("SSA terminal is never connected", "1538SSA S1 polled connected", entry("1538SSA"), "1538SSA S1 2.0 0", 1);
        row("power supply keeps its flag", "4452 S1 unpolled connected", entry("4452"), "4452 S1 2.0 1", 1);
        row("IP address kind", "", devicePayload({ "0,10.2.3.4,4640,A,1,1" }), "4640 A 1 1 ip 10.2.3.4", 1);
        row("CAN id kind", "", devicePayload({ "1,0x21,4640,A,1,1" }), "4640 A 1 1 can 0x21", 1);
        const QString span(32, 'S');
        row("full serial and version", "", devicePayload({ "2,,4640," + span + "," + span + ",1" }), "4640 " + span + " " + span + " 1", 1);
        row("same serial of another type is another unit", "4640 S1 unpolled connected", entry("4644"), "4640 S1 v 0; 4644 S1 2.0 1", 2);
        row("type name with a case difference is unknown", "", devicePayload({ "0,,1538c,A,1,1" }), "", 0);

        // Silent units are shown as not connected, except terminals and the power supply.
        const QString units = "Unknown U polled connected; 1538C T polled connected; 4644 R polled connected; 4452 P polled connected; "
                              "4528 C polled connected";
        row("count above 16 leaves units silent", units, devicePayload({ "2,,4503,100,1,1" }, 17),
            "Unknown U v 0; 1538C T v 1; 4644 R v 0; 4452 P v 1; 4528 C v 0", 3);
        row("count of 257 is above 16", "", devicePayload({ "2,,4503,100,1,1" }, 257), "", 0);
        row("entries for other units leave these silent", units, devicePayload({ "2,,4503,100,1,1" }),
            "Unknown U v 0; 1538C T v 1; 4644 R v 0; 4452 P v 1; 4503 100 1 1; 4528 C v 0", 4);
    }

    void listAfterEvent()
    {
        QFETCH(QString, before);
        QFETCH(QByteArray, event);
        QFETCH(QString, after);
        QFETCH(int, reports);

        std::vector<std::unique_ptr<TCommonDeviceIf>> own;
        for (const QString &item : before.split("; ", Qt::SkipEmptyParts)) {
            const QStringList f = item.split(' ');
            own.emplace_back(new TCommonDeviceIf(TCommonDeviceIf::getDeviceType(f[0]), data(f[1], f[3] == "connected")));
            own.back()->registerDevice(f[2] == "polled");
        }
        QSignalSpy spy(registry, SIGNAL(deviceUpdated(TCommonDeviceIf *)));
        send(event);
        QCOMPARE(spy.size(), reports);
        QStringList listing;
        for (TCommonDeviceIf *d : registry->getDeviceList())
            listing << QStringLiteral("%1 %2 %3 %4%5%6")
                           .arg(d->getTypeName(), d->getSerialNumber(), d->getSoftwareVersion(), QString::number(d->isConnected()),
                               d->getIpAddress().isEmpty() ? "" : " ip " + d->getIpAddress(),
                               d->getCanId().isEmpty() ? "" : " can " + d->getCanId());
        QCOMPARE(listing.join("; "), after);
    }

    void duplicateRegistration()
    {
        // An object the registry created is replaced and destroyed.
        send(devicePayload({ "0,10.1.1.1,4640,DUP,1.0,77" }));
        QCOMPARE(registry->getDeviceList().size(), 1);
        TCommonDeviceIf mine(DEVICE_TYPE_4640, data("DUP", false));
        mine.registerDevice(false);
        QCOMPARE(registry->getDeviceList(), QList<TCommonDeviceIf *> { &mine });

        // An object of someone else's is only taken off the list; its leaving is reported as well.
        QSignalSpy spy(registry, SIGNAL(deviceUpdated(TCommonDeviceIf *)));
        TCommonDeviceIf newer(DEVICE_TYPE_4640, data("DUP", true));
        newer.registerDevice(false);
        QVERIFY(registry->getDeviceList() == QList<TCommonDeviceIf *> { &newer } && !mine.isListed());
        // A unit of no known type is named as such.
        QCOMPARE(TCommonDeviceIf(DEVICE_TYPE_UNKNOWN).getDisplayName(), QString("Unknown Device"));
        // One never listed reports no change.
        TCommonDeviceIf(DEVICE_TYPE_4640, data("LONE", false)).updateBaseData(data("LONE", true));
        QCOMPARE(spy.size(), 2);
    }

private:
    // One unit of the given type, without an address, with serial number S1 and version 2.0.
    static QByteArray entry(const QString &typeName) { return devicePayload({ "2,," + typeName + ",S1,2.0,5" }); }
    static base_device_data_t data(const QString &serial, bool connected) { return { serial, "v", "b", QString(), QString(), connected }; }
    void send(const QByteArray &payload) { emit TIuIoIf::getInstance()->deviceListEvent(U16(0x614), payload); }
    TDeviceListIf *registry = nullptr;
};

QTEST_GUILESS_MAIN(TestDeviceListIf)
#include "tst_device_list_if.moc"
