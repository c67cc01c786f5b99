// tst_system_cfg_if.cpp: runs in the unit sandbox, with its own /appdata and network namespace.
#include "devif_test_support.h"
#include "kvif_abstract_iu_if.h"
#include "kvif_common_database.h"
#include "kvif_device_list_if.h"
#include "kvif_system_cfg_if.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool ip(const QString &arguments)
{
    return run(QStringLiteral("ip"), arguments.split(QLatin1Char(' ')));
}

// A dummy interface where the kernel has the driver, else one end of a veth pair.
bool addLink(const QString &name)
{
    return ip(QStringLiteral("link add %1 type dummy").arg(name)) || ip(QStringLiteral("link add %1 type veth peer name %1peer").arg(name));
}

void store(const char *key, const QVariant &value)
{
    CommonDatabase::getCommonDatabase()->setValue(QLatin1String(key), QStringLiteral("systemCfg"), value);
}

} // namespace

class TestSystemCfgIf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void buildNumbers_data();
    void buildNumbers();
    void role_data();
    void role();
    void setPrimaryStoresOneOrZero();
    void dashRules();
    void application_data();
    void application();
    void hardwareVariant_data();
    void hardwareVariant();
    void eth0Addresses();
    void ppp0Address();
    void singletonListedAndPolled();

private:
    QTemporaryDir workDir;
};

void TestSystemCfgIf::initTestCase()
{
    LogCatcher::install();
    QVERIFY(QFile::exists(QStringLiteral("/appdata")));
    QVERIFY(run(QProcessEnvironment::systemEnvironment().value(QStringLiteral("KV_BUILD_DIR"))
            + QStringLiteral("/tools/settings/provision-settings"),
        { QStringLiteral("--appdata"), QStringLiteral("/appdata"), QStringLiteral("--force"), QStringLiteral("--version"),
            QStringLiteral("0x70000"), QStringLiteral("--bootloader-version"), QStringLiteral("0x20005") }));
    // The registry's IO client finds nobody in this private network: no daemon is reached.
    TAbstractIuIf::setDefaultSocket(1, QStringLiteral("127.0.0.1"));

    // Interfaces "eth0" and "ppp0" of the private namespace; nothing is ever sent to them.
    QVERIFY(addLink(QStringLiteral("eth0")));
    QVERIFY(ip(QStringLiteral("addr add 10.0.0.5/24 dev eth0")));
    QVERIFY(ip(QStringLiteral("-6 addr add fd00::5/64 dev eth0 nodad")));
    QVERIFY(ip(QStringLiteral("link set eth0 up")));
    QVERIFY(addLink(QStringLiteral("ppp0")));
    QVERIFY(ip(QStringLiteral("addr add 10.9.8.7/32 dev ppp0")));

    QVERIFY(workDir.isValid());
    QVERIFY(QDir::setCurrent(workDir.path()));
}

void TestSystemCfgIf::init()
{
    QFile::remove(QStringLiteral("version"));
    store("deamonVersion", 3 * 65536);
    store("version", 7 * 65536);
    LogCatcher::clear();
}

void TestSystemCfgIf::buildNumbers_data()
{
    QTest::addColumn<QString>("versionFile"); // "-" for no file
    QTest::addColumn<int>("deamonVersion");
    QTest::addColumn<QString>("systemBuild");
    QTest::addColumn<QString>("osBuild");
    QTest::addColumn<QStringList>("warnings");

    const QString matching = QStringLiteral("Build number         :  812\n"
                                            "Gui Build number     :  3\n"
                                            "KV8120e Build number :  7\n"
                                            "Linux os version     :  41\n");
    QTest::newRow("matching numbers are an official build") << matching << 3 * 65536 << "812"
                                                            << "41" << QStringList();
    QTest::newRow("GUI build 4 fails the GUI and daemon checks")
        << QString(matching).replace(QStringLiteral(":  3"), QStringLiteral(":  4")) << 3 * 65536 << "-"
        << "41" << QStringList { "Unexpected GUI build number  3", "Unexpected deamon build number  3", "Not an official build" };
    QTest::newRow("daemon of another build") << matching << 4 * 65536 + 65535 << "-"
                                             << "41" << QStringList { "Unexpected deamon build number  4", "Not an official build" };
    QTest::newRow("slave of another build") << QString(matching).replace(QStringLiteral(":  7"), QStringLiteral(":  8")) << 3 * 65536 << "-"
                                            << "41" << QStringList { "Unexpected slave build number  7", "Not an official build" };
    QTest::newRow("missing slave line") << QString(matching).remove(QStringLiteral("KV8120e Build number :  7\n")) << 3 * 65536 << "-"
                                        << "41" << QStringList { "Not an official build" };
    QTest::newRow("prefixes are case-sensitive")
        << QString(matching).replace(QStringLiteral("Gui"), QStringLiteral("GUI")) << 3 * 65536 << "-"
        << "41" << QStringList { "Not an official build" };
    QTest::newRow("system build of 0 is not official")
        << QString(matching).replace(QStringLiteral(":  812"), QStringLiteral(":  abc")) << 3 * 65536 << "-"
        << "41" << QStringList();
    QTest::newRow("no version file") << "-" << 3 * 65536 << "-"
                                     << "-" << QStringList { "Unable to open version file" };
}

void TestSystemCfgIf::buildNumbers()
{
    QFETCH(QString, versionFile);
    QFETCH(int, deamonVersion);
    QFETCH(QString, systemBuild);
    QFETCH(QString, osBuild);
    QFETCH(QStringList, warnings);

    store("deamonVersion", deamonVersion);
    if (versionFile != QLatin1String("-")) {
        QFile file(QStringLiteral("version"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(versionFile.toLatin1());
    }
    LogCatcher::clear();
    SystemCfgIf system;
    QCOMPARE(system.getSystemBuildNumber(), systemBuild);
    QCOMPARE(system.isOfficialBuild(), systemBuild != QLatin1String("-"));
    QCOMPARE(system.getOsBuildNumber(), osBuild);
    QCOMPARE(system.getDeamonBuildNumber(), QString::number(deamonVersion / 65536));
    QCOMPARE(system.getSlaveBuildNumber(), QStringLiteral("7"));
    QCOMPARE(system.getBootloaderBuildNumber(), QStringLiteral("2"));
    for (const QString &warning : warnings)
        QVERIFY2(LogCatcher::contains(QStringLiteral("SystemCfgIf::SystemCfgIf() ") + warning), qPrintable(warning));
    QCOMPARE(LogCatcher::count(QStringLiteral("Unexpected")) + LogCatcher::count(QStringLiteral("Not an official"))
            + LogCatcher::count(QStringLiteral("Unable to open")),
        warnings.size());

    QStringList labels;
    for (const about_item_t &item : system.getAboutSwItemList())
        labels.append(item.label);
    if (systemBuild == QLatin1String("-"))
        QCOMPARE(labels.size(), 7);
    else
        QCOMPARE(labels, (QStringList { "Software version", "Build number" }));
}

void TestSystemCfgIf::role_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("primary");
    QTest::newRow("1 is primary") << 1 << true;
    QTest::newRow("0 is duplicated") << 0 << false;
    QTest::newRow("2 is not primary") << 2 << false;
}

void TestSystemCfgIf::role()
{
    QFETCH(int, stored);
    QFETCH(bool, primary);
    store("isPrimary", stored);
    SystemCfgIf system;
    QCOMPARE(system.isPrimary(), primary);
}

void TestSystemCfgIf::setPrimaryStoresOneOrZero()
{
    SystemCfgIf system;
    system.setPrimary(true);
    QVERIFY(LogCatcher::contains(QStringLiteral("About to run query= \"UPDATE systemCfg SET isPrimary=1\"")));
    QCOMPARE(CommonDatabase::getCommonDatabase()->getValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg")).toInt(), 1);
    system.setPrimary(false);
    QCOMPARE(CommonDatabase::getCommonDatabase()->getValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg")).toInt(), 0);
    QVERIFY(!system.isPrimary());
}

void TestSystemCfgIf::dashRules()
{
    store("serialNumber", QStringLiteral(""));
    store("bootloaderVersion", -65536);
    SystemCfgIf system;
    QCOMPARE(system.getSerialNumber(), QStringLiteral("-"));
    QCOMPARE(system.getBootloaderBuildNumber(), QStringLiteral("-"));
    QCOMPARE(system.getGuiBuildNumber(), QStringLiteral("3"));
    QCOMPARE(system.getSoftwareBuildNumber(), QStringLiteral("3"));
    QCOMPARE(system.getSoftwareVersion(), QStringLiteral("1.00"));
    QCOMPARE(system.getGuiBuildDate(), QStringLiteral("2013-12-17 14:42:12"));
    store("serialNumber", QStringLiteral("4417-0042"));
    QCOMPARE(system.getSerialNumber(), QStringLiteral("4417-0042"));
    QVERIFY(system.getDiagInfo().startsWith(QStringLiteral("KESTRA 4417 Message Terminal\r\n------------------------------\r\n"
                                                           "Serial number: 4417-0042\r\n")));
    store("bootloaderVersion", 0x20005);
}

void TestSystemCfgIf::application_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("application");
    QTest::addColumn<QString>("displayName");

    QTest::newRow("GMDSS") << "kv20931c-gmdss" << 1 << "KESTRA 4580 GMDSS System";
    QTest::newRow("non-SOLAS") << "kv20931c-non-solas" << 2 << "KESTRA 4590 Non SOLAS System";
    QTest::newRow("radiotelex") << "kv20937c" << 3 << "KESTRA 4600 MF/HF Radiotelex";
    QTest::newRow("capitals are no name") << "KV20931C-GMDSS" << 0 << "No Name";
    QTest::newRow("trailing blank is no name") << "kv20931c-gmdss " << 0 << "No Name";
    QTest::newRow("empty is no name") << "" << 0 << "No Name";
}

void TestSystemCfgIf::application()
{
    QFETCH(QString, stored);
    QFETCH(int, application);
    QFETCH(QString, displayName);

    SystemCfgIf system;
    store("applicationName", stored);
    QCOMPARE(int(system.getApplication()), application);
    QCOMPARE(system.getSystemDisplayName(), displayName);
    // Writing the value back stores its own text; no name is stored as empty.
    system.setApplication(SystemCfgIf::Application(application));
    QCOMPARE(CommonDatabase::getCommonDatabase()->getValue(QStringLiteral("applicationName"), QStringLiteral("systemCfg")).toString(),
        application ? stored : QString(""));
}

void TestSystemCfgIf::hardwareVariant_data()
{
    QTest::addColumn<QString>("bom");
    QTest::addColumn<bool>("k");
    QTest::newRow("724417K with suffix") << "724417K-02" << true;
    QTest::newRow("lower-case k") << "724417k-02" << false;
    QTest::newRow("prefix elsewhere") << "X724417K" << false;
}

void TestSystemCfgIf::hardwareVariant()
{
    QFETCH(QString, bom);
    QFETCH(bool, k);
    store("unitBom", bom);
    SystemCfgIf system;
    QCOMPARE(system.isHardware724417K(), k);
}

void TestSystemCfgIf::eth0Addresses()
{
    SystemCfgIf system;
    QCOMPARE(system.getLocalIpAddress(), QStringLiteral("10.0.0.5"));
    QVERIFY(ip(QStringLiteral("addr add 10.0.0.6/24 dev eth0")));
    QCOMPARE(system.getLocalIpAddress(), QStringLiteral("10.0.0.5; 10.0.0.6"));
    QCOMPARE(system.getIpAddress(), system.getLocalIpAddress());
    QVERIFY(ip(QStringLiteral("addr del 10.0.0.6/24 dev eth0")));
}

void TestSystemCfgIf::ppp0Address()
{
    SystemCfgIf system;
    QCOMPARE(system.getPpp0IpAddress(), QStringLiteral("10.9.8.7"));
}

void TestSystemCfgIf::singletonListedAndPolled()
{
    qRegisterMetaType<TCommonDeviceIf *>("TCommonDeviceIf*");
    store("serialNumber", QStringLiteral("SN-77"));
    SystemCfgIf *system = SystemCfgIf::getSystemCfgIf();
    QCOMPARE(SystemCfgIf::getSystemCfgIf(), system);
    TDeviceListIf *registry = TDeviceListIf::getInstance();
    QCOMPARE(registry->getDeviceList(), QList<TCommonDeviceIf *> { system });
    QVERIFY(system->isPolled());
    QCOMPARE(system->getDisplayName(), QStringLiteral("KESTRA 4417 Message Terminal"));
    QCOMPARE(system->getIconName(), QStringLiteral("kvgui_sysdevice_4417"));

    QSignalSpy spy(registry, SIGNAL(deviceUpdated(TCommonDeviceIf *)));
    QVERIFY(QMetaObject::invokeMethod(registry, "handleTimerUpdate"));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(system->getBaseData().serialNumber, QStringLiteral("SN-77"));
    QCOMPARE(system->getBaseData().ipAddress, QStringLiteral("10.0.0.5"));
    QCOMPARE(system->getBaseData().softwareVersion, QStringLiteral("1.00"));
    QCOMPARE(system->getBaseData().softwareBuildNumber, QStringLiteral("-"));
    QVERIFY(QMetaObject::invokeMethod(registry, "handleTimerUpdate"));
    QCOMPARE(spy.size(), 1);

    QStringList net;
    for (const about_item_t &item : system->getAboutNetItemList())
        net.append(item.label + QLatin1Char('=') + item.textValue);
    QCOMPARE(net, (QStringList { "CAN ID=", "IP address=10.0.0.5" }));
}

QTEST_GUILESS_MAIN(TestSystemCfgIf)
#include "tst_system_cfg_if.moc"
