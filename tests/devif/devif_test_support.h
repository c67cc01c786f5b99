// devif_test_support.h: a catcher of the process's log, settings files, and the stand-in daemon as a child process.
#pragma once

#include <QtTest>

#include <cstdio>
#include <cstdlib>

// Collects every Qt message of the process, from any thread.
class LogCatcher
{
public:
    static void install() { qInstallMessageHandler(&LogCatcher::handler); }
    static bool contains(const QString &text) { return !matching(text).isEmpty(); }
    // The lines that contain a text or match a regular expression, in order.
    template<typename Filter> static QStringList matching(const Filter &filter)
    {
        QMutexLocker locker(&mutex);
        return lines.filter(filter);
    }
    static void clear()
    {
        QMutexLocker locker(&mutex);
        lines.clear();
    }

private:
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        // A fatal database error ends the process with status 0, which would pass as success.
        if (message.contains(QLatin1String("Fatal Database Error"))) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            std::abort();
        }
        QMutexLocker locker(&mutex);
        lines.append(message);
    }
    static inline QMutex mutex;
    static inline QStringList lines;
};

// Settings files made with the provisioning command, as on a unit.
inline bool provision(const QString &dir, const QStringList &options = QStringList())
{
    const QString tool = qEnvironmentVariable("KV_BUILD_DIR") + "/tools/settings/provision-settings";
    return QProcess::execute(tool, QStringList { "--appdata", dir, "--force" } + options) == 0;
}

// Byte strings written in groups for the reader; the blanks are dropped.
inline QString hex(const char *grouped)
{
    return QString::fromLatin1(grouped).remove(QLatin1Char(' '));
}

// The stand-in interface-unit daemon on a free loopback port (or the given one).
class StandInDaemon
{
public:
    bool start(const QStringList &arguments = QStringList(), quint16 listenPort = 0)
    {
        process.start(qEnvironmentVariable("KV_BUILD_DIR") + "/tools/iu-daemon/iu-daemon",
            QStringList { "--port", QString::number(listenPort) } + arguments);
        port = waitForLine("listening ") ? quint16(lines("listening ").first().mid(10).toUInt()) : 0;
        return port != 0;
    }

    void command(const QString &text)
    {
        process.write(text.toLatin1() + '\n');
        process.waitForBytesWritten(5000);
    }

    // Waits for an output line starting with prefix (earlier lines count); the test's event
    // loop runs meanwhile, so clients receive.
    bool waitForLine(const QString &prefix)
    {
        return QTest::qWaitFor([&] { return !lines(prefix).isEmpty(); }, 10000);
    }

    // Returns once the daemon has done every earlier command and flushed its sockets.
    bool sync()
    {
        command(QStringLiteral("echo %1").arg(++syncCount));
        return waitForLine(QStringLiteral("ok %1").arg(syncCount));
    }

    QStringList lines(const QString &prefix)
    {
        while (process.canReadLine())
            output.append(QString::fromLatin1(process.readLine()).trimmed());
        return output.filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(prefix)));
    }

    // Hex of the packets received, in order.
    QStringList packets() { return lines("packet ").replaceInStrings(QRegularExpression("^packet \\d+ "), QString()); }

    QProcess process; // killed with the object
    quint16 port = 0;

private:
    QStringList output;
    int syncCount = 0;
};
