// tst_package.cpp: the Debian package as the unit's image installs it: built by cpack from this
// tree, checked by lintian, unpacked into a throw-away root (dpkg -x) and started from there in
// the unit sandbox on the test's own X server, with and without the unit's data area and
// display.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        const QString build = qEnvironmentVariable("KV_BUILD_DIR");
        int status = 0;
        const QString output = run("cpack", { "--config", build + "/CPackConfig.cmake", "-B", tmp.filePath("out") }, &status);
        QVERIFY2(status == 0, qPrintable(output));
        const QStringList debs = QDir(tmp.filePath("out")).entryList({ "*.deb" });
        QCOMPARE(debs.size(), 1);
        deb = tmp.filePath("out/" + debs.first());
        root = tmp.filePath("root");
        const QString unpacked = run("dpkg", { "-x", deb, root }, &status);
        QVERIFY2(status == 0, qPrintable(unpacked));
    }

    void control_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");

        QTest::newRow("widgets library found by dpkg-shlibdeps") << "Depends" << QString("libqt%1widgets%1 (>=").arg(QT_VERSION_MAJOR);
        QTest::newRow("network library of the device interface") << "Depends" << QString("libqt%1network%1 (>=").arg(QT_VERSION_MAJOR);
        QTest::newRow("settings driver loaded at run time") << "Depends" << QString("libqt%1sql%1-sqlite").arg(QT_VERSION_MAJOR);
    }

    void control()
    {
        QFETCH(QString, field);
        QFETCH(QString, expected);
        const QString value = run("dpkg-deb", { "--field", deb, field }).trimmed();
        QVERIFY2(value.contains(expected), qPrintable(field + ": " + value));
    }

    void lintianClean()
    {
        if (QStandardPaths::findExecutable("lintian").isEmpty())
            QFAIL("lintian is needed (scripts/setup installs it)");
        int status = 0;
        const QString output = run("lintian", { "--fail-on", "error,warning", deb }, &status);
        const QStringList tags = output.split('\n').filter(QRegularExpression("^[EW]: "));
        QVERIFY2(status == 0 && tags.isEmpty(), qPrintable(output));
    }

    // The operator's languages; the pseudo locale is a developer's aid.
    void translations()
    {
        const QDir dir(root + "/usr/share/kestra4417-config/res/translations");
        QCOMPARE(dir.entryList({ "*.qm" }), QStringList { "kestra_ru.qm" });
    }

    // Loaded by the executable when the role is first needed: beside it, finding its libraries there.
    void roleModule()
    {
        const QStringList dirs = QDir(root + "/usr/lib").entryList({ "*-linux-gnu*" }, QDir::Dirs);
        QCOMPARE(dirs.size(), 1);
        const QString dir = root + "/usr/lib/" + dirs.first() + "/kestra4417-config";
        QVERIFY(QFile::exists(dir + "/kestra_config"));
        const QString linked = run("ldd", { dir + "/libkestra_config_role.so" });
        QVERIFY2(linked.contains(dir + "/libkvif.so.1 ") && !linked.contains("not found"), qPrintable(linked));
    }

    void startsToFirstFrame_data()
    {
        QTest::addColumn<QStringList>("sandboxArgs");
        QTest::addColumn<QString>("bus");

        // No session bus configured: none may be started through the display (dbus-x11 would).
        QTest::newRow("on a provisioned unit") << QStringList() << QString();
        // Nothing reads the settings before the operator asks for the stored role.
        QTest::newRow("on a unit without /appdata") << QStringList { "--no-appdata" } << QString();
        QTest::newRow("with a session bus configured") << QStringList() << "unix:path=" + tmp.filePath("bus");
    }

    void startsToFirstFrame()
    {
        QFETCH(QStringList, sandboxArgs);
        QFETCH(QString, bus);
        const QString state = tmp.filePath(QString("state-%1").arg(QTest::currentDataTag()).replace(' ', '-'));
        const QImage before = screen();
        QProcess app;
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        if (!bus.isEmpty())
            env.insert("DBUS_SESSION_BUS_ADDRESS", bus);
        app.setProcessEnvironment(env);
        app.start(qEnvironmentVariable("KV_SANDBOX"),
            QStringList { "--state", state, "--display" } + sandboxArgs + QStringList { "--", root + "/usr/bin/kestra-config" });
        QVERIFY(app.waitForStarted());
        // The first frame: the full-screen window has replaced the bare root window.
        const bool painted = QTest::qWaitFor(
            [&] {
                return app.state() != QProcess::Running
                    || (screen() != before && readFile(state + "/syslog").contains("KESTRA 4417 MESSAGE TERMINAL"));
            },
            30000);
        const QString log = readFile(state + "/syslog");
        const bool running = app.state() == QProcess::Running;
        const qint64 pid = applicationPid(app);
        const QList<QByteArray> appEnvironment = environment(pid);
        const int launchedBuses = busesLaunchedFor(qgetenv("DISPLAY"));
        // SIGTERM to the application, so the sandbox closes down after it; the sandbox's shell would
        // hold a signal of its own until its command ends.
        if (pid)
            ::kill(pid_t(pid), SIGTERM);
        QVERIFY(app.waitForFinished(10000));
        QVERIFY2(painted && running, qPrintable(log));
        // The resources came from the installed folder: no style sheet or image is missing; no crash was logged.
        QVERIFY2(!log.contains("Missing ") && !log.contains("<138>") && !log.contains("<136>"), qPrintable(log));
        QVERIFY(launchedBuses == 0 && (bus.isEmpty() || appEnvironment.contains("DBUS_SESSION_BUS_ADDRESS=" + bus.toLocal8Bit())));
    }

private:
    QString run(const QString &program, const QStringList &args, int *exitCode = nullptr) const
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        process.waitForFinished(240000);
        if (exitCode)
            *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return QString::fromLocal8Bit(process.readAll());
    }

    QString readFile(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

    QImage screen() const { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

    // The application among the sandbox's descendants, or 0.
    static qint64 applicationPid(const QProcess &sandbox)
    {
        QList<qint64> family { sandbox.processId() };
        const QStringList pids = QDir("/proc").entryList({ "[0-9]*" }, QDir::Dirs);
        for (int i = 0; i < family.size(); ++i) {
            for (const QString &pid : pids) {
                QFile stat("/proc/" + pid + "/stat");
                if (!stat.open(QIODevice::ReadOnly))
                    continue;
                const QByteArray text = stat.readAll();
                // "pid (comm) state ppid ...": the name may hold blanks, the last ')' ends it.
                const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
                if (fields.size() > 1 && fields.at(1).toLongLong() == family.at(i) && !family.contains(pid.toLongLong()))
                    family << pid.toLongLong();
            }
        }
        for (qint64 pid : family) {
            QFile comm("/proc/" + QString::number(pid) + "/comm");
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "kestra_config")
                return pid;
        }
        return 0;
    }

    static QList<QByteArray> environment(qint64 pid)
    {
        QFile file("/proc/" + QString::number(pid) + "/environ");
        return file.open(QIODevice::ReadOnly) ? file.readAll().split('\0') : QList<QByteArray>();
    }

    // Session buses that libdbus started through this X display (dbus-launch --autolaunch); they
    // detach, so they are found by their environment, not among the sandbox's descendants.
    static int busesLaunchedFor(const QByteArray &display)
    {
        int count = 0;
        for (const QString &pid : QDir("/proc").entryList({ "[0-9]*" }, QDir::Dirs)) {
            QFile comm("/proc/" + pid + "/comm");
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "dbus-launch"
                && environment(pid.toLongLong()).contains("DISPLAY=" + display))
                ++count;
        }
        return count;
    }

    QTemporaryDir tmp;
    QString deb;
    QString root;
};

QTEST_MAIN(TestPackage)
#include "tst_package.moc"
