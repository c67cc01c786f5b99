// sandboxed_app.h: ending and reporting on the application when a test runs it in the unit sandbox.
#pragma once

#include <QProcess>
#include <QStringList>

// Ends the sandbox's own child, so the sandbox cleans up after itself: a killed sandbox would leave
// its log collector holding the test's output open until the test's time-out.
inline void stopSandboxed(QProcess &sandbox)
{
    if (sandbox.state() == QProcess::NotRunning)
        return;
    QProcess::execute("pkill", { "-TERM", "-P", QString::number(sandbox.processId()), "-x", "bwrap" });
    if (!sandbox.waitForFinished(10000)) {
        sandbox.kill();
        sandbox.waitForFinished();
    }
}

// The application's own account of a failed run: the end of its system log.
inline void printLogTail(const QString &log, int count)
{
    const QStringList lines = log.split('\n');
    for (const QString &line : lines.mid(qMax(0, lines.size() - count)))
        qWarning("%s", qPrintable(line.left(220)));
}
