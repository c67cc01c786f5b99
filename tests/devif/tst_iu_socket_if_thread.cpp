// tst_iu_socket_if_thread.cpp
#include "devif_test_support.h"
#include "kvif_abstract_iu_if.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

namespace {

struct ReceivedEvent
{
    U16 eventCode;
    U16 returnCode;
    QByteArray data;
};

quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

} // namespace

class RecordingClient : public TAbstractIuIf
{
    Q_OBJECT
public:
    RecordingClient()
        : TAbstractIuIf(nullptr)
    { }
    QList<ReceivedEvent> events;

private slots:
    void handleEvent(U16 eventCode, U16 returnCode, const QByteArray &data) override
    {
        events.append(ReceivedEvent { eventCode, returnCode, data });
    }
};

class TestIuSocketIfThread : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void registrationBytes_data();
    void registrationBytes();
    void refusedHandshake();
    void receivedPackets_data();
    void receivedPackets();
    void slowPayloadKeepsFraming();
    void transportsSharedPerAddressAndPort();
    void replyToWaitingRequest();
    void waitWithoutConnectionReturnsAtOnce();
    void overlongPayloadRefused();
};

void TestIuSocketIfThread::initTestCase()
{
    LogCatcher::install();
}

void TestIuSocketIfThread::init()
{
    LogCatcher::clear();
}

void TestIuSocketIfThread::registrationBytes_data()
{
    QTest::addColumn<bool>("beforeHandshake");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty registration before the handshake is patched and 16 bytes long") << true << QByteArray()
                                                                                          << QStringLiteral("0000"
                                                                                                            "0000"
                                                                                                            "07"
                                                                                                            "05"
                                                                                                            "0700"
                                                                                                            "0100"
                                                                                                            "3412"
                                                                                                            "0000"
                                                                                                            "0000");
    QTest::newRow("registration after the handshake is sent at once") << false << QByteArray("\x01\x02\x03", 3)
                                                                      << QStringLiteral("0300"
                                                                                        "0000"
                                                                                        "07"
                                                                                        "05"
                                                                                        "0700"
                                                                                        "0100"
                                                                                        "3412"
                                                                                        "0000"
                                                                                        "0000"
                                                                                        "010203");
}

void TestIuSocketIfThread::registrationBytes()
{
    QFETCH(bool, beforeHandshake);
    QFETCH(QByteArray, payload);
    QFETCH(QString, expected);

    StandInDaemon daemon;
    QStringList options { QStringLiteral("--link-a"), QStringLiteral("0x1205"), QStringLiteral("--link-b"), QStringLiteral("0x3407") };
    if (beforeHandshake)
        options << QStringLiteral("--manual-handshake");
    QVERIFY(daemon.start(options));

    TIuSocketIfThread *transport = TIuSocketIfThread::getIuSocketIfThread(QStringLiteral("127.0.0.1"), daemon.port);
    QVERIFY(daemon.waitForLine(QStringLiteral("handshake 1 01000000")));
    RecordingClient client;
    if (beforeHandshake) {
        client.iuRegister(7, 0x1234, payload, QStringLiteral("127.0.0.1"), daemon.port);
        QVERIFY(daemon.sync());
        QCOMPARE(daemon.packets(), QStringList());
        daemon.command(QStringLiteral("accept"));
    } else {
        QTRY_VERIFY(transport->isInitialized());
        client.iuRegister(7, 0x1234, payload, QStringLiteral("127.0.0.1"), daemon.port);
        QVERIFY(LogCatcher::contains(QStringLiteral("Allready connected ")));
    }
    QVERIFY(daemon.waitForLine(QStringLiteral("packet ")));
    QCOMPARE(daemon.packets(), QStringList { expected });
    QVERIFY(transport->getIoState());
}

void TestIuSocketIfThread::refusedHandshake()
{
    StandInDaemon daemon;
    QVERIFY(daemon.start({ QStringLiteral("--status"), QStringLiteral("0") }));
    RecordingClient client;
    client.iuRegister(9, 0x900, QByteArray(), QStringLiteral("127.0.0.1"), daemon.port);
    TIuSocketIfThread *transport = TIuSocketIfThread::getIuSocketIfThread(QStringLiteral("127.0.0.1"), daemon.port);

    QTRY_VERIFY(LogCatcher::contains(QStringLiteral("IU connection initialization error  0")));
    QCOMPARE(transport->sendPacket(9, 0x901, QByteArray("x")), int(TIuSocketIfThread::IU_NOT_INITIALIZED));
    QVERIFY(daemon.sync());
    QCOMPARE(daemon.packets(), QStringList());

    // A later reply with status 1 is still a handshake reply; the kept registration goes out.
    daemon.command(QStringLiteral("raw 010011002200"));
    QVERIFY(daemon.waitForLine(QStringLiteral("packet ")));
    QCOMPARE(daemon.packets(),
        QStringList { QStringLiteral("0000"
                                     "0000"
                                     "22"
                                     "11"
                                     "0900"
                                     "0100"
                                     "0009"
                                     "0000"
                                     "0000") });
}

void TestIuSocketIfThread::receivedPackets_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QList<U16>>("expectedCodes");
    QTest::addColumn<QList<QByteArray>>("expectedData");

    const QByteArray first = daemonPacket(5, 0x501, 7, QByteArray("abc"));
    const QByteArray second = daemonPacket(5, 0x502, 0, QByteArray());
    const QByteArray stranger = daemonPacket(99, 0x503, 0, QByteArray("lost"));
    QTest::newRow("two packets in one read are both delivered in order")
        << first + second << QList<U16> { 0x501, 0x502 } << QList<QByteArray> { QByteArray("abc"), QByteArray() };
    QTest::newRow("packet for an unknown port is dropped and the next one delivered")
        << stranger + first << QList<U16> { 0x501 } << QList<QByteArray> { QByteArray("abc") };
}

void TestIuSocketIfThread::receivedPackets()
{
    QFETCH(QByteArray, stream);
    QFETCH(QList<U16>, expectedCodes);
    QFETCH(QList<QByteArray>, expectedData);

    StandInDaemon daemon;
    QVERIFY(daemon.start());
    RecordingClient client;
    client.iuRegister(5, 0x500, QByteArray(), QStringLiteral("127.0.0.1"), daemon.port);
    QVERIFY(daemon.waitForLine(QStringLiteral("packet ")));
    daemon.command(QStringLiteral("raw ") + QString::fromLatin1(stream.toHex()));

    QTRY_COMPARE(client.events.size(), expectedCodes.size());
    for (int i = 0; i < expectedCodes.size(); ++i) {
        QCOMPARE(client.events.at(i).eventCode, expectedCodes.at(i));
        QCOMPARE(client.events.at(i).data, expectedData.at(i));
    }
    QCOMPARE(client.events.at(0).returnCode, U16(7));
    // Nothing more trickles in afterwards.
    QVERIFY(daemon.sync());
    QCoreApplication::processEvents();
    QCOMPARE(client.events.size(), expectedCodes.size());
}

void TestIuSocketIfThread::slowPayloadKeepsFraming()
{
    StandInDaemon daemon;
    QVERIFY(daemon.start());
    RecordingClient client;
    client.iuRegister(5, 0x500, QByteArray(), QStringLiteral("127.0.0.1"), daemon.port);
    QVERIFY(daemon.waitForLine(QStringLiteral("packet ")));

    const QByteArray slow = daemonPacket(5, 0x510, 0, QByteArray("0123456789"));
    daemon.command(QStringLiteral("raw ") + QString::fromLatin1(slow.left(20).toHex()));
    // The transport gives up waiting for the rest and says so.
    QTRY_VERIFY_WITH_TIMEOUT(LogCatcher::contains(QStringLiteral("Socket error: ")), 15000);
    QCOMPARE(client.events.size(), 0);

    const QByteArray next = daemonPacket(5, 0x511, 0, QByteArray("next"));
    daemon.command(QStringLiteral("raw ") + QString::fromLatin1((slow.mid(20) + next).toHex()));
    QTRY_COMPARE(client.events.size(), 2);
    QCOMPARE(client.events.at(0).eventCode, U16(0x510));
    QCOMPARE(client.events.at(0).data, QByteArray("0123456789"));
    QCOMPARE(client.events.at(1).eventCode, U16(0x511));
    QCOMPARE(client.events.at(1).data, QByteArray("next"));
}

void TestIuSocketIfThread::transportsSharedPerAddressAndPort()
{
    StandInDaemon first;
    StandInDaemon second;
    QVERIFY(first.start());
    QVERIFY(second.start());

    RecordingClient a;
    RecordingClient b;
    RecordingClient c;
    a.iuRegister(11, 0xb00, QByteArray(), QStringLiteral("127.0.0.1"), first.port);
    b.iuRegister(12, 0xc00, QByteArray(), QStringLiteral("127.0.0.1"), first.port);
    c.iuRegister(11, 0xb00, QByteArray(), QStringLiteral("127.0.0.1"), second.port);

    TIuSocketIfThread *shared = TIuSocketIfThread::getIuSocketIfThread(QStringLiteral("127.0.0.1"), first.port);
    TIuSocketIfThread *other = TIuSocketIfThread::getIuSocketIfThread(QStringLiteral("127.0.0.1"), second.port);
    QCOMPARE(TIuSocketIfThread::getIuSocketIfThread(QStringLiteral("127.0.0.1"), first.port), shared);
    QVERIFY(shared != other);
    QVERIFY(shared->isRunning());
    QVERIFY(other->isRunning());
    QCOMPARE(shared->objectName(), QStringLiteral("Iu socket thread 127.0.0.1 port ") + QString::number(first.port));

    QTRY_COMPARE(first.packets().size(), 2);
    QTRY_COMPARE(second.packets().size(), 1);
    QVERIFY(first.sync());
    QCOMPARE(first.lines(QStringLiteral("connected ")), QStringList { QStringLiteral("connected 1") });

    // Each port's packets reach only its own client.
    first.command(QStringLiteral("send 12 0xc01 0"));
    QTRY_COMPARE(b.events.size(), 1);
    QCOMPARE(a.events.size(), 0);
    QCOMPARE(c.events.size(), 0);
}

void TestIuSocketIfThread::replyToWaitingRequest()
{
    StandInDaemon daemon;
    QVERIFY(daemon.start());
    RecordingClient client;
    client.iuRegister(6, 0x600, QByteArray(), QStringLiteral("127.0.0.1"), daemon.port);
    QVERIFY(daemon.waitForLine(QStringLiteral("packet ")));
    daemon.command(QStringLiteral("answer 0x650 0x651 cafe"));
    QVERIFY(daemon.sync());

    QByteArray reply("unchanged");
    QCOMPARE(client.sendPacketWait(0x650, QByteArray("?"), 0x651, &reply), int(TIuSocketIfThread::IU_DONE));
    QCOMPARE(reply, QByteArray("\xca\xfe"));
    // The answer was consumed by the waiting request, not delivered as an event.
    QVERIFY(daemon.sync());
    QCoreApplication::processEvents();
    QCOMPARE(client.events.size(), 0);
}

void TestIuSocketIfThread::waitWithoutConnectionReturnsAtOnce()
{
    RecordingClient client;
    client.iuRegister(6, 0x600, QByteArray(), QStringLiteral("127.0.0.1"), closedPort());
    QByteArray reply("unchanged");
    QCOMPARE(client.sendPacketWait(0x650, QByteArray(), 0x651, &reply), int(TIuSocketIfThread::IU_NOT_INITIALIZED));
    QCOMPARE(reply, QByteArray("unchanged"));
}

void TestIuSocketIfThread::overlongPayloadRefused()
{
    StandInDaemon daemon;
    QVERIFY(daemon.start());
    RecordingClient client;
    client.iuRegister(8, 0x800, QByteArray(), QStringLiteral("127.0.0.1"), daemon.port);
    QVERIFY(daemon.waitForLine(QStringLiteral("packet ")));
    TIuSocketIfThread *transport = TIuSocketIfThread::getIuSocketIfThread(QStringLiteral("127.0.0.1"), daemon.port);

    QCOMPARE(transport->sendPacket(8, 0x801, QByteArray(65536, 'x')), int(TIuSocketIfThread::IU_PAYLOAD_TOO_LONG));
    QCOMPARE(transport->sendPacket(8, 0x802, QByteArray(65535, 'y')), int(TIuSocketIfThread::IU_DONE));
    QTRY_COMPARE(daemon.packets().size(), 2);
    const QString largest = daemon.packets().at(1);
    QCOMPARE(largest.left(32),
        QStringLiteral("ffff"
                       "0000"
                       "07"
                       "05"
                       "0800"
                       "0100"
                       "0208"
                       "0000"
                       "0000"));
    QCOMPARE(largest.size(), 2 * (16 + 65535));
}

QTEST_GUILESS_MAIN(TestIuSocketIfThread)
#include "tst_iu_socket_if_thread.moc"
