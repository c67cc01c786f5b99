// screenshot_test_support.h: runs screenshot_child in the unit sandbox under strace and collects
// what it printed, what it logged and which paths it forced onto a medium.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

struct ChildRun
{
    int exitCode = -1;
    QStringList output; // standard output, one entry per line
    QString log; // standard error: every Qt message of the child
    QStringList synced; // paths given to fsync or fdatasync, in call order

    QStringList files() const { return output.filter(QRegularExpression("^file ")); }
};

inline ChildRun runChild(const QTemporaryDir &tmp, const QStringList &sandboxArgs, const QStringList &steps)
{
    static int runs = 0;
    const QString trace = tmp.filePath(QString("strace%1.txt").arg(++runs));
    QProcess child;
    // LeakSanitizer cannot run under ptrace; the sanitizer build still checks everything else.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    child.setProcessEnvironment(env);
    QStringList args = sandboxArgs;
    args << "--headless"
         << "--"
         << "strace"
         << "-f"
         << "-y"
         << "-qq"
         << "-e"
         << "trace=fsync,fdatasync"
         << "-o" << trace << QCoreApplication::applicationDirPath() + "/screenshot_child";
    child.start(qEnvironmentVariable("KV_SANDBOX"), args + steps);
    ChildRun run;
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        return run;
    }
    run.exitCode = child.exitCode();
    run.output = QString::fromLocal8Bit(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    run.log = QString::fromLocal8Bit(child.readAllStandardError());
    QFile file(trace);
    if (file.open(QIODevice::ReadOnly)) {
        // "1234  fsync(7</media/usbstick2/screenshots/x.png.part>) = 0"
        static const QRegularExpression call("f(?:data)?sync\\(\\d+<([^>]*)>\\)");
        for (const QString &line : QString::fromLocal8Bit(file.readAll()).split('\n')) {
            const auto match = call.match(line);
            if (match.hasMatch())
                run.synced << match.captured(1);
        }
    }
    return run;
}
