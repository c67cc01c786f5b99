// bench_io_events.cpp: IO events from the stand-in daemon over loopback to handleEvent in the GUI
// thread, beside a plain socket reader in the GUI thread fed the same way in the same run.
// Targets: at least 50 000 packets per second, median latency under 1 ms.
//
//   bench_io_events [COUNT]   (default 200000 packets per reader)

#include "kvif_abstract_iu_if.h"
#include "kvif_iu_io_if.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

qint64 monotonicNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

struct Figures
{
    std::vector<qint64> latencies;
    qint64 firstStamp = 0;
    qint64 lastArrival = 0;

    void add(const QByteArray &payload)
    {
        if (payload.size() < 8)
            return;
        qint64 stamp;
        std::memcpy(&stamp, payload.constData(), sizeof(stamp));
        const qint64 now = monotonicNs();
        if (latencies.empty())
            firstStamp = stamp;
        lastArrival = now;
        latencies.push_back(now - stamp);
    }
    void report(const char *name)
    {
        if (latencies.empty()) {
            std::printf("%-24s no packets\n", name);
            return;
        }
        std::vector<qint64> sorted = latencies;
        std::sort(sorted.begin(), sorted.end());
        const double seconds = double(lastArrival - firstStamp) / 1e9;
        std::printf("%-24s %8zu packets  %10.0f packets/s  median latency %8.3f ms  p99 %8.3f ms\n", name, sorted.size(),
            double(sorted.size()) / seconds, double(sorted[sorted.size() / 2]) / 1e6, double(sorted[sorted.size() * 99 / 100]) / 1e6);
    }
};

class Daemon
{
public:
    bool start()
    {
        process.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/../../tools/iu-daemon/iu-daemon"));
        process.setArguments({ QStringLiteral("--port"), QStringLiteral("0") });
        process.start();
        if (!process.waitForStarted(10000) || !process.waitForReadyRead(10000))
            return false;
        const QByteArray line = process.readLine().trimmed();
        port = quint16(line.mid(10).toUInt());
        return line.startsWith("listening ") && port;
    }
    bool waitFor(const QByteArray &prefix)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            while (process.canReadLine()) {
                if (process.readLine().startsWith(prefix))
                    return true;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            process.waitForReadyRead(10);
        }
        return false;
    }
    void command(const QByteArray &text)
    {
        process.write(text + '\n');
        process.waitForBytesWritten();
    }
    ~Daemon()
    {
        command("quit");
        if (!process.waitForFinished(3000))
            process.kill();
    }
    QProcess process;
    quint16 port = 0;
};

class LibraryReader : public QObject
{
    Q_OBJECT
public:
    Figures figures;
public slots:
    void batteryEvent(U16, QByteArray data) { figures.add(data); }
};

class PlainReader : public QObject
{
    Q_OBJECT
public:
    Figures figures;
    bool connectTo(quint16 port)
    {
        connect(&socket, SIGNAL(readyRead()), this, SLOT(readPackets()));
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (!socket.waitForConnected(3000))
            return false;
        socket.write(QByteArray("\x01\x00\x00\x00", 4));
        return true;
    }
private slots:
    void readPackets()
    {
        if (!handshaken) {
            if (socket.bytesAvailable() < 6)
                return;
            socket.read(6);
            handshaken = true;
        }
        while (socket.bytesAvailable() >= 16) {
            const QByteArray header = socket.peek(16);
            const int length = quint8(header[0]) | (quint8(header[1]) << 8);
            if (socket.bytesAvailable() < 16 + length)
                return;
            const QByteArray packet = socket.read(16 + length);
            figures.add(packet.mid(16));
        }
    }

private:
    QTcpSocket socket;
    bool handshaken = false;
};

bool runUntil(const Figures &figures, size_t count)
{
    QElapsedTimer timer;
    timer.start();
    while (figures.latencies.size() < count && timer.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return figures.latencies.size() >= count;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    const int count = argc > 1 ? atoi(argv[1]) : 200000;
    const int warmUp = 2000;
    const int latencyCount = 3000;

    Daemon libraryDaemon;
    Daemon plainDaemon;
    if (!libraryDaemon.start() || !plainDaemon.start()) {
        std::fprintf(stderr, "cannot start the stand-in daemon\n");
        return 1;
    }

    TAbstractIuIf::setDefaultSocket(libraryDaemon.port, QStringLiteral("127.0.0.1"));
    LibraryReader library;
    QObject::connect(TIuIoIf::getInstance(), SIGNAL(batteryEvent(U16, QByteArray)), &library, SLOT(batteryEvent(U16, QByteArray)));
    PlainReader plain;
    if (!libraryDaemon.waitFor("packet ") || !plain.connectTo(plainDaemon.port) || !plainDaemon.waitFor("handshake ")) {
        std::fprintf(stderr, "no connection to the stand-in daemon\n");
        return 1;
    }

    // Throughput: a burst much larger than any socket buffer. Latency: one packet per
    // millisecond, so it measures delivery, not the queue behind a burst.
    struct Round
    {
        const char *command;
        int count;
    };
    const Round rounds[] = { { "burst", warmUp }, { "burst", count }, { "paced", latencyCount } };
    Figures results[2][2];
    bool ok = true;
    for (int r = 0; r < 3 && ok; ++r) {
        library.figures = Figures();
        plain.figures = Figures();
        const QByteArray command = QByteArray(rounds[r].command) + ' ' + QByteArray::number(rounds[r].count) + " 0x601";
        libraryDaemon.command(command);
        ok = runUntil(library.figures, size_t(rounds[r].count));
        plainDaemon.command(command);
        ok = ok && runUntil(plain.figures, size_t(rounds[r].count));
        if (r > 0) {
            results[r - 1][0] = library.figures;
            results[r - 1][1] = plain.figures;
        }
    }
    std::printf("IO events, daemon over loopback to the GUI thread\n");
    std::printf("Burst of %d (target: >= 50000 packets/s)\n", count);
    results[0][0].report("TIuIoIf::handleEvent");
    results[0][1].report("plain socket reader");
    std::printf("Paced, %d at 1 per ms (target: median latency < 1 ms)\n", latencyCount);
    results[1][0].report("TIuIoIf::handleEvent");
    results[1][1].report("plain socket reader");
    return ok ? 0 : 1;
}

#include "bench_io_events.moc"
