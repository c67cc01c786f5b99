// devif_test_support.h: the stand-in daemon as a child process, and a log catcher.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QMutex>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTest>

// Collects every Qt message of the process, from any thread.
class LogCatcher
{
public:
    static void install() { qInstallMessageHandler(&LogCatcher::handler); }
    static QStringList lines()
    {
        QMutexLocker locker(&mutex());
        return store();
    }
    static bool contains(const QString &text)
    {
        QMutexLocker locker(&mutex());
        for (const QString &line : store()) {
            if (line.contains(text))
                return true;
        }
        return false;
    }
    static int count(const QString &text)
    {
        QMutexLocker locker(&mutex());
        int n = 0;
        for (const QString &line : store())
            n += line.contains(text) ? 1 : 0;
        return n;
    }
    static void clear()
    {
        QMutexLocker locker(&mutex());
        store().clear();
    }

private:
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        QMutexLocker locker(&mutex());
        store().append(message);
    }
    static QMutex &mutex()
    {
        static QMutex m;
        return m;
    }
    static QStringList &store()
    {
        static QStringList s;
        return s;
    }
};

// The stand-in interface-unit daemon on a free loopback port.
class StandInDaemon
{
public:
    ~StandInDaemon()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    static QString program()
    {
        return QProcessEnvironment::systemEnvironment().value(QStringLiteral("KV_BUILD_DIR"))
            + QStringLiteral("/tools/iu-daemon/iu-daemon");
    }

    // Starts the daemon and waits for its port (0: any free one); false if it did not come up.
    bool start(const QStringList &arguments = QStringList(), quint16 listenPort = 0)
    {
        process.setProgram(program());
        process.setArguments(QStringList { QStringLiteral("--port"), QString::number(listenPort) } + arguments);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        if (!process.waitForStarted(10000))
            return false;
        QString line;
        if (!waitForLine(QStringLiteral("listening "), &line))
            return false;
        port = quint16(line.mid(10).toUInt());
        return port != 0;
    }

    void command(const QString &text)
    {
        process.write(text.toLatin1() + '\n');
        process.waitForBytesWritten(5000);
    }

    // Returns once the daemon has done every earlier command and flushed its sockets.
    bool sync()
    {
        const QString token = QString::number(++syncCount);
        command(QStringLiteral("echo ") + token);
        return waitForLine(QStringLiteral("ok ") + token);
    }

    // Waits for an output line starting with prefix; already seen lines count.
    bool waitForLine(const QString &prefix, QString *found = nullptr, int timeoutMs = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        forever
        {
            readLines();
            for (const QString &line : qAsConst(output)) {
                if (line.startsWith(prefix)) {
                    if (found)
                        *found = line;
                    return true;
                }
            }
            if (timer.elapsed() > timeoutMs)
                return false;
            // The test's own event loop keeps running: clients receive while we wait.
            QTest::qWait(5);
        }
    }

    QStringList lines(const QString &prefix)
    {
        readLines();
        QStringList result;
        for (const QString &line : qAsConst(output)) {
            if (line.startsWith(prefix))
                result.append(line);
        }
        return result;
    }

    // Hex of the packets received, in order.
    QStringList packets()
    {
        QStringList result;
        for (const QString &line : lines(QStringLiteral("packet ")))
            result.append(line.section(QLatin1Char(' '), 2));
        return result;
    }

    QProcess process;
    quint16 port = 0;

private:
    void readLines()
    {
        pending.append(process.readAllStandardOutput());
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            output.append(QString::fromLatin1(pending.left(end)));
            pending.remove(0, end + 1);
        }
    }

    QByteArray pending;
    QStringList output;
    int syncCount = 0;
};

// A packet as the daemon sends it, built independently of the library.
inline QByteArray daemonPacket(quint16 port, quint16 event, quint16 returnCode, const QByteArray &payload)
{
    QByteArray out;
    auto u16 = [&out](quint16 v) {
        out.append(char(v & 0xff));
        out.append(char(v >> 8));
    };
    u16(quint16(payload.size()));
    u16(0);
    out.append('\x07');
    out.append('\x05');
    u16(1);
    u16(port);
    u16(event);
    u16(returnCode);
    u16(0);
    return out + payload;
}
