// tst_device_list_if.cpp
#include "devif_test_support.h"
#include "kvif_device_list_if.h"
#include "kvif_iu_io_if.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

#include <memory>

namespace {

struct Entry
{
    quint32 addressKind;
    QByteArray address;
    QByteArray typeName;
    QByteArray serial;
    QByteArray version;
    QByteArray build;
};

void put(QByteArray &payload, int offset, const QByteArray &text)
{
    payload.replace(offset, text.size(), text);
}

QByteArray devicePayload(const QList<Entry> &entries, int count = -1, int size = 2180)
{
    QByteArray payload(size, '\0');
    if (count < 0)
        count = entries.size();
    payload[0] = char(count & 0xff);
    payload[1] = char(count >> 8);
    for (int i = 0; i < entries.size(); ++i) {
        const int base = 4 + 136 * i;
        const Entry &e = entries.at(i);
        for (int b = 0; b < 4; ++b)
            payload[base + b] = char((e.addressKind >> (8 * b)) & 0xff);
        put(payload, base + 4, e.address);
        put(payload, base + 21, e.typeName);
        put(payload, base + 37, e.serial);
        put(payload, base + 69, e.version);
        put(payload, base + 101, e.build);
    }
    return payload;
}

Entry radio(const QByteArray &serial = "R1", const QByteArray &version = "1.0")
{
    return Entry { 0, "10.1.1.1", "4640", serial, version, "77" };
}

base_device_data_t data(const QString &serial, bool connected)
{
    return base_device_data_t { serial, QStringLiteral("v"), QStringLiteral("b"), QString(), QString(), connected };
}

} // namespace

class PolledDevice : public TCommonDeviceIf
{
public:
    using TCommonDeviceIf::TCommonDeviceIf;
    void baseDataNeedUpdate() override { ++polls; }
    int polls = 0;
};

class TestDeviceListIf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void ignoredEvents_data();
    void ignoredEvents();
    void connectedFlag_data();
    void connectedFlag();
    void silentUnitsDisconnected_data();
    void silentUnitsDisconnected();
    void ownTerminalNeverCreated();
    void repeatedEntryUpdatesOnChange();
    void entryFields_data();
    void entryFields();
    void duplicateRegistration();
    void sortedByType();
    void deviceTypeLookup_data();
    void deviceTypeLookup();
    void aboutList();
    void timerPollsPolledOnly();

private:
    void send(const QByteArray &payload, U16 code = 0x614) { emit TIuIoIf::getInstance()->deviceListEvent(code, payload); }
    TDeviceListIf *registry = nullptr;
};

void TestDeviceListIf::initTestCase()
{
    LogCatcher::install();
    qRegisterMetaType<TCommonDeviceIf *>("TCommonDeviceIf*");
    // A port nothing listens on: the registry's IO client stays unconnected.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    const quint16 port = server.serverPort();
    server.close();
    TAbstractIuIf::setDefaultSocket(port, QStringLiteral("127.0.0.1"));
    registry = TDeviceListIf::getInstance();
    QCOMPARE(TDeviceListIf::getInstance(), registry);
}

void TestDeviceListIf::cleanup()
{
    // What remains listed was created by the registry; the test's own objects are gone.
    qDeleteAll(registry->getDeviceList());
    QCOMPARE(registry->getDeviceList().size(), 0);
}

void TestDeviceListIf::ignoredEvents_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("code");

    QTest::newRow("payload one byte short") << devicePayload({ radio() }, 1, 2179) << 0x614;
    QTest::newRow("other event code") << devicePayload({ radio() }) << 0x613;
}

void TestDeviceListIf::ignoredEvents()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, code);
    TCommonDeviceIf listedRadio(DEVICE_TYPE_4641, data(QStringLiteral("X"), true));
    listedRadio.registerDevice(false);
    QSignalSpy spy(registry, SIGNAL(deviceUpdated(TCommonDeviceIf *)));
    send(payload, U16(code));
    QCOMPARE(spy.size(), 0);
    QCOMPARE(registry->getDeviceList().size(), 1);
    QVERIFY(listedRadio.isConnected());
}

void TestDeviceListIf::connectedFlag_data()
{
    QTest::addColumn<QByteArray>("typeName");
    QTest::addColumn<int>("existing"); // 0 none, 1 unpolled and connected, 2 polled and connected
    QTest::addColumn<bool>("connected");

    QTest::newRow("new radio is connected") << QByteArray("4640") << 0 << true;
    QTest::newRow("new control unit is connected") << QByteArray("4611") << 0 << true;
    QTest::newRow("new alarm panel is connected") << QByteArray("4503") << 0 << true;
    QTest::newRow("new terminal control unit is connected") << QByteArray("4528") << 0 << true;
    QTest::newRow("new GMDSS 1538 is not connected") << QByteArray("1538C") << 0 << false;
    QTest::newRow("polled 1538 keeps its flag") << QByteArray("1538D") << 2 << true;
    QTest::newRow("unpolled 1538 loses its flag") << QByteArray("1538C") << 1 << false;
    QTest::newRow("SSA terminal is never connected") << QByteArray("1538SSA") << 2 << false;
    QTest::newRow("landmobile terminal is never connected") << QByteArray("1538L") << 2 << false;
    QTest::newRow("new power supply is not connected") << QByteArray("4452") << 0 << false;
    QTest::newRow("power supply keeps its flag") << QByteArray("4452") << 1 << true;
    QTest::newRow("own terminal type is connected") << QByteArray("4417") << 1 << true;
}

void TestDeviceListIf::connectedFlag()
{
    QFETCH(QByteArray, typeName);
    QFETCH(int, existing);
    QFETCH(bool, connected);

    const DeviceTypes_t type = TCommonDeviceIf::getDeviceType(QString::fromLatin1(typeName));
    std::unique_ptr<TCommonDeviceIf> own;
    if (existing) {
        own.reset(new TCommonDeviceIf(type, data(QStringLiteral("S1"), true)));
        own->registerDevice(existing == 2);
    }
    send(devicePayload({ Entry { 0, "10.0.0.9", typeName, "S1", "2.0", "5" } }));
    TCommonDeviceIf *device = registry->getDevice(type, QStringLiteral("S1"));
    QVERIFY(device);
    QCOMPARE(device->isConnected(), connected);
    QCOMPARE(device->getSoftwareVersion(), QStringLiteral("2.0"));
    QCOMPARE(registry->getDeviceList().size(), 1);
}

void TestDeviceListIf::silentUnitsDisconnected_data()
{
    QTest::addColumn<int>("count");
    QTest::addRow("count of 0") << 0;
    QTest::addRow("count above 16") << 17;
    QTest::addRow("entries for other units only") << 1;
}

void TestDeviceListIf::silentUnitsDisconnected()
{
    QFETCH(int, count);
    TCommonDeviceIf unknown(DEVICE_TYPE_UNKNOWN, data(QStringLiteral("U"), true));
    TCommonDeviceIf radioUnit(DEVICE_TYPE_4644, data(QStringLiteral("R"), true));
    TCommonDeviceIf controlUnit(DEVICE_TYPE_4528, data(QStringLiteral("C"), true));
    TCommonDeviceIf terminal(DEVICE_TYPE_1538C, data(QStringLiteral("T"), true));
    TCommonDeviceIf power(DEVICE_TYPE_4452, data(QStringLiteral("P"), true));
    for (TCommonDeviceIf *d : { &unknown, &radioUnit, &controlUnit, &terminal, &power })
        d->registerDevice(true);

    QList<Entry> entries;
    for (int i = 0; i < qMin(count, 16); ++i)
        entries.append(Entry { 2, "", "4503", QByteArray::number(100 + i), "1", "1" });
    send(devicePayload(entries, count));

    QCOMPARE(unknown.isConnected(), false);
    QCOMPARE(radioUnit.isConnected(), false);
    QCOMPARE(controlUnit.isConnected(), false);
    QCOMPARE(terminal.isConnected(), true);
    QCOMPARE(power.isConnected(), true);
    QCOMPARE(registry->getDeviceList().size(), 5 + (count == 1 ? 1 : 0));
}

void TestDeviceListIf::ownTerminalNeverCreated()
{
    const QByteArray payload = devicePayload({ Entry { 0, "10.0.0.2", "4417", "OWN", "1.00", "3" } });
    send(payload);
    QCOMPARE(registry->getDeviceList().size(), 0);

    TCommonDeviceIf own(DEVICE_TYPE_4417, data(QStringLiteral("OWN"), false));
    own.registerDevice(true);
    send(payload);
    QCOMPARE(registry->getDeviceList().size(), 1);
    QCOMPARE(own.getIpAddress(), QStringLiteral("10.0.0.2"));
    QCOMPARE(own.getSoftwareVersion(), QStringLiteral("1.00"));
}

void TestDeviceListIf::repeatedEntryUpdatesOnChange()
{
    QSignalSpy spy(registry, SIGNAL(deviceUpdated(TCommonDeviceIf *)));
    send(devicePayload({ radio("R1", "1.0"), radio("R1", "1.0") }));
    QCOMPARE(registry->getDeviceList().size(), 1);
    QCOMPARE(spy.size(), 1);
    send(devicePayload({ radio("R1", "1.0") }));
    QCOMPARE(spy.size(), 1);
    send(devicePayload({ radio("R1", "1.1") }));
    QCOMPARE(spy.size(), 2);
    QCOMPARE(registry->getDeviceList().first()->getSoftwareVersion(), QStringLiteral("1.1"));
}

void TestDeviceListIf::entryFields_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<bool>("created");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("canId");

    QTest::newRow("IP address kind") << devicePayload({ Entry { 0, "10.2.3.4", "4640", "A", "1", "1" } }) << true << "A"
                                     << "10.2.3.4"
                                     << "";
    QTest::newRow("CAN id kind") << devicePayload({ Entry { 1, "0x21", "4640", "A", "1", "1" } }) << true << "A"
                                 << ""
                                 << "0x21";
    QTest::newRow("kind read as four bytes") << devicePayload({ Entry { 0x100, "0x21", "4640", "A", "1", "1" } }) << true << "A"
                                             << ""
                                             << "";
    QTest::newRow("serial filling its span stops there")
        << devicePayload({ Entry { 2, "", "4640", QByteArray(32, 'S'), "9.9", "1" } }) << true << QString(32, 'S') << ""
        << "";
    QTest::newRow("type name filling its span is unknown")
        << devicePayload({ Entry { 0, "", "4640AAAAAAAAAAAA", "A", "1", "1" } }) << false << ""
        << ""
        << "";
    QTest::newRow("type name with case difference is unknown") << devicePayload({ Entry { 0, "", "1538c", "A", "1", "1" } }) << false << ""
                                                               << ""
                                                               << "";
}

void TestDeviceListIf::entryFields()
{
    QFETCH(QByteArray, entry);
    QFETCH(bool, created);
    QFETCH(QString, serial);
    QFETCH(QString, ip);
    QFETCH(QString, canId);

    send(entry);
    QCOMPARE(registry->getDeviceList().size(), created ? 1 : 0);
    if (!created)
        return;
    TCommonDeviceIf *device = registry->getDeviceList().first();
    QCOMPARE(device->getSerialNumber(), serial);
    QCOMPARE(device->getIpAddress(), ip);
    QCOMPARE(device->getCanId(), canId);
}

void TestDeviceListIf::duplicateRegistration()
{
    // An object the registry created is replaced and destroyed.
    send(devicePayload({ radio("DUP") }));
    QCOMPARE(registry->getDeviceList().size(), 1);
    TCommonDeviceIf mine(DEVICE_TYPE_4640, data(QStringLiteral("DUP"), false));
    mine.registerDevice(false);
    QCOMPARE(registry->getDeviceList(), QList<TCommonDeviceIf *> { &mine });

    // An object of someone else's is only taken off the list.
    QSignalSpy spy(registry, SIGNAL(deviceUpdated(TCommonDeviceIf *)));
    TCommonDeviceIf newer(DEVICE_TYPE_4640, data(QStringLiteral("DUP"), true));
    newer.registerDevice(false);
    QCOMPARE(registry->getDeviceList(), QList<TCommonDeviceIf *> { &newer });
    QVERIFY(!mine.isListed());
    QCOMPARE(mine.getSerialNumber(), QStringLiteral("DUP"));
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(0).at(0).value<TCommonDeviceIf *>(), &mine);
    QCOMPARE(spy.at(1).at(0).value<TCommonDeviceIf *>(), &newer);
}

void TestDeviceListIf::sortedByType()
{
    TCommonDeviceIf alarm(DEVICE_TYPE_4503, data(QStringLiteral("1"), false));
    TCommonDeviceIf radioA(DEVICE_TYPE_4640, data(QStringLiteral("2"), false));
    TCommonDeviceIf terminal(DEVICE_TYPE_1538C, data(QStringLiteral("3"), false));
    TCommonDeviceIf radioB(DEVICE_TYPE_4640, data(QStringLiteral("4"), false));
    for (TCommonDeviceIf *d : { &alarm, &radioA, &terminal, &radioB })
        d->registerDevice(false);
    QCOMPARE(registry->getDeviceList(), (QList<TCommonDeviceIf *> { &terminal, &radioA, &radioB, &alarm }));

    // Registering again moves an object behind the others of its type.
    radioA.registerDevice(false);
    QCOMPARE(registry->getDeviceList(), (QList<TCommonDeviceIf *> { &terminal, &radioB, &radioA, &alarm }));
    radioB.deregisterDevice();
    QCOMPARE(registry->getDeviceList(), (QList<TCommonDeviceIf *> { &terminal, &radioA, &alarm }));
}

void TestDeviceListIf::deviceTypeLookup_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("own terminal") << "4417" << 1;
    QTest::newRow("trailing blank") << "4417 " << 0;
    QTest::newRow("radio sharing an icon") << "4643" << 11;
    QTest::newRow("power supply") << "4452" << 14;
    QTest::newRow("lower case") << "1538unknown" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestDeviceListIf::deviceTypeLookup()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QCOMPARE(int(TCommonDeviceIf::getDeviceType(name)), type);
}

void TestDeviceListIf::aboutList()
{
    TCommonDeviceIf plain(DEVICE_TYPE_4505);
    QStringList labels;
    for (const about_item_t &item : plain.getAboutItemList())
        labels.append(item.label);
    QCOMPARE(labels, (QStringList { "Serial number", "Software version", "Build number", "Connected" }));
    QCOMPARE(plain.getSerialNumber(), QStringLiteral("-"));
    QCOMPARE(plain.getDisplayName(), QStringLiteral("KESTRA 4505 Multi Alarm Panel"));

    base_device_data_t both = data(QStringLiteral("N"), true);
    both.canId = QStringLiteral("0x30");
    both.ipAddress = QStringLiteral("10.0.0.1");
    TCommonDeviceIf networked(DEVICE_TYPE_4641, both);
    const QList<about_item_t> items = networked.getAboutNetItemList();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items.at(0).kind, int(about_item_t::ABOUT_BOOL));
    QCOMPARE(items.at(0).boolValue, true);
    QCOMPARE(items.at(1).textValue, QStringLiteral("0x30"));
    QCOMPARE(items.at(2).textValue, QStringLiteral("10.0.0.1"));
    QCOMPARE(networked.getIconName(), QStringLiteral("kvgui_sysdevice_4640"));
}

void TestDeviceListIf::timerPollsPolledOnly()
{
    PolledDevice polled(DEVICE_TYPE_4640, data(QStringLiteral("P"), false));
    PolledDevice unpolled(DEVICE_TYPE_4640, data(QStringLiteral("U"), false));
    PolledDevice unlisted(DEVICE_TYPE_4640, data(QStringLiteral("N"), false));
    polled.registerDevice(true);
    unpolled.registerDevice(false);
    QVERIFY(QMetaObject::invokeMethod(registry, "handleTimerUpdate"));
    QCOMPARE(polled.polls, 1);
    QCOMPARE(unpolled.polls, 0);
    QCOMPARE(unlisted.polls, 0);
}

QTEST_GUILESS_MAIN(TestDeviceListIf)
#include "tst_device_list_if.moc"
