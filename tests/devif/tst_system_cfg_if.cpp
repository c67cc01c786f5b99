// tst_system_cfg_if.cpp: runs in the unit sandbox, with its own /appdata and network namespace.
#include "devif_test_support.h"
#include "kvif_common_database.h"
#include "kvif_system_cfg_if.h"

#include <QtTest>

class TestSystemCfgIf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        LogCatcher::install();
        QVERIFY(provision("/appdata", { "--version", "0x70000", "--bootloader-version", "0x20005" }));

        // Interfaces "eth0" and "ppp0" of the private namespace; nothing is ever sent to them.
        // A dummy interface where the kernel has the driver, else one end of a veth pair.
        for (const QString name : { "eth0", "ppp0" })
            QVERIFY(ip("link add " + name + " type dummy") || ip("link add " + name + " type veth peer name " + name + "peer"));
        for (const char *command : { "addr add 10.0.0.5/24 dev eth0", "-6 addr add fd00::5/64 dev eth0 nodad", "link set eth0 up",
                 "addr add 10.9.8.7/32 dev ppp0" })
            QVERIFY2(ip(command), command);

        // The version file is read from the working directory.
        QVERIFY(workDir.isValid() && QDir::setCurrent(workDir.path()));
    }

    void buildNumbers_data()
    {
        QTest::addColumn<QString>("systemBuild");
        QTest::addColumn<int>("deamonVersion");
        QTest::addColumn<QString>("versionFile"); // null for none
        QTest::addColumn<QString>("warnings");

        // The stored slave build is 7.
        const QString matching = "Build number         :  812\n"
                                 "Gui Build number     :  3\n"
                                 "KV8120e Build number :  7\n"
                                 "Linux os version     :  41\n";
        const int three = 3 * 65536;
        QTest::newRow("matching numbers are an official build") << "812" << three << matching << "";
        QTest::newRow("system build 1 is the first official one") << "1" << three << QString(matching).replace(":  812", ":  1") << "";
        // The GUI line is held against the GUI's own build and the daemon's: each check counts alone.
        QTest::newRow("GUI line of the daemon's build 4 fails the GUI check")
            << "-" << 4 * 65536 << QString(matching).replace(":  3", ":  4") << "Unexpected GUI build number  3; Not an official build";
        QTest::newRow("daemon of another build")
            << "-" << 4 * 65536 + 65535 << matching << "Unexpected deamon build number  4; Not an official build";
        QTest::newRow("slave of another build")
            << "-" << three << QString(matching).replace(":  7", ":  8") << "Unexpected slave build number  7; Not an official build";
        QTest::newRow("system build of 0 is not official") << "-" << three << QString(matching).replace(":  812", ":  abc") << "";
        QTest::newRow("no version file") << "-" << three << QString() << "Unable to open version file";
    }

    void buildNumbers()
    {
        QFETCH(QString, systemBuild);
        QFETCH(int, deamonVersion);
        QFETCH(QString, versionFile);
        QFETCH(QString, warnings);

        CommonDatabase::getCommonDatabase()->setValue("deamonVersion", "systemCfg", deamonVersion);
        QFile file("version");
        QVERIFY(versionFile.isNull() ? !file.exists() || file.remove()
                                     : file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(versionFile.toLatin1()) > 0);
        file.close();
        LogCatcher::clear();

        SystemCfgIf system;
        QVERIFY(system.getSystemBuildNumber() == systemBuild && system.isOfficialBuild() == (systemBuild != "-"));
        QCOMPARE(system.getOsBuildNumber(), QString(versionFile.isNull() ? "-" : "41"));
        QCOMPARE(system.getDeamonBuildNumber(), QString::number(deamonVersion / 65536));
        // An official build shows its one number, any other build each part's; only the serial number and
        // the software version leave the second flag clear.
        QString flags;
        for (const about_item_t &item : system.getAboutItemList())
            flags += item.secondFlag ? '1' : '0';
        QCOMPARE(flags, QString(systemBuild != "-" ? "00111" : "0011111111"));
        QCOMPARE(system.getGuiBuildDate(), QString("2013-12-17 14:42:12")); // fixed, in UTC
        const QStringList logged = LogCatcher::matching(QRegularExpression("SystemCfgIf\\(\\) (Unexpected|Not an|Unable)"));
        QCOMPARE(QStringList(logged).replaceInStrings("SystemCfgIf::SystemCfgIf() ", "").join("; "), warnings);
    }

    void storedSettings_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("shown"); // by the getters that read the key

        QTest::newRow("role 1 is primary") << "isPrimary" << QVariant(1) << "1";
        QTest::newRow("role 2 is not primary") << "isPrimary" << QVariant(2) << "0";
        QTest::newRow("empty serial number is a dash") << "serialNumber" << QVariant("") << "-";
        QTest::newRow("negative bootloader build is a dash") << "bootloaderVersion" << QVariant(-65536) << "-";
        QTest::newRow("bootloader build 0 is shown") << "bootloaderVersion" << QVariant(0) << "0";
        QTest::newRow("GMDSS") << "applicationName" << QVariant("kv20931c-gmdss") << "1 KESTRA 4580 GMDSS System";
        QTest::newRow("application in capitals is no name") << "applicationName" << QVariant("KV20931C-GMDSS") << "0 No Name";
        QTest::newRow("724417K hardware") << "unitBom" << QVariant("724417K-02") << "1";
        QTest::newRow("lower-case k is other hardware") << "unitBom" << QVariant("724417k-02") << "0";
    }

    void storedSettings()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, shown);

        CommonDatabase::getCommonDatabase()->setValue(key, "systemCfg", value);
        SystemCfgIf system;
        const QMap<QString, QString> getters { { "isPrimary", QString::number(system.isPrimary()) },
            { "serialNumber", system.getSerialNumber() }, { "bootloaderVersion", system.getBootloaderBuildNumber() },
            { "applicationName", QString::number(system.getApplication()) + ' ' + system.getSystemDisplayName() },
            { "unitBom", QString::number(system.isHardware724417K()) } };
        QCOMPARE(getters.value(key), shown);
        // Written back, the role is stored as 1 or 0, an application without a name as empty text.
        system.setPrimary(system.isPrimary());
        system.setApplication(system.getApplication());
        const QString written = key == "isPrimary" ? shown : shown.startsWith("0 ") ? "" : value.toString();
        QCOMPARE(CommonDatabase::getCommonDatabase()->getValue(key, "systemCfg").toString(), written);
    }

    void addresses()
    {
        SystemCfgIf system;
        QCOMPARE(system.getPpp0IpAddress() + " and " + system.getLocalIpAddress(), QStringLiteral("10.9.8.7 and 10.0.0.5"));
        QVERIFY(ip("addr add 10.0.0.6/24 dev eth0") && system.getLocalIpAddress() == QStringLiteral("10.0.0.5; 10.0.0.6"));
    }

private:
    static bool ip(const QString &arguments) { return QProcess::execute("ip", arguments.split(' ')) == 0; }
    QTemporaryDir workDir;
};

QTEST_GUILESS_MAIN(TestSystemCfgIf)
#include "tst_system_cfg_if.moc"
