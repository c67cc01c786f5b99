// tst_kestra_config.cpp: the real application, end to end: started in the unit sandbox on a
// private X server, touched and keyed through X (xdotool), observed through its system log, the
// pictures on its USB stick, the calibrator record and its exit status.
#include "sandboxed_app.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestKestraConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is needed (scripts/setup installs it)");
        QVERIFY(QDir(tmp.path()).mkdir("usb0"));
        // Keyed as on a unit whose X server passes Ctrl+Alt+F12 on as the console-switch key.
        QCOMPARE(QProcess::execute("setxkbmap", { "-compat", "basic+iso9995+mousekeys+accessx(full)+misc+level5+caps(caps_lock)" }), 0);
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        // The suite keeps the GL driver out of every process; here the application must do it itself.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_XCB_GL_INTEGRATION");
        app.setProcessEnvironment(env);
        app.start(qEnvironmentVariable("KV_SANDBOX"),
            { "--display", "--usb", "0=" + tmp.filePath("usb0"), "--log", tmp.filePath("syslog"), "--calibrator-record",
                tmp.filePath("calibrator.log"), "--", qEnvironmentVariable("KV_BUILD_DIR") + "/app/kestra_config" });
        QVERIFY(app.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(log().contains("Screen:  \"KESTRA 4417 MESSAGE TERMINAL\" , page:  \"CONFIGURATION\""), 20000);
        // The sandbox only has stand-ins for the Droid fonts; the check comes after the first frame.
        QTRY_VERIFY(log().contains("Warning: The system does not contain all the specified fonts!"));
        // Nothing draws with OpenGL, so the X server's GL driver is never loaded.
        const QString maps = appMaps();
        QVERIFY(maps.contains(QStringLiteral("libQt%1Widgets").arg(QT_VERSION_MAJOR)));
        QVERIFY2(!maps.contains("libGLX_mesa") && !maps.contains("_dri.so"), "the GL driver was loaded");
    }
    void hotKeys()
    {
        // F12 without Alt saves nothing: only the Alt+F12 after it does.
        const int savesBefore = saves();
        const QImage colour = shoot("F12 ctrl+F12 alt+F12");
        QCOMPARE(colour.size(), QSize(800, 600));
        QVERIFY(!colour.allGray());
        QCOMPARE(saves(), savesBefore + 1);

        const QImage grey = shoot("ctrl+alt+F12");
        QCOMPARE(grey.size(), QSize(400, 300));
        QVERIFY(grey.allGray());
        // With the X server's own Ctrl+Alt keys switched off, the chord arrives as F12 with its modifiers.
        QCOMPARE(QProcess::execute("setxkbmap", { "-option", "srvrkeys:none" }), 0);
        QVERIFY(shoot("ctrl+alt+F12").allGray());
        QCOMPARE(QDir(tmp.filePath("usb0/screenshots")).entryList({ "*.png" }).size(), 3);

        QProcess::execute("xdotool", { "key", "alt+F11", "F1" });
        QTRY_VERIFY(log().contains("KeyPress: F1 pressed"));
        QVERIFY(log().contains("+++++ Total widgets count"));
        QVERIFY(log().contains("+++++ \"MainScreen\" count 1"));
        QCOMPARE(app.state(), QProcess::Running);
    }
    void menuCalibratesTwiceThenExits()
    {
        // The three buttons, 400 x 58 each, centred between the title area and the bottom margin.
        const QPoint calibrate(400, 310);
        const QPoint exitButton(400, 368);

        QVERIFY(touch(calibrate, "&Calibrate touch screen"));
        QTRY_COMPARE_WITH_TIMEOUT(calibratorStarts().size(), 1, 20000);
        // A second tap on the same spot would make a double click, which the terminal discards.
        QVERIFY(touch(calibrate + QPoint(60, 0), "&Calibrate touch screen"));
        QTRY_COMPARE_WITH_TIMEOUT(calibratorStarts().size(), 2, 20000);
        for (const QString &start : calibratorStarts())
            QVERIFY2(start.endsWith(" calibrator -r"), qPrintable(start));
        QVERIFY(log().contains("void MainScreen::handleTouchCalibration()"));

        // Escape has nowhere to go from the only screen.
        QProcess::execute("xdotool", { "key", "Escape" });
        QTRY_VERIFY(log().contains("KeyPress: Escape pressed"));
        QCOMPARE(app.state(), QProcess::Running);

        QVERIFY(touch(exitButton, "&Exit configuration"));
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        QVERIFY(log().contains("void MainScreen::handleNormalOperation()"));
    }
    void cleanup()
    {
        if (QTest::currentTestFailed())
            printLogTail(log(), 30);
    }
    void cleanupTestCase() { stopSandboxed(app); }

private:
    QString log() const;
    // The memory map of the application process under the sandbox, found among its descendants.
    QString appMaps() const;
    QStringList calibratorStarts() const;
    // Touches a point until the option button with this text is clicked (the live menu replaces
    // the zoom picture only when the zoom has ended).
    bool touch(const QPoint &at, const QString &buttonText);
    // Presses keys through X and returns the picture that the last of them leaves on the stick.
    QImage shoot(const QString &keys);
    int saves() const { return log().count("/screenshots/screenshot_"); }

    QTemporaryDir tmp;
    QProcess app;
};

QString TestKestraConfig::log() const
{
    QFile file(tmp.filePath("syslog"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

QString TestKestraConfig::appMaps() const
{
    QStringList pids { QString::number(app.processId()) };
    while (!pids.isEmpty()) {
        const QString pid = pids.takeFirst();
        QFile comm("/proc/" + pid + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "kestra_config") {
            QFile maps("/proc/" + pid + "/maps");
            return maps.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(maps.readAll()) : QString();
        }
        QFile children("/proc/" + pid + "/task/" + pid + "/children");
        if (children.open(QIODevice::ReadOnly))
            pids += QString::fromLatin1(children.readAll()).split(' ', Qt::SkipEmptyParts);
    }
    return QString();
}

QStringList TestKestraConfig::calibratorStarts() const
{
    QFile file(tmp.filePath("calibrator.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts) : QStringList();
}

bool TestKestraConfig::touch(const QPoint &at, const QString &buttonText)
{
    // The button reports the click itself; a release that reached it without a click (pressed while
    // the screen was still changing) is touched again.
    const QString clicked = "Button with buttonText= \"" + buttonText + "\"  was clicked!";
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int releasesBefore = log().count("LeftMouseButtonRelease");
        const int clicksBefore = log().count(clicked);
        QProcess::execute("xdotool", { "mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1" });
        if (!QTest::qWaitFor([&] { return log().count("LeftMouseButtonRelease") > releasesBefore; }, 5000))
            continue;
        if (QTest::qWaitFor([&] { return log().count(clicked) > clicksBefore; }, 3000))
            return true;
        QTest::qWait(100);
    }
    return false;
}

QImage TestKestraConfig::shoot(const QString &keys)
{
    // Pictures are named by the second: the next one must not replace the last.
    const QString second = QTime::currentTime().toString("hhmmss");
    (void)QTest::qWaitFor([&] { return QTime::currentTime().toString("hhmmss") != second; }, 1100);
    const QDir stick(tmp.filePath("usb0/screenshots"));
    const int before = stick.entryList({ "*.png" }).size();
    QProcess::execute("xdotool", QStringList { "key" } + keys.split(' '));
    if (!QTest::qWaitFor([&] { return stick.entryList({ "*.png" }).size() > before; }, 10000))
        return QImage();
    const QFileInfo newest = stick.entryInfoList({ "*.png" }, QDir::Files, QDir::Time).first();
    return newest.size() > 0 ? QImage(newest.filePath()) : QImage();
}

QTEST_GUILESS_MAIN(TestKestraConfig)
#include "tst_kestra_config.moc"
