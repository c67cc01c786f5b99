// tst_system_selection.cpp: the real application end to end: started in the unit sandbox on a private X
// server beside the stand-in daemon, touched and keyed through X (xdotool) on its own buttons and
// touch-keyboard keys, observed through its system log, the settings file (SQLite's own shell), the
// pictures on its USB stick, the calibrator record and its exit status. CTest runs the role change
// under another writer's lock and the fatal database paths as tst_system_selection, the rest as
// tst_kestra_config. The operator's own paths, in every language, are tst_operator_paths.py's.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where the operator touches on the 800 x 600 screen, and the option button that this touch, or a
// mnemonic, must click (none for the LED and the keys).
QPair<QPoint, QString> spot(const QString &name)
{
    // The digits 1 to 9 and 0 along one row of the keyboard's first symbol page.
    if (name.size() == 1 && name[0].isDigit())
        return { QPoint(89 + (name.toInt() + 9) % 10 * 59, 394), QString() };
    static const QMap<QString, QPair<QPoint, QString>> spots {
        // The menu; a second tap on the same spot would make a double click, which the terminal discards.
        { "select", { { 400, 252 }, "&Select GMDSS system" } }, { "calibrate", { { 400, 310 }, "&Calibrate touch screen" } },
        { "calibrate again", { { 460, 310 }, "&Calibrate touch screen" } }, { "exit", { { 400, 368 }, "&Exit configuration" } },
        // The selection, grown out of its menu button; the question, grown out of Store.
        { "duplicated", { { 400, 274 }, "" } }, { "store", { { 298, 334 }, "&Store" } }, { "yes", { { 198, 395 }, "&Yes" } },
        // The password request above the keyboard; the keyboard's "123, symbols" key.
        { "password ok", { { 320, 277 }, "&OK" } }, { "123", { { 134, 567 }, "" } }
    };
    return spots.value(name);
}

// The class of the widget that a touch there must reach.
QString receiver(const QString &name)
{
    return name.size() == 1 || name == "123" ? "TTouchKey" : name == "duplicated" ? "QToolButton" : "TOptionButton";
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
        // The application's own account of a failed run: the end of its system log.
        if (QTest::currentTestFailed() && tmp)
            qWarning("%s", qPrintable(log().right(6000)));
        // Ends the sandbox's own child, so the sandbox cleans up after itself: a killed sandbox would
        // leave its log collector holding the test's output open until the test's time-out.
        if (app.state() == QProcess::NotRunning)
            return;
        QProcess::execute("pkill", { "-TERM", "-P", QString::number(app.processId()), "-x", "bwrap" });
        if (!app.waitForFinished(10000)) {
            app.kill();
            app.waitForFinished();
        }
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

        // Then the screen answers again: Calibrate on the menu below.
        row("another writer's lock: stored once it is free, the other's value kept", "",
            "select, duplicated, type 7391, password ok, store, yes while locked, calibrate", "0|held");
        // The role is first read when the window opens.
        row("the row is missing", "DELETE FROM systemCfg", "select", "fatal exit");
        row("the file is not a database", "not a database", "select", "fatal exit");
    }
    void roleChange()
    {
        QFETCH(QString, preparation);
        QFETCH(QString, steps);
        QFETCH(QString, stored);

        QVERIFY(start(preparation));
        for (const QString &step : steps.split(", ")) {
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
                QVERIFY2(step.startsWith("type ") ? typeDigits(step.mid(5)) : touch(step), qPrintable(step));
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
    void menuCalibratesTwiceThenExits()
    {
        QVERIFY(start());
        // The sandbox only has stand-ins for the Droid fonts; the check comes after the first frame.
        QTRY_VERIFY(log().contains("Warning: The system does not contain all the specified fonts!"));
        // Nothing draws with OpenGL, so the X server's GL driver is never loaded.
        const QString maps = appMaps();
        QVERIFY(maps.contains(QStringLiteral("libQt%1Widgets").arg(QT_VERSION_MAJOR)));
        QVERIFY2(!maps.contains("libGLX_mesa") && !maps.contains("_dri.so"), "the GL driver was loaded");

        QVERIFY(touch("calibrate"));
        QTRY_COMPARE_WITH_TIMEOUT(calibratorStarts().size(), 1, 20000);
        QVERIFY(touch("calibrate again"));
        QTRY_COMPARE_WITH_TIMEOUT(calibratorStarts().size(), 2, 20000);
        // The application's own scaling setting stays with it; the calibrator gets the engineer's.
        for (const QString &start : calibratorStarts())
            QVERIFY2(start.contains(" QT_ENABLE_HIGHDPI_SCALING=1 ") && start.endsWith(" calibrator -r"), qPrintable(start));

        QVERIFY(touch("exit"));
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        QVERIFY(log().contains("void MainScreen::handleNormalOperation()"));
    }
    // Last: its keyboard settings stay with the X server.
    void hotKeys()
    {
        // Keyed as on a unit whose X server passes Ctrl+Alt+F12 on as the console-switch key.
        QCOMPARE(QProcess::execute("setxkbmap", { "-compat", "basic+iso9995+mousekeys+accessx(full)+misc+level5+caps(caps_lock)" }), 0);
        QVERIFY(start());
        // F12 without Alt saves nothing: only the Alt+F12 after it does.
        const QImage colour = shoot("F12 ctrl+F12 alt+F12");
        QCOMPARE(colour.size(), QSize(800, 600));
        QVERIFY(!colour.allGray());
        QCOMPARE(log().count("/screenshots/screenshot_"), 1);

        const QImage grey = shoot("ctrl+alt+F12");
        QCOMPARE(grey.size(), QSize(400, 300));
        QVERIFY(grey.allGray());
        // With the X server's own Ctrl+Alt keys switched off, the chord arrives as F12 with its modifiers.
        QCOMPARE(QProcess::execute("setxkbmap", { "-option", "srvrkeys:none" }), 0);
        QVERIFY(shoot("ctrl+alt+F12").allGray());
        QCOMPARE(QDir(tmp->filePath("usb0/screenshots")).entryList({ "*.png" }).size(), 3);

        QProcess::execute("xdotool", { "key", "alt+F11", "F1" });
        QTRY_VERIFY(log().contains("KeyPress: F1 pressed"));
        QVERIFY(log().contains("+++++ Total widgets count"));
        QVERIFY(log().contains("+++++ \"MainScreen\" count 1"));
        QCOMPARE(app.state(), QProcess::Running);
    }

private:
    QString read(const QString &name) const
    {
        QFile file(tmp->filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }
    QString log() const { return read("syslog"); }
    QStringList calibratorStarts() const { return read("calibrator.log").split('\n', Qt::SkipEmptyParts); }
    // The memory map of the application process under the sandbox, found among its descendants.
    QString appMaps() const
    {
        QStringList pids { QString::number(app.processId()) };
        while (!pids.isEmpty()) {
            const QString pid = pids.takeFirst();
            QFile comm("/proc/" + pid + "/comm"), maps("/proc/" + pid + "/maps"), children("/proc/" + pid + "/task/" + pid + "/children");
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "kestra_config")
                return maps.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(maps.readAll()) : QString();
            if (children.open(QIODevice::ReadOnly))
                pids += QString::fromLatin1(children.readAll()).split(' ', Qt::SkipEmptyParts);
        }
        return QString();
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
            const QPoint at = spot(name).first;
            QProcess::execute("xdotool", { "mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1" });
            if (!QTest::qWaitFor([&] { return log().count("LeftMouseButtonRelease") > releasesBefore; }, 5000))
                continue;
            // A button pressed while its window still grew in is released without a click.
            if (log().split('\n').filter("LeftMouseButtonRelease").last().contains("receiver= " + receiver(name) + "(")
                && (spot(name).second.isEmpty() || QTest::qWaitFor([&] { return clicks(name) > clicksBefore; }, 1500)))
                return true;
            // Still opening: the touch reached the picture of the animation, or the window below.
            QTest::qWait(150);
        }
        qWarning() << "touch" << name << "did not reach a" << receiver(name);
        return false;
    }
    int clicks(const QString &name) const { return log().count("Button with buttonText= \"" + spot(name).second + "\"  was clicked!"); }
    // Presses keys through X and returns the picture that the last of them leaves on the stick.
    QImage shoot(const QString &keys)
    {
        // Pictures are named by the second: the next one must not replace the last.
        const QString second = QTime::currentTime().toString("hhmmss");
        (void)QTest::qWaitFor([&] { return QTime::currentTime().toString("hhmmss") != second; }, 1100);
        const QDir stick(tmp->filePath("usb0/screenshots"));
        const int before = stick.entryList({ "*.png" }).size();
        QProcess::execute("xdotool", QStringList { "key" } + keys.split(' '));
        if (!QTest::qWaitFor([&] { return stick.entryList({ "*.png" }).size() > before; }, 10000))
            return QImage();
        const QFileInfo newest = stick.entryInfoList({ "*.png" }, QDir::Files, QDir::Time).first();
        return newest.size() > 0 ? QImage(newest.filePath()) : QImage();
    }
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
        if (!QDir(tmp->path()).mkdir("usb0") || QProcess::execute(build + "/tools/settings/provision-settings", settings) != 0
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
        // The suite keeps the GL driver out of every process; here the application must do it itself.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_XCB_GL_INTEGRATION");
        env.insert("QT_ENABLE_HIGHDPI_SCALING", "1"); // as a service engineer may set it
        app.setProcessEnvironment(env);
        app.start(qEnvironmentVariable("KV_SANDBOX"),
            { "--display", "--unshare-net", "--unshare-pid", "--appdata", appdata, "--log", tmp->filePath("syslog"), "--usb",
                "0=" + tmp->filePath("usb0"), "--calibrator-record", tmp->filePath("calibrator.log"), "--", "/bin/sh", "-c", command });
        return app.waitForStarted() && QTest::qWaitFor([&] { return log().contains(mainScreen); }, 20000);
    }

    QScopedPointer<QTemporaryDir> tmp;
    int lowerCaseStates = 0; // keyboard openings seen in the log
    QProcess app;
};

QTEST_GUILESS_MAIN(TestSystemSelection)
#include "tst_system_selection.moc"
