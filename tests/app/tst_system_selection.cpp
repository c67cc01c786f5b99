// tst_system_selection.cpp: the real application end to end where the operator's paths
// (tst_operator_paths.py) do not lead: started in the unit sandbox on a private X server beside the
// stand-in daemon, touched and keyed through X (xdotool), observed through its system log, the
// pictures on its USB stick and its exit status. CTest runs the fatal database paths as
// tst_system_selection (settings files broken by SQLite's own shell) and the hot keys as
// tst_kestra_config.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where the operator touches "Select GMDSS system" on the 800 x 600 screen; a second tap on the
// same spot would make a double click, which the terminal discards.
const QPoint SelectSpot(400, 252);
} // namespace

class TestSystemSelection : public QObject
{
    Q_OBJECT
private slots:
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
    // The role is first read when the window opens: a settings file without it ends the program.
    void fatalDatabase_data()
    {
        QTest::addColumn<QString>("preparation"); // of the settings file: an SQL statement, or "not a database"
        QTest::newRow("the row is missing") << "DELETE FROM systemCfg";
        QTest::newRow("the file is not a database") << "not a database";
    }
    void fatalDatabase()
    {
        QFETCH(QString, preparation);
        QVERIFY(start(preparation));
        // A touch while the menu still zooms in reaches its picture: touched again until the program ends.
        for (int attempt = 0; attempt < 10 && app.state() == QProcess::Running; ++attempt) {
            QProcess::execute("xdotool", { "mousemove", QString::number(SelectSpot.x()), QString::number(SelectSpot.y()), "click", "1" });
            (void)QTest::qWaitFor([&] { return app.state() == QProcess::NotRunning; }, 3000);
        }
        // The database's fatal path: one line and status 0, never a crash.
        QVERIFY(app.state() == QProcess::NotRunning || app.waitForFinished(20000));
        QVERIFY(app.exitStatus() == QProcess::NormalExit && app.exitCode() == 0);
        QCOMPARE(log().split('\n').filter("Fatal Database Error").size(), 1);
    }
    // Last: its keyboard settings stay with the X server.
    void hotKeys()
    {
        // Keyed as on a unit whose X server passes Ctrl+Alt+F12 on as the console-switch key.
        QCOMPARE(QProcess::execute("setxkbmap", { "-compat", "basic+iso9995+mousekeys+accessx(full)+misc+level5+caps(caps_lock)" }), 0);
        QVERIFY(start());
        // F12 without Alt saves nothing: only the Alt+F12 after it does.
        const QImage colour = shoot("F12 ctrl+F12 alt+F12");
        QVERIFY(colour.size() == QSize(800, 600) && !colour.allGray() && log().count("/screenshots/screenshot_") == 1);

        const QImage grey = shoot("ctrl+alt+F12");
        QVERIFY(grey.size() == QSize(400, 300) && grey.allGray());
        // With the X server's own Ctrl+Alt keys switched off, the chord arrives as F12 with its modifiers.
        QVERIFY(QProcess::execute("setxkbmap", { "-option", "srvrkeys:none" }) == 0 && shoot("ctrl+alt+F12").allGray());
        QCOMPARE(QDir(tmp->filePath("usb0/screenshots")).entryList({ "*.png" }).size(), 3);

        QProcess::execute("xdotool", { "key", "alt+F11", "F1" });
        QTRY_VERIFY(log().contains("KeyPress: F1 pressed"));
        QVERIFY(log().contains("+++++ Total widgets count") && log().contains("+++++ \"MainScreen\" count 1"));
        QCOMPARE(app.state(), QProcess::Running);
    }

private:
    QString read(const QString &name) const
    {
        QFile file(tmp->filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }
    QString log() const { return read("syslog"); }
    // One statement on the settings file by another process of the unit, which waits for a writer's lock.
    QString sql(const QString &statement)
    {
        QProcess sqlite;
        sqlite.start("sqlite3", { "-cmd", ".timeout 20000", tmp->filePath("appdata/system_cfg.db"), statement });
        if (!sqlite.waitForFinished(30000) || sqlite.exitCode() != 0)
            return "failed: " + QString::fromUtf8(sqlite.readAllStandardError());
        return QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed();
    }
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
    bool start(const QString &preparation = QString())
    {
        tmp.reset(new QTemporaryDir);
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
        app.setProcessEnvironment(env);
        app.start(qEnvironmentVariable("KV_SANDBOX"),
            { "--display", "--unshare-net", "--unshare-pid", "--appdata", appdata, "--log", tmp->filePath("syslog"), "--usb",
                "0=" + tmp->filePath("usb0"), "--calibrator-record", tmp->filePath("calibrator.log"), "--", "/bin/sh", "-c", command });
        return app.waitForStarted() && QTest::qWaitFor([&] { return log().contains(mainScreen); }, 20000);
    }

    QScopedPointer<QTemporaryDir> tmp;
    QProcess app;
};

QTEST_GUILESS_MAIN(TestSystemSelection)
#include "tst_system_selection.moc"
