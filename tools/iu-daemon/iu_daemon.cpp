// iu_daemon.cpp
//
// Stand-in for the unit's interface-unit daemon. It serves TCP on the loopback address, answers
// each connection's 4-byte handshake with a chosen status and link values, prints every packet
// it receives, and sends the packets it is told to on standard input.
//
//   iu-daemon [--port N] [--status S] [--link-a A] [--link-b B] [--manual-handshake]
//             [--devices FILE] [--devices-interval MS] [--record FILE]
//
// Standard output, one line per event, flushed at once:
//   listening PORT | connected ID | handshake ID HEX | packet ID HEX | closed ID | ok TOKEN
// Standard input, one command per line (sent to every connection that has had its handshake):
//   status S A B                   reply for later handshakes
//   accept                         answer handshakes held by --manual-handshake
//   send PORT EVENT RETURN [HEX]   one packet to a client port
//   io EVENT [HEX]                 one packet of the IO service (port 3)
//   devices ENTRY[; ENTRY...]      a device-list event (0x614) to port 3; ENTRY as in --devices
//   devices-file FILE              the same from a file
//   raw HEX                        bytes exactly as given
//   answer OPCODE EVENT [HEX]      answer every later request with OPCODE by EVENT, to its port
//   burst COUNT EVENT              COUNT IO packets, each carrying its send time (8 bytes, ns)
//   paced COUNT EVENT              the same, one packet per millisecond
//   close                          close every connection
//   echo TOKEN                     prints "ok TOKEN" once every earlier command is done
//   quit
// Numbers take the 0x prefix for hexadecimal. A device entry is
//   KIND,ADDRESS,TYPE,SERIAL,VERSION,BUILD      with KIND ip, can or none
// and a devices file holds one entry per line; "#" starts a comment.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QMap>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

const int HeaderSize = 16;
const int HandshakeSize = 4;
const quint16 IoPort = 3;
const quint16 IoRegister = 0x600;
const quint16 DeviceListEvent = 0x614;
const int DeviceListSize = 2180;
const int EntrySize = 136;
const int MaxEntries = 16;

void appendU16(QByteArray &out, quint16 value)
{
    out.append(char(value & 0xff));
    out.append(char(value >> 8));
}

quint16 readU16(const QByteArray &data, int offset)
{
    return quint16(quint8(data.at(offset)) | (quint8(data.at(offset + 1)) << 8));
}

quint16 parseNumber(const QString &text, bool *ok)
{
    return quint16(text.toUInt(ok, 0));
}

qint64 monotonicNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void putText(QByteArray &entry, int offset, int size, const QString &text)
{
    const QByteArray bytes = text.toLatin1().left(size);
    entry.replace(offset, bytes.size(), bytes);
}

} // namespace

class Daemon : public QObject
{
    Q_OBJECT
public:
    struct Connection
    {
        int id;
        QByteArray buffer;
        bool handshaken; // the 4-byte request has arrived
        bool answered; // and was answered
    };

    Daemon(quint16 status, quint16 linkA, quint16 linkB, bool manual)
        : status(status)
        , linkA(linkA)
        , linkB(linkB)
        , manualHandshake(manual)
    {
        connect(&server, SIGNAL(newConnection()), this, SLOT(acceptConnection()));
        pacedTimer.setTimerType(Qt::PreciseTimer);
        connect(&pacedTimer, SIGNAL(timeout()), this, SLOT(sendPaced()));
    }

    bool listen(quint16 port)
    {
        if (!server.listen(QHostAddress::LocalHost, port)) {
            std::fprintf(stderr, "iu-daemon: cannot listen on port %u: %s\n", port, qPrintable(server.errorString()));
            return false;
        }
        say(QStringLiteral("listening %1").arg(server.serverPort()));
        return true;
    }

    void setRecord(const QString &fileName)
    {
        record.setFileName(fileName);
        if (!record.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            std::fprintf(stderr, "iu-daemon: cannot open %s\n", qPrintable(fileName));
    }

    bool setDevicesFile(const QString &fileName)
    {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "iu-daemon: cannot read %s\n", qPrintable(fileName));
            return false;
        }
        QStringList entries;
        QTextStream stream(&file);
        while (!stream.atEnd()) {
            const QString line = stream.readLine().section(QLatin1Char('#'), 0, 0).trimmed();
            if (!line.isEmpty())
                entries.append(line);
        }
        bool ok = false;
        devicesPayload = deviceList(entries, &ok);
        return ok;
    }

    void startDevicesTimer(int intervalMs)
    {
        if (intervalMs <= 0)
            return;
        connect(&devicesTimer, SIGNAL(timeout()), this, SLOT(sendDevices()));
        devicesTimer.start(intervalMs);
    }

    // A device-list payload from readable entries; a bad entry makes *ok false.
    static QByteArray deviceList(const QStringList &entries, bool *ok)
    {
        *ok = entries.size() <= MaxEntries;
        QByteArray payload(DeviceListSize, '\0');
        const int count = qMin(entries.size(), MaxEntries);
        payload[0] = char(count & 0xff);
        payload[1] = char(count >> 8);
        for (int i = 0; i < count; ++i) {
            const QStringList fields = entries.at(i).split(QLatin1Char(','));
            if (fields.size() != 6) {
                *ok = false;
                continue;
            }
            QByteArray entry(EntrySize, '\0');
            const QString kind = fields.at(0).trimmed();
            const quint32 kindValue = kind == QLatin1String("ip") ? 0 : kind == QLatin1String("can") ? 1 : 2;
            entry[0] = char(kindValue);
            putText(entry, 4, 17, fields.at(1).trimmed());
            putText(entry, 21, 16, fields.at(2).trimmed());
            putText(entry, 37, 32, fields.at(3).trimmed());
            putText(entry, 69, 32, fields.at(4).trimmed());
            putText(entry, 101, 35, fields.at(5).trimmed());
            payload.replace(4 + EntrySize * i, EntrySize, entry);
        }
        return payload;
    }

public slots:
    void readCommand()
    {
        char chunk[4096];
        const ssize_t count = ::read(STDIN_FILENO, chunk, sizeof(chunk));
        if (count <= 0) {
            // Standard input closed: keep serving until killed, as the unit's daemon does.
            stdinNotifier->setEnabled(false);
            return;
        }
        input.append(chunk, int(count));
        int end;
        while ((end = input.indexOf('\n')) >= 0) {
            const QByteArray line = input.left(end);
            input.remove(0, end + 1);
            command(QString::fromLocal8Bit(line).trimmed());
        }
    }

    void sendPaced()
    {
        if (pacedLeft <= 0) {
            pacedTimer.stop();
            return;
        }
        --pacedLeft;
        sendToAll(stampedPacket(pacedEvent));
        flushAll();
    }

    void sendDevices()
    {
        if (!devicesPayload.isEmpty())
            sendToAll(packet(IoPort, DeviceListEvent, 0, devicesPayload));
    }

public:
    QSocketNotifier *stdinNotifier = nullptr;

private slots:
    void acceptConnection()
    {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            connections.insert(socket, Connection { nextId++, QByteArray(), false, false });
            connect(socket, SIGNAL(readyRead()), this, SLOT(readSocket()));
            connect(socket, SIGNAL(disconnected()), this, SLOT(socketClosed()));
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            say(QStringLiteral("connected %1").arg(connections.value(socket).id));
        }
    }

    void socketClosed()
    {
        QTcpSocket *socket = qobject_cast<QTcpSocket *>(sender());
        if (!socket || !connections.contains(socket))
            return;
        say(QStringLiteral("closed %1").arg(connections.value(socket).id));
        connections.remove(socket);
        socket->deleteLater();
    }

    void readSocket()
    {
        QTcpSocket *socket = qobject_cast<QTcpSocket *>(sender());
        if (!socket || !connections.contains(socket))
            return;
        Connection &c = connections[socket];
        c.buffer.append(socket->readAll());
        if (!c.handshaken) {
            if (c.buffer.size() < HandshakeSize)
                return;
            say(QStringLiteral("handshake %1 %2").arg(c.id).arg(QString::fromLatin1(c.buffer.left(HandshakeSize).toHex())));
            c.buffer.remove(0, HandshakeSize);
            c.handshaken = true;
            if (!manualHandshake)
                answerHandshake(socket, c);
        }
        while (c.buffer.size() >= HeaderSize) {
            const int total = HeaderSize + readU16(c.buffer, 0);
            if (c.buffer.size() < total)
                return;
            const QByteArray received = c.buffer.left(total);
            c.buffer.remove(0, total);
            say(QStringLiteral("packet %1 %2").arg(c.id).arg(QString::fromLatin1(received.toHex())));
            react(socket, received);
        }
    }

private:
    void answerHandshake(QTcpSocket *socket, Connection &c)
    {
        QByteArray reply;
        reply.append(char(status & 0xff));
        reply.append('\0');
        appendU16(reply, linkA);
        appendU16(reply, linkB);
        socket->write(reply);
        c.answered = true;
    }

    void react(QTcpSocket *socket, const QByteArray &request)
    {
        const quint16 source = readU16(request, 6);
        const quint16 opcode = readU16(request, 10);
        if (answers.contains(opcode)) {
            const QPair<quint16, QByteArray> answer = answers.value(opcode);
            socket->write(packet(source, answer.first, readU16(request, 12), answer.second));
        }
        if (source == IoPort && opcode == IoRegister && !devicesPayload.isEmpty())
            socket->write(packet(IoPort, DeviceListEvent, 0, devicesPayload));
    }

    QByteArray packet(quint16 port, quint16 event, quint16 returnCode, const QByteArray &payload) const
    {
        QByteArray out;
        appendU16(out, quint16(payload.size()));
        appendU16(out, 0);
        out.append(char(linkB & 0xff));
        out.append(char(linkA & 0xff));
        appendU16(out, 1);
        appendU16(out, port);
        appendU16(out, event);
        appendU16(out, returnCode);
        appendU16(out, 0);
        out.append(payload);
        return out;
    }

    QByteArray stampedPacket(quint16 event) const
    {
        QByteArray stamp(8, '\0');
        const qint64 now = monotonicNs();
        std::memcpy(stamp.data(), &now, sizeof(now));
        return packet(IoPort, event, 0, stamp);
    }

    void sendToAll(const QByteArray &bytes)
    {
        for (auto it = connections.begin(); it != connections.end(); ++it) {
            if (it.value().answered)
                it.key()->write(bytes);
        }
    }

    void say(const QString &line)
    {
        const QByteArray text = line.toLatin1() + '\n';
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        std::fflush(stdout);
        if (record.isOpen()) {
            record.write(text);
            record.flush();
        }
    }

    void command(const QString &line)
    {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            return;
        const QString name = words.at(0);
        bool ok = true;
        bool ok2 = true;
        bool ok3 = true;
        if (name == QLatin1String("status") && words.size() == 4) {
            status = parseNumber(words.at(1), &ok);
            linkA = parseNumber(words.at(2), &ok2);
            linkB = parseNumber(words.at(3), &ok3);
        } else if (name == QLatin1String("accept")) {
            for (auto it = connections.begin(); it != connections.end(); ++it) {
                if (it.value().handshaken && !it.value().answered)
                    answerHandshake(it.key(), it.value());
            }
        } else if (name == QLatin1String("send") && (words.size() == 4 || words.size() == 5)) {
            const quint16 port = parseNumber(words.at(1), &ok);
            const quint16 event = parseNumber(words.at(2), &ok2);
            const quint16 returnCode = parseNumber(words.at(3), &ok3);
            sendToAll(packet(port, event, returnCode, words.size() == 5 ? QByteArray::fromHex(words.at(4).toLatin1()) : QByteArray()));
        } else if (name == QLatin1String("io") && (words.size() == 2 || words.size() == 3)) {
            const quint16 event = parseNumber(words.at(1), &ok);
            sendToAll(packet(IoPort, event, 0, words.size() == 3 ? QByteArray::fromHex(words.at(2).toLatin1()) : QByteArray()));
        } else if (name == QLatin1String("devices")) {
            const QString rest = line.mid(line.indexOf(QLatin1String("devices")) + 7).trimmed();
            QStringList entries = rest.split(QLatin1Char(';'), Qt::SkipEmptyParts);
            for (QString &entry : entries)
                entry = entry.trimmed();
            sendToAll(packet(IoPort, DeviceListEvent, 0, deviceList(entries, &ok)));
        } else if (name == QLatin1String("devices-file") && words.size() == 2) {
            const QByteArray saved = devicesPayload;
            ok = setDevicesFile(words.at(1));
            sendDevices();
            if (!ok)
                devicesPayload = saved;
        } else if (name == QLatin1String("raw") && words.size() == 2) {
            sendToAll(QByteArray::fromHex(words.at(1).toLatin1()));
        } else if (name == QLatin1String("answer") && (words.size() == 3 || words.size() == 4)) {
            const quint16 opcode = parseNumber(words.at(1), &ok);
            const quint16 event = parseNumber(words.at(2), &ok2);
            answers.insert(opcode, qMakePair(event, words.size() == 4 ? QByteArray::fromHex(words.at(3).toLatin1()) : QByteArray()));
        } else if (name == QLatin1String("burst") && words.size() == 3) {
            const int count = words.at(1).toInt(&ok, 0);
            const quint16 event = parseNumber(words.at(2), &ok2);
            QByteArray bytes;
            for (int i = 0; i < count; ++i) {
                bytes.append(stampedPacket(event));
                // Written in slices so the stamps stay close to the real send time.
                if (bytes.size() >= 4096) {
                    sendToAll(bytes);
                    bytes.clear();
                    flushAll();
                }
            }
            sendToAll(bytes);
        } else if (name == QLatin1String("paced") && words.size() == 3) {
            pacedLeft = words.at(1).toInt(&ok, 0);
            pacedEvent = parseNumber(words.at(2), &ok2);
            pacedTimer.start(1);
        } else if (name == QLatin1String("close")) {
            for (QTcpSocket *socket : connections.keys())
                socket->disconnectFromHost();
        } else if (name == QLatin1String("echo") && words.size() == 2) {
            flushAll();
            say(QStringLiteral("ok ") + words.at(1));
        } else if (name == QLatin1String("quit")) {
            flushAll();
            QCoreApplication::quit();
        } else {
            ok = false;
        }
        if (!ok || !ok2 || !ok3)
            std::fprintf(stderr, "iu-daemon: bad command: %s\n", qPrintable(line));
    }

    void flushAll()
    {
        for (QTcpSocket *socket : connections.keys())
            socket->flush();
    }

    QByteArray input; // standard input not yet split into lines
    QTcpServer server;
    QMap<QTcpSocket *, Connection> connections;
    QMap<quint16, QPair<quint16, QByteArray>> answers;
    QByteArray devicesPayload;
    QTimer devicesTimer;
    QTimer pacedTimer;
    int pacedLeft = 0;
    quint16 pacedEvent = 0;
    QFile record;
    quint16 status;
    quint16 linkA;
    quint16 linkB;
    bool manualHandshake;
    int nextId = 1;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in interface-unit daemon on the loopback address."));
    parser.addHelpOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("TCP port; 0 picks a free one."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption statusOption(
        QStringLiteral("status"), QStringLiteral("Handshake status."), QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption linkAOption(
        QStringLiteral("link-a"), QStringLiteral("Link value A."), QStringLiteral("A"), QStringLiteral("0x0a05"));
    const QCommandLineOption linkBOption(
        QStringLiteral("link-b"), QStringLiteral("Link value B."), QStringLiteral("B"), QStringLiteral("0x0b07"));
    const QCommandLineOption manualOption(QStringLiteral("manual-handshake"), QStringLiteral("Answer handshakes only on \"accept\"."));
    const QCommandLineOption devicesOption(
        QStringLiteral("devices"), QStringLiteral("Device entries sent on each IO registration."), QStringLiteral("FILE"));
    const QCommandLineOption intervalOption(QStringLiteral("devices-interval"),
        QStringLiteral("Also send the device entries every MS milliseconds."), QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption recordOption(
        QStringLiteral("record"), QStringLiteral("Also append the output lines to FILE."), QStringLiteral("FILE"));
    parser.addOptions({ portOption, statusOption, linkAOption, linkBOption, manualOption, devicesOption, intervalOption, recordOption });
    parser.process(app);

    bool ok[5] = { true, true, true, true, true };
    const quint16 port = parseNumber(parser.value(portOption), &ok[0]);
    const quint16 status = parseNumber(parser.value(statusOption), &ok[1]);
    const quint16 linkA = parseNumber(parser.value(linkAOption), &ok[2]);
    const quint16 linkB = parseNumber(parser.value(linkBOption), &ok[3]);
    const int interval = parser.value(intervalOption).toInt(&ok[4]);
    for (bool b : ok) {
        if (!b) {
            std::fprintf(stderr, "iu-daemon: bad number in the options\n");
            return 2;
        }
    }

    Daemon daemon(status, linkA, linkB, parser.isSet(manualOption));
    if (parser.isSet(recordOption))
        daemon.setRecord(parser.value(recordOption));
    if (parser.isSet(devicesOption) && !daemon.setDevicesFile(parser.value(devicesOption))) {
        std::fprintf(stderr, "iu-daemon: bad devices file\n");
        return 2;
    }
    if (!daemon.listen(port))
        return 1;
    daemon.startDevicesTimer(interval);
    QSocketNotifier notifier(STDIN_FILENO, QSocketNotifier::Read);
    daemon.stdinNotifier = &notifier;
    QObject::connect(&notifier, SIGNAL(activated(int)), &daemon, SLOT(readCommand()));
    return app.exec();
}

#include "iu_daemon.moc"
