// tst_fault_handling.cpp: the fault handler and the routing of Qt messages to the system log,
// checked end to end: a child process in the unit sandbox, the log as the collector received it.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestFaultHandling : public QObject
{
    Q_OBJECT

private slots:
    void run_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signal"); // sent once the child waits, or none
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines"); // the log text after "gui: ", its <PRI> kept; "FRAMES": the backtrace
        const QString exit = "<143>*** signal_handler: exit";
        // Debug (the exit line) and critical messages (the fault's lines) at LOG_DEBUG and LOG_CRIT of LOG_LOCAL1.
        const auto fault = [&](int signal, QStringList before) {
            return before << QString("<138>*** signal_handler: EXCEPTION signal=%1").arg(signal) << "<138>Backtrace:"
                          << "FRAMES" << exit;
        };

        QTest::newRow("warning keeps its percent signs") << "warning" << 0 << 0 << QStringList { "<140>width %d of %s stays as it is" };
        QTest::newRow("segmentation fault") << "segv" << 0 << 1 << fault(11, {});
        QTest::newRow("arithmetic fault") << "fpe" << 0 << 1 << fault(8, {});
        QTest::newRow("fatal message ends in the abort chain") << "fatal" << 0 << 1 << fault(6, { "<136>routed fatal line" });
        QTest::newRow("SIGINT is a request to stop") << "wait" << int(SIGINT) << 1 << QStringList { exit };
        // Not caught: the default action kills the process; the sandbox reports it as 128 + signal.
        QTest::newRow("SIGTERM keeps its default action") << "wait" << int(SIGTERM) << 128 + SIGTERM << QStringList();
        QTest::newRow("SIGHUP keeps its default action") << "wait" << int(SIGHUP) << 128 + SIGHUP << QStringList();
    }

    void run()
    {
        QFETCH(QString, mode);
        QFETCH(int, signal);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);

        const QString logFile = tmp.filePath(QTest::currentDataTag() + QString(".log"));
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(qEnvironmentVariable("KV_SANDBOX"),
            { "--headless", "--log", logFile, "--", QCoreApplication::applicationDirPath() + "/shell_child", mode });
        QVERIFY(child.waitForStarted(10000));
        if (signal) {
            QVERIFY(child.waitForReadyRead(20000));
            const QByteArray line = child.readLine().trimmed();
            QVERIFY2(line.startsWith("pid ") && line.mid(4).toInt() > 0, line.constData());
            ::kill(line.mid(4).toInt(), signal);
        }
        QVERIFY2(child.waitForFinished(30000) && child.exitCode() == exitCode, qPrintable(QString::number(child.exitCode())));

        QFile file(logFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList logged;
        // "<PRI>Mmm dd hh:mm:ss gui: text": keep the priority, check the identity, drop the time.
        static const QRegularExpression entry("^(<\\d+>)\\w{3} [ \\d]\\d \\d\\d:\\d\\d:\\d\\d gui: (.*)$");
        for (const QByteArray &raw : file.readAll().split('\n')) {
            const auto match = entry.match(QString::fromLocal8Bit(raw));
            if (!raw.isEmpty())
                logged << (match.hasMatch() ? match.captured(1) + match.captured(2) : QStringLiteral("UNEXPECTED ") + raw);
        }
        const int at = lines.indexOf("FRAMES"), frames = logged.size() - lines.size() + 1;
        if (at < 0) {
            QVERIFY2(logged == lines, qPrintable(logged.join('\n')));
            return;
        }
        // One line per frame, innermost first: the handler itself is named in the first frames.
        QVERIFY2(frames >= 1 && frames <= 30, qPrintable(logged.join('\n')));
        QCOMPARE(logged.mid(0, at) + logged.mid(at + frames), lines.mid(0, at) + lines.mid(at + 1));
        for (const QString &frame : logged.mid(at, frames))
            QVERIFY2(frame.startsWith("<138>") && frame.contains("[0x"), qPrintable(frame));
        QVERIFY2(logged.mid(at, frames).join('\n').contains("shell_child"), qPrintable(logged.join('\n')));
    }

private:
    QTemporaryDir tmp;
};

QTEST_GUILESS_MAIN(TestFaultHandling)
#include "tst_fault_handling.moc"