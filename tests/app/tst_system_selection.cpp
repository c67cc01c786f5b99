// tst_system_selection.cpp: the real application changes the terminal's role end to end: started in
// the unit sandbox on a private X server beside the stand-in daemon, touched through X (xdotool) on
// its own buttons and touch-keyboard keys, and checked in the settings file with SQLite's own shell.
#include "sandboxed_app.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where the operator touches, on the 800 x 600 screen.
QPoint spot(const QString &name)
{
    // The digits 1 to 9 and 0 along one row of the keyboard's first symbol page.
    if (name.size() == 1 && name[0].isDigit())
        return QPoint(89 + (name.toInt() + 9) % 10 * 59, 394);
    static const QMap<QString, QPoint> spots {
        { "select", { 400, 252 } }, { "calibrate", { 400, 310 } }, // the menu
        { "duplicated", { 400, 274 } }, { "store", { 298, 334 } }, // the selection, grown out of its menu button
        { "yes", { 198, 395 } }, { "no", { 448, 395 } }, // the question, grown out of Store
        { "password ok", { 320, 277 } }, { "warning ok", { 396, 269 } }, // the password request above the keyboard; its warning
        { "123", { 134, 567 } }, // the keyboard's "123, symbols" key
    };
    return spots.value(name);
}

// The class of the widget that a touch there must reach.
QString receiver(const QString &name)
{
    return name.size() == 1 || name == "123" ? "TTouchKey" : name == "duplicated" ? "QToolButton" : "TOptionButton";
}

// The option button that a spot or a mnemonic must click, if it is one.
QString buttonText(const QString &name)
{
    static const QMap<QString, QString> texts { { "select", "&Select GMDSS system" }, { "calibrate", "&Calibrate touch screen" },
        { "store", "&Store" }, { "alt+s", "&Store" }, { "yes", "&Yes" }, { "alt+y", "&Yes" }, { "no", "&No" }, { "alt+n", "&No" },
        { "alt+c", "&Cancel" }, { "password ok", "&OK" }, { "warning ok", "&OK" } };
    return texts.value(name);
}
} // namespace

class TestSystemSelection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        for (const char *tool : { "xdotool", "sqlite3" })
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), qPrintable(QString(tool) + " is needed (scripts/setup installs it)"));
    }
    void cleanup()
    {
        if (QTest::currentTestFailed() && tmp)
            printLogTail(log(), 40);
        stopSandboxed(app);
    }
    void roleChange_data()
    {
        QTest::addColumn<QString>("preparation"); // of the settings file: an SQL statement, or "not a database"
        // Spots; "type DIGITS" on the keyboard's symbol page; "yes while locked": another process of the unit
        // holds the write lock, writing the serial number, until a while after the application has begun to wait.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("stored"); // isPrimary|serialNumber, or "fatal exit"
        const auto row = [](const char *name, const char *preparation, const QString &steps, const char *stored) {
            QTest::newRow(name) << QString(preparation) << steps << QString(stored);
        };

        const QString store = "select, duplicated, type 7391, password ok, store";
        row("the right password, Store and Yes store duplicated", "", store + ", yes", "0|44170815");
        row("a wrong password stores nothing and the right one then works", "",
            "select, duplicated, type 7390, password ok, warning ok, type 7391, password ok, store, yes", "0|44170815");
        row("No stores nothing", "", store + ", no", "1|44170815");
        row("mnemonics: Alt+N goes back to the window, Alt+S and Alt+Y store", "", store + ", alt+n, alt+s, alt+y", "0|44170815");
        row("mnemonic Alt+C leaves without storing", "", "select, duplicated, type 7391, password ok, alt+c, calibrate", "1|44170815");
        // Then the screen answers again: Calibrate on the menu below.
        row("another writer's lock: stored once it is free, the other's value kept", "", store + ", yes while locked, calibrate", "0|held");
        // The role is first read when the window opens.
        row("the row is missing", "DELETE FROM systemCfg", "select", "fatal exit");
        row("the column is missing", "ALTER TABLE systemCfg DROP COLUMN isPrimary", "select", "fatal exit");
        row("the file is not a database", "not a database", "select", "fatal exit");
    }
    void roleChange()
    {
        QFETCH(QString, preparation);
        QFETCH(QString, steps);
        QFETCH(QString, stored);

        QVERIFY(start(preparation));
        for (const QString &step : steps.split(", ")) {
            // Nothing is stored before Yes.
            if (step.startsWith("yes") || step == "alt+y")
                QCOMPARE(sql("SELECT isPrimary FROM systemCfg"), QString("1"));
            if (step == "yes while locked") {
                QProcess writer;
                writer.start("sqlite3", { tmp->filePath("appdata/system_cfg.db") });
                writer.write("BEGIN IMMEDIATE; UPDATE systemCfg SET serialNumber='held'; SELECT 'locked';\n");
                QVERIFY(writer.waitForReadyRead(10000) && writer.readAll().trimmed() == "locked");
                QVERIFY(touch("yes"));
                QTRY_VERIFY(log().contains("About to run query= \"UPDATE systemCfg SET isPrimary=0\""));
                QTest::qWait(2000);
                writer.write("COMMIT;\n");
                writer.closeWriteChannel();
                QVERIFY(writer.waitForFinished(10000) && writer.exitCode() == 0);
            } else {
                QVERIFY2(step.startsWith("type ") ? typeDigits(step.mid(5))
                        : step.startsWith("alt+") ? press(step)
                                                  : touch(step),
                    qPrintable(step));
            }
        }
        if (stored == "fatal exit") {
            // The database's fatal path: one line and status 0, never a crash.
            QVERIFY(app.waitForFinished(20000));
            QCOMPARE(app.exitStatus(), QProcess::NormalExit);
            QCOMPARE(app.exitCode(), 0);
            QCOMPARE(log().split('\n').filter("Fatal Database Error").size(), 1);
            return;
        }
        QTRY_COMPARE(sql("SELECT isPrimary || '|' || serialNumber FROM systemCfg"), stored);
        QCOMPARE(log().contains("Fatal Database Error"), false);
        QCOMPARE(app.state(), QProcess::Running);
    }

private:
    QString log() const
    {
        QFile file(tmp->filePath("syslog"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }
    // One statement on the settings file by another process of the unit, which waits for a writer's lock.
    QString sql(const QString &statement)
    {
        QProcess sqlite;
        sqlite.start("sqlite3", { "-cmd", ".timeout 20000", tmp->filePath("appdata/system_cfg.db"), statement });
        if (!sqlite.waitForFinished(30000) || sqlite.exitCode() != 0)
            return "failed: " + QString::fromUtf8(sqlite.readAllStandardError());
        return QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed();
    }
    bool touch(const QString &name)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            const int releasesBefore = log().count("LeftMouseButtonRelease"), clicksBefore = clicks(name);
            QProcess::execute("xdotool", { "mousemove", QString::number(spot(name).x()), QString::number(spot(name).y()), "click", "1" });
            if (!QTest::qWaitFor([&] { return log().count("LeftMouseButtonRelease") > releasesBefore; }, 5000))
                continue;
            // A button pressed while its window still grew in is released without a click.
            if (log().split('\n').filter("LeftMouseButtonRelease").last().contains("receiver= " + receiver(name) + "(")
                && (buttonText(name).isEmpty() || QTest::qWaitFor([&] { return clicks(name) > clicksBefore; }, 1500)))
                return true;
            // Still opening: the touch reached the picture of the animation, or the window below.
            QTest::qWait(150);
        }
        qWarning() << "touch" << name << "did not reach a" << receiver(name);
        return false;
    }
    // A mnemonic through the X keyboard, pressed until its button reports the click: a key that
    // arrives while a window is still opening reaches the window below, which has no such mnemonic.
    bool press(const QString &chord)
    {
        const int before = clicks(chord);
        for (int attempt = 0; attempt < 10; ++attempt) {
            QProcess::execute("xdotool", { "key", chord });
            if (QTest::qWaitFor([&] { return clicks(chord) > before; }, 1500))
                return true;
        }
        return false;
    }
    int clicks(const QString &name) const { return log().count("Button with buttonText= \"" + buttonText(name) + "\"  was clicked!"); }
    // Every opening of the keyboard starts on its letters: the digits are on the first symbol page.
    // Each digit must reach the password field.
    bool typeDigits(const QString &digits)
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
    bool start(const QString &preparation = QString())
    {
        tmp.reset(new QTemporaryDir);
        lowerCaseStates = 0;
        const QString build = qEnvironmentVariable("KV_BUILD_DIR"), appdata = tmp->filePath("appdata");
        const QStringList settings { "--appdata", appdata, "--is-primary", "1", "--deamon-version", "0x30000", "--serial-number",
            "44170815" };
        QFile file(appdata + "/system_cfg.db");
        if (QProcess::execute(build + "/tools/settings/provision-settings", settings) != 0
            || (preparation == "not a database" ? !file.open(QIODevice::WriteOnly) || file.write(QByteArray(4096, 'x')) != 4096
                                                : !preparation.isEmpty() && !sql(preparation).isEmpty()))
            return false;
        file.close();
        // The daemon on the unit's loopback port 1, inside the sandbox's own network.
        const QString command = QString("'%1/tools/iu-daemon/iu-daemon' --port 1 --devices '%2/tools/iu-daemon/demo-devices.txt' "
                                        ">/dev/null 2>&1 & exec '%1/app/kestra_config'")
                                    .arg(build, qEnvironmentVariable("KV_SOURCE_DIR"));
        const QString mainScreen = "Screen:  \"KESTRA 4417 MESSAGE TERMINAL\" , page:  \"CONFIGURATION\"";
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        app.start(qEnvironmentVariable("KV_SANDBOX"),
            { "--display", "--unshare-net", "--unshare-pid", "--appdata", appdata, "--log", tmp->filePath("syslog"), "--", "/bin/sh", "-c",
                command });
        return app.waitForStarted() && QTest::qWaitFor([&] { return log().contains(mainScreen); }, 20000);
    }

    QScopedPointer<QTemporaryDir> tmp;
    int lowerCaseStates = 0; // keyboard openings seen in the log
    QProcess app;
};

QTEST_GUILESS_MAIN(TestSystemSelection)
#include "tst_system_selection.moc"
