// tst_database.cpp
#include "devif_test_support.h"
#include "kvif_database.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString buildDir()
{
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("KV_BUILD_DIR"));
}

QString childProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/devif_child");
}

// Settings files made with the provisioning command, as on a unit.
bool provision(const QString &dir, const QStringList &options = QStringList())
{
    QProcess tool;
    tool.start(buildDir() + QStringLiteral("/tools/settings/provision-settings"),
        QStringList { QStringLiteral("--appdata"), dir, QStringLiteral("--force") } + options);
    return tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// Changes a file behind the library's back, through a connection of its own.
bool execOn(const QString &file, const QString &statement)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("side"));
        db.setDatabaseName(file);
        ok = db.open() && QSqlQuery(db).exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("side"));
    return ok;
}

QVariant readOn(const QString &file, const QString &statement)
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("side"));
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(statement) && query.next())
                value = query.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("side"));
    return value;
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void attachedSchemaName();
    void updateStatements_data();
    void updateStatements();
    void serialNumberNeverTraced();
    void waitsForAnotherWriter();
    void fatalPaths_data();
    void fatalPaths();

private:
    QTemporaryDir dir;
    std::unique_ptr<TDatabase> database;
};

void TestDatabase::initTestCase()
{
    LogCatcher::install();
    QVERIFY(dir.isValid());
}

void TestDatabase::init()
{
    QVERIFY(provision(dir.path(), { QStringLiteral("--serial-number"), QStringLiteral("SN-4417-1") }));
    LogCatcher::clear();
    database.reset(new TDatabase);
    database->attachDatabaseFile(dir.filePath(QStringLiteral("common_settings.db")));
    database->attachDatabaseFile(dir.filePath(QStringLiteral("system_cfg.db")));
}

void TestDatabase::cleanup()
{
    database.reset();
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("myConnection")));
}

void TestDatabase::attachedSchemaName()
{
    QVERIFY(LogCatcher::contains(QStringLiteral(": filename:  \"") + dir.filePath(QStringLiteral("system_cfg.db"))
        + QStringLiteral("\" , nickname:  \"system_cfg\" .")));
    // Tables of both files are found without a schema name.
    QCOMPARE(database->getValue(QStringLiteral("serialNumber"), QStringLiteral("systemCfg")).toString(), QStringLiteral("SN-4417-1"));
    QCOMPARE(database->getValue(QStringLiteral("brightness"), QStringLiteral("commonSettings")).toInt(), 80);
    QCOMPARE(database->getValue(QStringLiteral("isPrimary"), QStringLiteral("system_cfg.systemCfg")).toInt(), 1);
}

void TestDatabase::updateStatements_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QVariant>("stored");

    QTest::newRow("bool true is 1") << "isPrimary" << QVariant(true) << "UPDATE systemCfg SET isPrimary=1" << QVariant(1);
    QTest::newRow("bool false is 0") << "isPrimary" << QVariant(false) << "UPDATE systemCfg SET isPrimary=0" << QVariant(0);
    QTest::newRow("int is an unquoted decimal")
        << "deamonVersion" << QVariant(-196608) << "UPDATE systemCfg SET deamonVersion=-196608" << QVariant(-196608);
    QTest::newRow("string is a literal") << "applicationName" << QVariant(QStringLiteral("kv20937c"))
                                         << "UPDATE systemCfg SET applicationName='kv20937c'" << QVariant(QStringLiteral("kv20937c"));
    QTest::newRow("quote in a string is stored as it is")
        << "unitBom" << QVariant(QStringLiteral("x', isPrimary=7 --")) << "UPDATE systemCfg SET unitBom='x', isPrimary=7 --'"
        << QVariant(QStringLiteral("x', isPrimary=7 --"));
}

void TestDatabase::updateStatements()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QString, statement);
    QFETCH(QVariant, stored);

    database->setValue(key, QStringLiteral("systemCfg"), value);
    QVERIFY(LogCatcher::contains(
        QStringLiteral("void TDatabase::setValue(const QString&, const QString&, QVariant) : About to run query= \"%1\"").arg(statement)));
    QCOMPARE(database->getValue(key, QStringLiteral("systemCfg")), stored);
    // No other column was touched.
    const QString file = dir.filePath(QStringLiteral("system_cfg.db"));
    QCOMPARE(readOn(file, QStringLiteral("SELECT count(*) FROM systemCfg")).toInt(), 1);
    if (key != QLatin1String("isPrimary"))
        QCOMPARE(readOn(file, QStringLiteral("SELECT isPrimary FROM systemCfg")).toInt(), 1);
}

void TestDatabase::serialNumberNeverTraced()
{
    database->getValue(QStringLiteral("serialNumber"), QStringLiteral("systemCfg"));
    QVERIFY(!LogCatcher::contains(QStringLiteral("serialNumber")));
    QVERIFY(!LogCatcher::contains(QStringLiteral("SN-4417-1")));
    database->getValue(QStringLiteral("unitBom"), QStringLiteral("systemCfg"));
    QVERIFY(LogCatcher::contains(QStringLiteral(": About to run query= \"SELECT unitBom FROM systemCfg\"")));
    QVERIFY(LogCatcher::contains(QStringLiteral(": About to return value= QVariant(QString, \"\")")));
}

void TestDatabase::waitsForAnotherWriter()
{
    QProcess holder;
    holder.start(childProgram(), { QStringLiteral("hold-lock"), dir.filePath(QStringLiteral("system_cfg.db")), QStringLiteral("3000") });
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    database->setValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg"), QVariant(false));
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(holder.exitCode(), 0);
    QCOMPARE(database->getValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg")).toInt(), 0);
    QCOMPARE(database->getValue(QStringLiteral("serialNumber"), QStringLiteral("systemCfg")).toString(), QStringLiteral("held"));
}

void TestDatabase::fatalPaths_data()
{
    QTest::addColumn<QString>("childCase");
    QTest::addColumn<QString>("preparation"); // statement on system_cfg.db, or "empty" for no files
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing settings file") << "open-settings"
                                           << "empty" << -6 << "Error: Database file /appdata/common_settings.db does not exist.";
    QTest::newRow("missing system configuration file")
        << "open-settings"
        << "no-system-file" << -6 << "Error: Database file /appdata/system_cfg.db does not exist.";
    QTest::newRow("settings file that is no database") << "open-settings"
                                                       << "garbage" << -6 << "Could not attach database file /appdata/system_cfg.db.";
    QTest::newRow("file attached a second time") << "attach-twice"
                                                 << "" << -6 << "Could not attach database file /appdata/system_cfg.db.";
    QTest::newRow("table without a row") << "no-row"
                                         << "DELETE FROM systemCfg" << -5 << "Error in getValue: Number of rows is not 1. It is: 0.";
    QTest::newRow("table with two rows") << "two-rows"
                                         << "INSERT INTO systemCfg DEFAULT VALUES" << -5
                                         << "Error in getValue: Number of rows is not 1. It is: 2.";
    QTest::newRow("key that is not a column") << "unknown-column"
                                              << "" << -5 << "Error in getValue: Error getting noSuchKey from table systemCfg.";
    QTest::newRow("double value") << "double-value"
                                  << "" << -5
                                  << "Error in setValue: Format of value not identified. Value is: 1.5 with format enum value: 6";
    QTest::newRow("write to a missing table") << "unknown-table"
                                              << "" << -5 << "Error in setValue: ERROR setting isPrimary to true in table noTable.";
    QTest::newRow("read before any file is open") << "not-open"
                                                  << "" << -1 << "Error in getValue: Database is not open.";
    QTest::newRow("write before any file is open") << "not-open-set"
                                                   << "" << -1 << "Error in setValue: Database is not open.";
}

void TestDatabase::fatalPaths()
{
    QFETCH(QString, childCase);
    QFETCH(QString, preparation);
    QFETCH(int, code);
    QFETCH(QString, message);

    QTemporaryDir appdata;
    QVERIFY(appdata.isValid());
    if (preparation != QLatin1String("empty")) {
        QVERIFY(provision(appdata.path()));
        if (preparation == QLatin1String("garbage")) {
            QFile file(appdata.filePath(QStringLiteral("common_settings.db")));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, 'x'));
        } else if (preparation == QLatin1String("no-system-file"))
            QVERIFY(QFile::remove(appdata.filePath(QStringLiteral("system_cfg.db"))));
        else if (!preparation.isEmpty())
            QVERIFY(execOn(appdata.filePath(QStringLiteral("system_cfg.db")), preparation));
    }
    const QString log = appdata.filePath(QStringLiteral("syslog"));
    QProcess child;
    child.start(QProcessEnvironment::systemEnvironment().value(QStringLiteral("KV_SANDBOX")),
        { QStringLiteral("--headless"), QStringLiteral("--appdata"), appdata.path(), QStringLiteral("--log"), log, QStringLiteral("--"),
            childProgram(), QStringLiteral("fatal"), childCase });
    QVERIFY(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(!output.contains("survived"), output.constData());
    QCOMPARE(child.exitCode(), 0);

    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString lines = QString::fromLocal8Bit(file.readAll());
    const QString expected
        = QStringLiteral("gui: Error code  \"%1\" . Fatal Database Error.  \"%2\"  Now exiting program!").arg(code).arg(message);
    QStringList fatalLines;
    for (const QString &line : lines.split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("Fatal Database Error")))
            fatalLines.append(line);
    }
    // One fatal line, at warning priority of LOG_LOCAL1, and the process ended right there.
    QCOMPARE(fatalLines.size(), 1);
    QVERIFY2(fatalLines.first().startsWith(QLatin1String("<140>")) && fatalLines.first().endsWith(expected), qPrintable(lines));
    // No empty database is left behind for a missing file.
    if (preparation == QLatin1String("empty"))
        QVERIFY(!QFile::exists(appdata.filePath(QStringLiteral("common_settings.db"))));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
