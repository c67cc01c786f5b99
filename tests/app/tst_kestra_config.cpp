// tst_kestra_config.cpp: the real application, end to end: started in the unit sandbox on a
// private X server, touched through X (xdotool), observed through its system log, the
// calibrator record and its exit status.
#include "sandboxed_app.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestKestraConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuCalibratesTwiceThenExits();
    void cleanup();
    void cleanupTestCase();

private:
    QString log() const;
    // The memory map of the application process under the sandbox, found among its descendants.
    QString appMaps() const;
    QStringList calibratorStarts() const;
    // Touches a point until the option button with this text is clicked (the live menu replaces
    // the zoom picture only when the zoom has ended).
    bool touch(const QPoint &at, const QString &buttonText);

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

void TestKestraConfig::initTestCase()
{
    QVERIFY(tmp.isValid());
    QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is needed (scripts/setup installs it)");
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    // The suite keeps the GL driver out of every process; here the application must do it itself.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_XCB_GL_INTEGRATION");
    app.setProcessEnvironment(env);
    app.start(qEnvironmentVariable("KV_SANDBOX"),
        { "--display", "--log", tmp.filePath("syslog"), "--calibrator-record", tmp.filePath("calibrator.log"), "--",
            qEnvironmentVariable("KV_BUILD_DIR") + "/app/kestra_config" });
    QVERIFY(app.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(log().contains("Screen:  \"KESTRA 4417 MESSAGE TERMINAL\" , page:  \"CONFIGURATION\""), 20000);
    // The sandbox only has stand-ins for the Droid fonts; the check comes after the first frame.
    QTRY_VERIFY(log().contains("Warning: The system does not contain all the specified fonts!"));
    // Nothing draws with OpenGL, so the X server's GL driver is never loaded.
    const QString maps = appMaps();
    QVERIFY(maps.contains("libQt5Widgets"));
    QVERIFY2(!maps.contains("libGLX_mesa") && !maps.contains("_dri.so"), "the GL driver was loaded");
}

void TestKestraConfig::menuCalibratesTwiceThenExits()
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

void TestKestraConfig::cleanup()
{
    if (QTest::currentTestFailed())
        printLogTail(log(), 30);
}

void TestKestraConfig::cleanupTestCase()
{
    stopSandboxed(app);
}

QTEST_GUILESS_MAIN(TestKestraConfig)
#include "tst_kestra_config.moc"
