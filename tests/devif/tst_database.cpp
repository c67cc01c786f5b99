// tst_database.cpp
#include "devif_test_support.h"
#include "kvif_database.h"

#include <QtTest>

#include <memory>

class TestDatabase : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        LogCatcher::install();
        QVERIFY(dir.isValid());
    }

    void init()
    {
        // The shared connection must be gone before the files are replaced and opened anew.
        database.reset();
        QVERIFY(provision(dir.path(), { "--serial-number", "SN-4417-1" }));
        LogCatcher::clear();
        database.reset(new TDatabase);
        database->attachDatabaseFile(dir.filePath("common_settings.db"));
        database->attachDatabaseFile(dir.filePath("system_cfg.db"));
    }

    void reads()
    {
        // Tables of both files are found without a schema name, and by the attached one.
        QCOMPARE(database->getValue("brightness", "commonSettings").toInt(), 80);
        QCOMPARE(database->getValue("isPrimary", "system_cfg.systemCfg").toInt(), 1);
        QVERIFY(LogCatcher::contains(": About to run query= \"SELECT brightness FROM commonSettings\""));
        // The serial number leaves no trace.
        QCOMPARE(database->getValue("serialNumber", "systemCfg").toString(), QStringLiteral("SN-4417-1"));
        QVERIFY(!LogCatcher::contains("serialNumber") && !LogCatcher::contains("SN-4417-1"));
    }

    void updateStatements_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("statement");

        QTest::newRow("bool true is 1") << "isPrimary" << QVariant(true) << "isPrimary=1";
        QTest::newRow("int is an unquoted decimal") << "deamonVersion" << QVariant(-196608) << "deamonVersion=-196608";
        QTest::newRow("quote in a string stored as it is") << "unitBom" << QVariant("x', isPrimary=7 --") << "unitBom='x', isPrimary=7 --'";
        QTest::newRow("null string is an empty text") << "unitBom" << QVariant(QString()) << "unitBom=''";
    }

    void updateStatements()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, statement);

        database->setValue(key, "systemCfg", value);
        QVERIFY(LogCatcher::contains(
            "setValue(const QString&, const QString&, QVariant) : About to run query= \"UPDATE systemCfg SET " + statement + '"'));
        QCOMPARE(database->getValue(key, "systemCfg").toString(),
            value.type() == QVariant::Bool ? QString::number(value.toInt()) : value.toString());
        // Other processes of the unit read these files: a text column never holds SQL NULL.
        QCOMPARE(database->getValue("typeof(" + key + ")", "systemCfg").toString(),
            QString(value.type() == QVariant::String ? "text" : "integer"));
    }

    void fatalPaths_data()
    {
        QTest::addColumn<QString>("call"); // of the library, in the child
        QTest::addColumn<QString>("preparation"); // "no system file", a statement on system_cfg.db, or none
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const auto row = [](const char *name, const char *call, const char *preparation, int code, const char *message) {
            QTest::newRow(name) << QString(call) << QString(preparation) << code << QString(message);
        };

        row("missing system file", "open", "no system file", -6, "Error: Database file /appdata/system_cfg.db does not exist.");
        row("read before opening", "get isPrimary systemCfg", "", -1, "Error in getValue: Database is not open.");
        row("file attached a second time", "attach", "", -6, "Could not attach database file /appdata/system_cfg.db.");
        row("write to a table without a row", "set isPrimary systemCfg true", "DELETE FROM systemCfg", -5,
            "Error in setValue: Number of rows is not 1. It is: 0.");
        row("double value", "set isPrimary systemCfg 1.5", "", -5,
            "Error in setValue: Format of value not identified. Value is: 1.5 with format enum value: 6");
        row("write to a missing table", "set isPrimary noTable true", "", -5,
            "Error in setValue: ERROR setting isPrimary to true in table noTable.");
        row("read from a table without a row", "read isPrimary systemCfg", "DELETE FROM systemCfg", -5,
            "Error in getValue: Number of rows is not 1. It is: 0.");
    }

    void fatalPaths()
    {
        QFETCH(QString, call);
        QFETCH(QString, preparation);
        QFETCH(int, code);
        QFETCH(QString, message);

        QTemporaryDir appdata;
        const QString system = appdata.filePath("system_cfg.db");
        QVERIFY(provision(appdata.path()));
        if (preparation == "no system file")
            QVERIFY(QFile::remove(system));
        else if (!preparation.isEmpty())
            QCOMPARE(QProcess::execute("sqlite3", { system, preparation }), 0);

        const QString log = appdata.filePath("syslog");
        QProcess process;
        process.start(qEnvironmentVariable("KV_SANDBOX"),
            QStringList { "--headless", "--appdata", appdata.path(), "--log", log, "--", child, "fatal" } + call.split(' '));
        QVERIFY(process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0);

        // One fatal line, at warning priority of LOG_LOCAL1.
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString(file.readAll()).split('\n').filter("Fatal Database Error");
        const QString expected
            = QStringLiteral("gui: Error code  \"%1\" . Fatal Database Error.  \"%2\"  Now exiting program!").arg(code).arg(message);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith("<140>") && lines.first().endsWith(expected), qPrintable(lines.first()));
        // A missing file is not created on the way.
        QCOMPARE(QFile::exists(system), preparation != "no system file");
    }

private:
    const QString child = QCoreApplication::applicationDirPath() + "/devif_child";
    QTemporaryDir dir;
    std::unique_ptr<TDatabase> database;
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
