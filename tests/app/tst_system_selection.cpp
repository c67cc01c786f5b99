// tst_system_selection.cpp: the real application changes the terminal's role end to end: started in
// the unit sandbox on a private X server beside the stand-in daemon, touched through X (xdotool) on
// its own buttons and touch-keyboard keys, and checked in the settings file with SQLite.
#include "sandboxed_app.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where the operator touches, on the 800 x 600 screen, and the class of the widget that must get it.
struct Spot
{
    QPoint at;
    const char *receiver;
};

const QMap<QString, Spot> &spots()
{
    static const QMap<QString, Spot> table {
        { "select", { { 400, 252 }, "TOptionButton" } },
        { "calibrate", { { 400, 310 }, "TOptionButton" } },
        // The selection window, grown out of the menu button.
        { "primary", { { 400, 216 }, "QToolButton" } },
        { "duplicated", { { 400, 274 }, "QToolButton" } },
        { "store", { { 298, 334 }, "TOptionButton" } },
        // The question grows out of Store.
        { "yes", { { 198, 395 }, "TOptionButton" } },
        { "no", { { 448, 395 }, "TOptionButton" } },
        // The password request above the keyboard; its warning opens over the field.
        { "password ok", { { 320, 277 }, "TOptionButton" } },
        { "warning ok", { { 396, 269 }, "TOptionButton" } },
        // The keyboard's "123, symbols" key and the digits of its first symbol page.
        { "123", { { 134, 567 }, "TTouchKey" } },
        { "0", { { 620, 394 }, "TTouchKey" } },
        { "1", { { 89, 394 }, "TTouchKey" } },
        { "3", { { 207, 394 }, "TTouchKey" } },
        { "7", { { 443, 394 }, "TTouchKey" } },
        { "9", { { 561, 394 }, "TTouchKey" } },
    };
    return table;
}

} // namespace

class TestSystemSelection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void roleChange_data();
    void roleChange();
    void storeWaitsForAnotherWriter();
    void badSettingsFile_data();
    void badSettingsFile();

private:
    bool start(const QString &preparation = QString());
    QString log() const;
    int storedPrimary();
    bool touch(const QString &spot);
    bool typeDigits(const QString &digits);

    QScopedPointer<QTemporaryDir> tmp;
    int lowerCaseStates = 0; // keyboard openings seen in the log
    QProcess app;
};

QString TestSystemSelection::log() const
{
    QFile file(tmp->filePath("syslog"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

int TestSystemSelection::storedPrimary()
{
    int value = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "reader");
        db.setDatabaseName(tmp->filePath("appdata/system_cfg.db"));
        db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=20000");
        QSqlQuery query(db);
        if (db.open() && query.exec("SELECT isPrimary FROM systemCfg") && query.next())
            value = query.value(0).toInt();
    }
    QSqlDatabase::removeDatabase("reader");
    return value;
}

bool TestSystemSelection::touch(const QString &name)
{
    const Spot spot = spots().value(name);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int releasesBefore = log().count("LeftMouseButtonRelease");
        QProcess::execute("xdotool", { "mousemove", QString::number(spot.at.x()), QString::number(spot.at.y()), "click", "1" });
        if (!QTest::qWaitFor([&] { return log().count("LeftMouseButtonRelease") > releasesBefore; }, 5000))
            continue;
        const QString lastRelease = log().split('\n').filter("LeftMouseButtonRelease").last();
        if (lastRelease.contains(QString("receiver= ") + spot.receiver + "("))
            return true;
        // Still opening: the touch reached the picture of the animation, or the window below.
        QTest::qWait(150);
    }
    qWarning() << "touch" << name << "did not reach a" << spot.receiver;
    return false;
}

// Every opening of the keyboard starts on its letters: the digits are on the first symbol page.
// Each digit must reach the password field.
bool TestSystemSelection::typeDigits(const QString &digits)
{
    const auto lastLayout = [&] {
        const QStringList changes = log().split('\n').filter("newState == ");
        return changes.isEmpty() ? QString() : changes.last();
    };
    if (!QTest::qWaitFor([&] { return !lastLayout().isEmpty(); }, 10000))
        return false;
    if (!lastLayout().contains("ASCII_SYMBOLS_1")) {
        // Just opened, it slides in (300 ms): a touch during the slide would hit whichever row is
        // passing under the finger.
        if (log().count("newState == LOWER_CASE") > lowerCaseStates)
            QTest::qWait(600);
        lowerCaseStates = log().count("newState == LOWER_CASE");
        if (!touch("123") || !QTest::qWaitFor([&] { return lastLayout().contains("ASCII_SYMBOLS_1"); }, 5000))
            return false;
    }
    for (const QChar digit : digits) {
        const QString typed = QString("KeyPress: key->text()= \"%1\"").arg(digit);
        const int before = log().count(typed);
        if (!touch(digit) || !QTest::qWaitFor([&] { return log().count(typed) > before; }, 5000))
            return false;
    }
    return true;
}

void TestSystemSelection::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is needed (scripts/setup installs it)");
}

bool TestSystemSelection::start(const QString &preparation)
{
    tmp.reset(new QTemporaryDir);
    lowerCaseStates = 0;
    const QString build = qEnvironmentVariable("KV_BUILD_DIR");
    const QString appdata = tmp->filePath("appdata");
    if (QProcess::execute(build + "/tools/settings/provision-settings",
            { "--appdata", appdata, "--is-primary", "1", "--deamon-version", "0x30000", "--serial-number", "44170815" })
        != 0)
        return false;
    if (!preparation.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "prepare");
        db.setDatabaseName(appdata + "/system_cfg.db");
        bool ok = db.open();
        if (preparation == QLatin1String("not a database"))
            ok = true;
        else if (ok)
            ok = QSqlQuery(db).exec(preparation);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("prepare");
        if (preparation == QLatin1String("not a database")) {
            QFile file(appdata + "/system_cfg.db");
            ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(QByteArray(4096, 'x')) == 4096;
        }
        if (!ok)
            return false;
    }
    // The daemon on the unit's loopback port 1, inside the sandbox's own network.
    const QString command = QString("'%1/tools/iu-daemon/iu-daemon' --port 1 --devices '%2/tools/iu-daemon/demo-devices.txt' "
                                    ">/dev/null 2>&1 & exec '%1/app/kestra_config'")
                                .arg(build, qEnvironmentVariable("KV_SOURCE_DIR"));
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    app.start(qEnvironmentVariable("KV_SANDBOX"),
        { "--display", "--unshare-net", "--unshare-pid", "--appdata", appdata, "--log", tmp->filePath("syslog"), "--", "/bin/sh", "-c",
            command });
    return app.waitForStarted()
        && QTest::qWaitFor([&] { return log().contains("Screen:  \"KESTRA 4417 MESSAGE TERMINAL\" , page:  \"CONFIGURATION\""); }, 20000);
}

void TestSystemSelection::cleanup()
{
    if (QTest::currentTestFailed() && tmp)
        printLogTail(log(), 40);
    stopSandboxed(app);
}

void TestSystemSelection::roleChange_data()
{
    QTest::addColumn<QStringList>("steps"); // spots, or "type DIGITS" on the keyboard's symbol page
    QTest::addColumn<int>("stored");

    const QStringList open { "select", "duplicated" };
    QTest::newRow("the right password, Store and Yes store duplicated")
        << open + QStringList { "type 7391", "password ok", "store", "yes" } << 0;
    QTest::newRow("a wrong password stores nothing and the right one then works")
        << open + QStringList { "type 7390", "password ok", "warning ok", "type 7391", "password ok", "store", "yes" } << 0;
    QTest::newRow("No stores nothing") << open + QStringList { "type 7391", "password ok", "store", "no" } << 1;
}

void TestSystemSelection::roleChange()
{
    QFETCH(QStringList, steps);
    QFETCH(int, stored);

    QVERIFY(start());
    for (const QString &step : steps) {
        // Nothing is stored before Yes.
        if (step == QLatin1String("yes"))
            QCOMPARE(storedPrimary(), 1);
        if (step.startsWith("type "))
            QVERIFY2(typeDigits(step.mid(5)), qPrintable(step));
        else
            QVERIFY2(touch(step), qPrintable(step));
    }
    if (stored == 0)
        QTRY_VERIFY(log().contains("About to run query= \"UPDATE systemCfg SET isPrimary=0\""));
    QCOMPARE(storedPrimary(), stored);
    QCOMPARE(log().contains("Fatal Database Error"), false);
    QCOMPARE(app.state(), QProcess::Running);
}

void TestSystemSelection::storeWaitsForAnotherWriter()
{
    QVERIFY(start());
    for (const char *step : { "select", "duplicated" })
        QVERIFY(touch(step));
    QVERIFY(typeDigits("7391"));
    for (const char *step : { "password ok", "store" })
        QVERIFY(touch(step));

    // Another process of the unit writes the same file and holds its write lock while Yes is touched.
    const int heldMs = 3000;
    QSqlDatabase writer = QSqlDatabase::addDatabase("QSQLITE", "writer");
    writer.setDatabaseName(tmp->filePath("appdata/system_cfg.db"));
    QVERIFY(writer.open());
    QVERIFY(QSqlQuery(writer).exec("BEGIN IMMEDIATE"));
    QVERIFY(QSqlQuery(writer).exec("UPDATE systemCfg SET serialNumber='held'"));
    QVERIFY(touch("yes"));
    QElapsedTimer held;
    held.start();
    QTRY_VERIFY(log().contains("About to run query= \"UPDATE systemCfg SET isPrimary=0\""));
    QTest::qWait(heldMs - int(held.elapsed()));
    QVERIFY(QSqlQuery(writer).exec("COMMIT"));
    QElapsedTimer freed;
    freed.start();
    writer.close();
    writer = QSqlDatabase();
    QSqlDatabase::removeDatabase("writer");

    // Stored once the lock is free, the other writer's value kept; the screen answers again at once.
    QTRY_COMPARE(storedPrimary(), 0);
    QVERIFY(touch("calibrate"));
    // Not a speed figure: a screen held for the whole busy timeout (15 s) instead of the lock's 3 s.
    QVERIFY2(freed.elapsed() < 6000, qPrintable(QString::number(freed.elapsed())));
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
    db.setDatabaseName(tmp->filePath("appdata/system_cfg.db"));
    QVERIFY(db.open());
    QSqlQuery query("SELECT serialNumber FROM systemCfg", db);
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QString("held"));
    query.clear();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("check");
    QCOMPARE(app.state(), QProcess::Running);
}

void TestSystemSelection::badSettingsFile_data()
{
    QTest::addColumn<QString>("preparation");

    QTest::newRow("the row is missing") << "DELETE FROM systemCfg";
    QTest::newRow("the column is missing") << "ALTER TABLE systemCfg DROP COLUMN isPrimary";
    QTest::newRow("the file is not a database") << "not a database";
}

void TestSystemSelection::badSettingsFile()
{
    QFETCH(QString, preparation);

    QVERIFY(start(preparation));
    // The role is first read when the window opens: the database's fatal path, never a crash.
    QVERIFY(touch("select"));
    QVERIFY(app.waitForFinished(20000));
    QCOMPARE(app.exitStatus(), QProcess::NormalExit);
    QCOMPARE(app.exitCode(), 0);
    QCOMPARE(log().split('\n').filter("Fatal Database Error").size(), 1);
}

QTEST_GUILESS_MAIN(TestSystemSelection)
#include "tst_system_selection.moc"
