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
    void routedMessages_data();
    void routedMessages();
    void faultSignals_data();
    void faultSignals();
    void stopSignals_data();
    void stopSignals();

private:
    struct Run
    {
        int exitCode = -1;
        QStringList lines; // log text after "gui: ", each with its <PRI> kept in front
    };
    Run runChild(const QString &mode, int signalToSend = 0);
    QTemporaryDir tmp;
};

TestFaultHandling::Run TestFaultHandling::runChild(const QString &mode, int signalToSend)
{
    const QString logFile = tmp.filePath(mode + QString::number(signalToSend) + ".log");
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(qEnvironmentVariable("KV_SANDBOX"),
        { "--headless", "--log", logFile, "--", QCoreApplication::applicationDirPath() + "/shell_child", mode });
    Run run;
    if (!child.waitForStarted(10000))
        return run;
    if (signalToSend) {
        if (!child.waitForReadyRead(20000))
            return run;
        const QByteArray line = child.readLine().trimmed();
        const int pid = line.mid(4).toInt();
        if (!line.startsWith("pid ") || pid <= 0)
            return run;
        ::kill(pid, signalToSend);
    }
    if (!child.waitForFinished(30000)) {
        child.kill();
        return run;
    }
    run.exitCode = child.exitCode();

    QFile file(logFile);
    if (file.open(QIODevice::ReadOnly)) {
        // "<PRI>Mmm dd hh:mm:ss gui: text": keep the priority, check the identity, drop the time.
        static const QRegularExpression entry("^(<\\d+>)\\w{3} [ \\d]\\d \\d\\d:\\d\\d:\\d\\d gui: (.*)$");
        for (const QByteArray &raw : file.readAll().split('\n')) {
            if (raw.isEmpty())
                continue;
            const auto match = entry.match(QString::fromLocal8Bit(raw));
            run.lines << (match.hasMatch() ? match.captured(1) + match.captured(2) : QStringLiteral("UNEXPECTED ") + raw);
        }
    }
    return run;
}

void TestFaultHandling::routedMessages_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("line");

    QTest::newRow("debug at LOG_DEBUG of LOG_LOCAL1") << "debug"
                                                      << "<143>routed debug line";
    QTest::newRow("warning keeps its percent signs") << "warning"
                                                     << "<140>width %d of %s stays as it is";
    QTest::newRow("critical at LOG_CRIT") << "critical"
                                          << "<138>routed critical line";
}

void TestFaultHandling::routedMessages()
{
    QFETCH(QString, mode);
    QFETCH(QString, line);
    const Run run = runChild(mode);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.lines == QStringList { line }, qPrintable(run.lines.join('\n')));
}

void TestFaultHandling::faultSignals_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("before"); // lines ahead of the EXCEPTION line
    QTest::addColumn<int>("signal");

    QTest::newRow("segmentation fault") << "segv" << QStringList() << 11;
    QTest::newRow("arithmetic fault") << "fpe" << QStringList() << 8;
    QTest::newRow("fatal message ends in the abort chain") << "fatal" << QStringList { "<136>routed fatal line" } << 6;
}

void TestFaultHandling::faultSignals()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, before);
    QFETCH(int, signal);
    const Run run = runChild(mode);
    QCOMPARE(run.exitCode, 1);

    QStringList lines = run.lines;
    QVERIFY2(lines.size() >= before.size() + 4, qPrintable(lines.join('\n')));
    QCOMPARE(lines.mid(0, before.size()), before);
    lines = lines.mid(before.size());
    QCOMPARE(lines.takeFirst(), QString("<138>*** signal_handler: EXCEPTION signal=%1").arg(signal));
    QCOMPARE(lines.takeFirst(), QString("<138>Backtrace:"));
    QCOMPARE(lines.takeLast(), QString("<143>*** signal_handler: exit"));
    // One line per frame, innermost first: the handler itself is named in the first frames.
    QVERIFY(!lines.isEmpty() && lines.size() <= 30);
    for (const QString &frame : lines)
        QVERIFY2(frame.startsWith("<138>") && frame.contains("[0x"), qPrintable(frame));
    QVERIFY2(lines.join('\n').contains("shell_child"), qPrintable(lines.join('\n')));
}

void TestFaultHandling::stopSignals_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("SIGINT is a request to stop") << int(SIGINT) << 1 << QStringList { "<143>*** signal_handler: exit" };
    // Not caught: the default action kills the process; the sandbox reports it as 128 + signal.
    QTest::newRow("SIGTERM keeps its default action") << int(SIGTERM) << 128 + SIGTERM << QStringList();
    QTest::newRow("SIGHUP keeps its default action") << int(SIGHUP) << 128 + SIGHUP << QStringList();
}

void TestFaultHandling::stopSignals()
{
    QFETCH(int, signal);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);
    const Run run = runChild("wait", signal);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.lines == lines, qPrintable(run.lines.join('\n')));
}

QTEST_GUILESS_MAIN(TestFaultHandling)
#include "tst_fault_handling.moc"
