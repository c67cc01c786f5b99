// tst_iu_socket_if_thread.cpp
#include "devif_test_support.h"
#include "kvif_abstract_iu_if.h"

#include <QtTest>

namespace {

// A packet as the daemon sends it: link bytes 07 05, source port 1, then destination port,
// event code and return code, all little-endian.
QByteArray daemonPacket(quint16 port, quint16 event, quint16 returnCode, const QByteArray &payload)
{
    QByteArray out;
    for (quint16 v : { quint16(payload.size()), quint16(0), quint16(0x0507), quint16(1), port, event, returnCode, quint16(0) })
        out.append(char(v & 0xff)).append(char(v >> 8));
    return out + payload;
}

} // namespace

class RecordingClient : public TAbstractIuIf
{
    Q_OBJECT
public:
    using TAbstractIuIf::TAbstractIuIf;
    // Registers under port, with the opcode port * 0x100; true once the daemon has it.
    bool registerWith(StandInDaemon &daemon, U16 port)
    {
        iuRegister(port, U16(port << 8), QByteArray(), "127.0.0.1", daemon.port);
        return daemon.waitForLine("packet ");
    }
    QStringList events; // "<event code in hex> <return code> <payload>"

private slots:
    void handleEvent(U16 eventCode, U16 returnCode, const QByteArray &data) override
    {
        events << QStringLiteral("%1 %2 %3").arg(eventCode, 0, 16).arg(returnCode).arg(QString(data)).trimmed();
    }
};

class TestIuSocketIfThread : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { LogCatcher::install(); }

    void registrationBytes_data()
    {
        QTest::addColumn<bool>("beforeHandshake");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("expected");

        // Bytes 4 and 5 are the low bytes of link values B (0x3407) and A (0x1205).
        QTest::newRow("empty registration before the handshake is 16 bytes, patched on acceptance")
            << true << QByteArray() << hex("0000 0000 07 05 0700 0100 3412 0000 0000");
        QTest::newRow("registration after the handshake is sent at once")
            << false << QByteArray("\x01\x02\x03") << hex("0300 0000 07 05 0700 0100 3412 0000 0000 010203");
    }

    void registrationBytes()
    {
        QFETCH(bool, beforeHandshake);
        QFETCH(QByteArray, payload);
        QFETCH(QString, expected);

        StandInDaemon daemon;
        QStringList options { "--link-a", "0x1205", "--link-b", "0x3407" };
        if (beforeHandshake)
            options << "--manual-handshake";
        QVERIFY(daemon.start(options));
        QTRY_COMPARE(transportTo(daemon.port)->isInitialized(), !beforeHandshake);
        QCOMPARE(transportTo(daemon.port)->objectName(), QString("Iu socket thread 127.0.0.1 port %1").arg(daemon.port)); // for ps and gdb
        QVERIFY(daemon.waitForLine("handshake 1 01000000"));

        RecordingClient client(nullptr);
        client.iuRegister(7, 0x1234, payload, "127.0.0.1", daemon.port);
        if (beforeHandshake) {
            QVERIFY(daemon.sync() && daemon.packets().isEmpty());
            daemon.command("accept");
        }
        QVERIFY(daemon.waitForLine("packet ") && daemon.packets() == QStringList { expected });
        // The connection's state as seen from this thread follows the transport's socket.
        QVERIFY(transportTo(daemon.port)->getIoState());
        daemon.command("close");
        QTRY_VERIFY(!transportTo(daemon.port)->getIoState());
    }

    void refusedHandshake()
    {
        StandInDaemon daemon;
        RecordingClient client(nullptr);
        QVERIFY(daemon.start({ "--status", "0" }));
        client.iuRegister(9, 0x900, QByteArray(), "127.0.0.1", daemon.port);
        QTRY_VERIFY(LogCatcher::contains("IU connection initialization error  0"));
        // Nothing is sent, and a request for a reply does not wait for one.
        QCOMPARE(transportTo(daemon.port)->sendPacket(9, 0x901, QByteArray("x")), int(TIuSocketIfThread::IU_NOT_INITIALIZED));
        QCOMPARE(client.sendPacketWait(0x902, QByteArray(), 0x903, nullptr), int(TIuSocketIfThread::IU_NOT_INITIALIZED));
        QVERIFY(daemon.sync() && daemon.packets().isEmpty());
    }

    void receivedPackets_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("later"); // sent once the transport has given up waiting
        QTest::addColumn<QStringList>("events");

        const QByteArray slow = daemonPacket(5, 0x510, 0, "0123456789");
        QTest::newRow("packets in one read: one for an unknown port dropped, the others delivered in order")
            << daemonPacket(99, 0x503, 0, "lost") + daemonPacket(5, 0x501, 7, "abc") + daemonPacket(5, 0x502, 0, "") << QByteArray()
            << QStringList { "501 7 abc", "502 0" };
        QTest::newRow("slow payload keeps the framing")
            << slow.left(20) << slow.mid(20) + daemonPacket(5, 0x511, 0, "next") << QStringList { "510 0 0123456789", "511 0 next" };
    }

    void receivedPackets()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, later);
        QFETCH(QStringList, events);

        StandInDaemon daemon;
        RecordingClient client(nullptr);
        QVERIFY(daemon.start() && client.registerWith(daemon, 5));
        daemon.command("raw " + stream.toHex());
        if (!later.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(LogCatcher::contains("Socket error: "), 15000);
            QCOMPARE(client.events, QStringList());
            daemon.command("raw " + later.toHex());
        }
        QTRY_COMPARE(client.events, events);
    }

    void transportsSharedPerAddressAndPort()
    {
        StandInDaemon first, second;
        RecordingClient b(nullptr), c(nullptr), *a = new RecordingClient(nullptr);
        QVERIFY(first.start() && second.start());
        a->iuRegister(11, 0xb00, QByteArray(), "127.0.0.1", first.port);
        b.iuRegister(12, 0xc00, QByteArray(), "127.0.0.1", first.port);
        c.iuRegister(11, 0xb00, QByteArray(), "127.0.0.1", second.port);

        // One connection carries both registrations of the first port.
        QTRY_VERIFY(first.packets().size() == 2 && second.packets().size() == 1);
        QCOMPARE(first.lines("connected "), QStringList { "connected 1" });

        // Each port's packets reach only its own client.
        first.command("send 12 0xc01 0 6869");
        QTRY_VERIFY(b.events == QStringList { "c01 0 hi" } && a->events.size() + c.events.size() == 0);
        // A client that has gone is no longer sent to; the next packet reaches its neighbour.
        delete a;
        first.command("raw " + (daemonPacket(11, 0xb01, 0, "x") + daemonPacket(12, 0xc02, 0, "hi")).toHex());
        QTRY_COMPARE(b.events, (QStringList { "c01 0 hi", "c02 0 hi" }));
    }

    void requests()
    {
        StandInDaemon daemon;
        RecordingClient client(nullptr);
        QVERIFY(daemon.start() && client.registerWith(daemon, 6));
        // A length must fit the header's 16 bits; the longest payload goes out whole.
        TIuSocketIfThread *transport = transportTo(daemon.port);
        QCOMPARE(transport->sendPacket(6, 0x601, QByteArray(65536, 'x')), int(TIuSocketIfThread::IU_PAYLOAD_TOO_LONG));
        QCOMPARE(transport->sendPacket(6, 0x602, QByteArray(65535, 'y')), int(TIuSocketIfThread::IU_DONE));
        QTRY_COMPARE(daemon.packets().value(1), hex("ffff 0000 07 05 0600 0100 0206 0000 0000") + QString("79").repeated(65535));

        daemon.command("answer 0x650 0x651 cafe");
        QVERIFY(daemon.sync());
        QByteArray reply;
        QVERIFY(client.sendPacketWait(0x650, "?", 0x651, &reply) == TIuSocketIfThread::IU_DONE && reply == QByteArray("\xca\xfe"));
        // A request given up on leaves no wait behind (its semaphore and buffer are gone): a late
        // reply is an ordinary event, and so is all the client gets; the reply above was the request's.
        QSemaphore gone(0);
        QVERIFY(transport->sendPacketWait(6, 0x660, "?", &gone, &reply, 0x661) == TIuSocketIfThread::IU_DONE
            && !transport->withdrawWait(&gone));
        daemon.command("send 6 0x661 0 6869");
        QTRY_COMPARE(client.events, QStringList { "661 0 hi" });
    }

private:
    static TIuSocketIfThread *transportTo(quint16 port) { return TIuSocketIfThread::getIuSocketIfThread("127.0.0.1", port); }
};

QTEST_GUILESS_MAIN(TestIuSocketIfThread)
#include "tst_iu_socket_if_thread.moc"
