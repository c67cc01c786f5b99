// tst_iu_io_if.cpp
#include "devif_test_support.h"
#include "kvif_device_list_if.h"
#include "kvif_iu_io_if.h"

#include <QSignalSpy>
#include <QtTest>

class UnregisteredClient : public TAbstractIuIf
{
    Q_OBJECT
public:
    UnregisteredClient()
        : TAbstractIuIf(nullptr)
    { }
};

class TestIuIoIf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void registration();
    void events_data();
    void events();
    void sendBeforeRegistration();
    void installationFromDaemon();

private:
    StandInDaemon daemon;
};

void TestIuIoIf::initTestCase()
{
    LogCatcher::install();
    qRegisterMetaType<U16>("U16");
    // The daemon sits where the unit's does, port 1 of the loopback address, in this test's own
    // network namespace; the IO client keeps its defaults.
    QCOMPARE(TAbstractIuIf::defaultSocketIp, QStringLiteral("127.0.0.1"));
    QCOMPARE(TAbstractIuIf::defaultSocketPort, U16(1));
    QVERIFY(daemon.start(QStringList(), 1));
}

void TestIuIoIf::registration()
{
    TIuIoIf *io = TIuIoIf::getInstance();
    QCOMPARE(TIuIoIf::getInstance(), io);
    QVERIFY(daemon.waitForLine(QStringLiteral("packet ")));
    QCOMPARE(daemon.packets(),
        QStringList { QStringLiteral("0000"
                                     "0000"
                                     "07"
                                     "05"
                                     "0300"
                                     "0100"
                                     "0006"
                                     "0000"
                                     "0000") });
}

void TestIuIoIf::events_data()
{
    QTest::addColumn<int>("eventCode");
    QTest::addColumn<QString>("signal");

    QTest::newRow("0x601 is a battery event") << 0x601 << QStringLiteral("battery");
    QTest::newRow("0x608 is a battery event too") << 0x608 << QStringLiteral("battery");
    QTest::newRow("0x603 is a night-mode event") << 0x603 << QStringLiteral("nightMode");
    QTest::newRow("0x604 is a distress-button event") << 0x604 << QStringLiteral("distress");
    QTest::newRow("0x614 is a device-list event") << 0x614 << QStringLiteral("deviceList");
    QTest::newRow("0x605 is only logged") << 0x605 << QString();
}

void TestIuIoIf::events()
{
    QFETCH(int, eventCode);
    QFETCH(QString, signal);

    TIuIoIf *io = TIuIoIf::getInstance();
    QVERIFY(daemon.waitForLine(QStringLiteral("packet ")));
    QMap<QString, QSignalSpy *> spies;
    QSignalSpy battery(io, SIGNAL(batteryEvent(U16, QByteArray)));
    QSignalSpy nightMode(io, SIGNAL(nightModeEvent(U16, QByteArray)));
    QSignalSpy distress(io, SIGNAL(distressButtonEvent(U16, QByteArray)));
    QSignalSpy deviceList(io, SIGNAL(deviceListEvent(U16, QByteArray)));
    spies.insert(QStringLiteral("battery"), &battery);
    spies.insert(QStringLiteral("nightMode"), &nightMode);
    spies.insert(QStringLiteral("distress"), &distress);
    spies.insert(QStringLiteral("deviceList"), &deviceList);
    LogCatcher::clear();

    daemon.command(QStringLiteral("io %1 c0ffee").arg(eventCode));
    if (signal.isEmpty()) {
        QTRY_VERIFY(LogCatcher::contains(QStringLiteral("virtual void TIuIoIf::handleEvent(U16, U16, const QByteArray&) "
                                                        "Unkonwn IO event recived:  1541")));
    } else {
        QSignalSpy *spy = spies.value(signal);
        QTRY_COMPARE(spy->size(), 1);
        QCOMPARE(spy->at(0).at(0).value<U16>(), U16(eventCode));
        QCOMPARE(spy->at(0).at(1).toByteArray(), QByteArray("\xc0\xff\xee"));
    }
    for (auto it = spies.cbegin(); it != spies.cend(); ++it) {
        if (it.key() != signal)
            QCOMPARE(it.value()->size(), 0);
    }
}

void TestIuIoIf::sendBeforeRegistration()
{
    UnregisteredClient client;
    LogCatcher::clear();
    client.sendPacket(0x700, QByteArray("ab"), 4);
    QVERIFY(LogCatcher::contains(QStringLiteral("entered  void TAbstractIuIf::sendPacket(U16, const QByteArray&, U16)")));
    QVERIFY(LogCatcher::contains(
        QStringLiteral("void TAbstractIuIf::sendPacket(U16, const QByteArray&, U16) port: 0  opcode: 1792  return code: 4  data size: 2")));
    const int before = daemon.packets().size();
    QVERIFY(daemon.sync());
    QCOMPARE(daemon.packets().size(), before);
}

void TestIuIoIf::installationFromDaemon()
{
    qRegisterMetaType<TCommonDeviceIf *>("TCommonDeviceIf*");
    TDeviceListIf *registry = TDeviceListIf::getInstance();
    QSignalSpy spy(registry, SIGNAL(deviceUpdated(TCommonDeviceIf *)));
    const QString demo = QProcessEnvironment::systemEnvironment().value(QStringLiteral("KV_SOURCE_DIR"))
        + QStringLiteral("/tools/iu-daemon/demo-devices.txt");
    daemon.command(QStringLiteral("devices-file ") + demo);
    QTRY_COMPARE(registry->getDeviceList().size(), 6);

    QStringList seen;
    for (TCommonDeviceIf *device : registry->getDeviceList())
        seen.append(QStringLiteral("%1 %2 %3 %4")
                        .arg(device->getTypeName(), device->getSerialNumber(), device->getIpAddress() + device->getCanId())
                        .arg(device->isConnected()));
    QCOMPARE(seen,
        (QStringList { "1538C 15380914 192.168.10.30 0", "4640 46400123 192.168.10.20 1", "4611 46110045 192.168.10.21 1",
            "4452 44520266 0x30 0", "4503 45030311 0x21 1", "4505 45050078 0x22 1" }));

    // A later event in readable form changes one unit.
    daemon.command(QStringLiteral("devices ip,192.168.10.20,4640,46400123,2.15,1190"));
    QTRY_COMPARE(registry->getDevice(DEVICE_TYPE_4640, QStringLiteral("46400123"))->getSoftwareVersion(), QStringLiteral("2.15"));
    // Units missing from it are shown as not connected; terminals and the power supply are not.
    QCOMPARE(registry->getDevice(DEVICE_TYPE_4503, QStringLiteral("45030311"))->isConnected(), false);
    QCOMPARE(registry->getDeviceList().size(), 6);
    qDeleteAll(registry->getDeviceList());
}

QTEST_GUILESS_MAIN(TestIuIoIf)
#include "tst_iu_io_if.moc"
