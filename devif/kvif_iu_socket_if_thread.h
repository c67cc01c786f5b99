// kvif_iu_socket_if_thread.h
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QString>
#include <QThread>

#include <atomic>

class QIODevice;
class QSemaphore;
class QTcpSocket;
class TAbstractIuIf;

// The interface library's unsigned 16-bit integer; registered as "U16" for queued calls.
typedef quint16 U16;

// A request that waits for the packet answering it. The requester owns the semaphore and the
// reply buffer; the transport owns the record.
struct IuWaitCondition
{
    QSemaphore *semaphore;
    U16 replyCode;
    QByteArray *reply;
};

// One thread and one TCP connection to the interface-unit daemon per address and port, shared
// by every client of that address and port. The thread owns the socket; clients call in from
// their own threads. Packets reach clients as queued calls of their handleEvent slot.
class TIuSocketIfThread : public QThread
{
    Q_OBJECT
public:
    // Results of the transport's operations.
    enum
    {
        IU_DONE = 0,
        IU_TIMEOUT = 2,
        IU_ADDRESS_NOT_SET = 3,
        IU_NOT_INITIALIZED = 4,
        IU_PAYLOAD_TOO_LONG = 5, // the length field has 16 bits; a longer payload is never sent
    };
    enum
    {
        IU_HEADER_SIZE = 16,
        IU_HANDSHAKE_REPLY_SIZE = 6,
        IU_MAX_PAYLOAD = 0xffff
    };

    static TIuSocketIfThread *getIuSocketIfThread(QString address, U16 port);

    TIuSocketIfThread(QString address, U16 port, U16 daemonPort);

    void registerIuIf(TAbstractIuIf *client, U16 port, U16 opcode, const QByteArray &data);
    // Takes a destroyed client out of the table, so nothing is delivered to it any more.
    void unregisterIuIf(TAbstractIuIf *client);
    int sendPacket(U16 port, U16 opcode, const QByteArray &data, U16 returnCode = 0);
    int sendPacketWait(U16 port, U16 opcode, const QByteArray &data, QSemaphore *semaphore, QByteArray *reply, U16 replyCode);
    // Removes the requester's wait condition; true if the reply had already been delivered.
    bool withdrawWait(QSemaphore *semaphore);
    // False, and nothing appended, when the payload does not fit the 16-bit length field.
    bool createPacket(U16 port, U16 opcode, const QByteArray &data, QByteArray &packet, U16 returnCode = 0);
    // Whether the socket is connected; safe from any thread, never waits for the socket.
    bool getIoState();
    bool isInitialized() const { return state == 2; }

    // The input handler's work on any device: handshake replies while not initialized, then
    // whole packets only. A packet whose payload is still incomplete is left in the device.
    void readInput(QIODevice *device);

protected:
    void run() override;

private slots:
    void socketInputHandler();
    void packetToSendHandler(QByteArray packet);

private:
    int connectSocket();
    int readBytes(QIODevice *device, qint64 count);
    void writePacket(QByteArray packet);
    void dispatchPacket(const QByteArray &header, const QByteArray &payload);

    static QMutex listMutex; // guards iuSocketifThreads
    static QList<TIuSocketIfThread *> iuSocketifThreads;

    std::atomic<QTcpSocket *> socket; // created and owned by the thread, lives in it
    std::atomic<bool> connected { false }; // the socket's state as the thread last saw it
    QString address;
    std::atomic<int> state;
    QByteArray handshakeReply; // under mutex
    U16 port;
    U16 daemonPort;
    QMap<U16, TAbstractIuIf *> clients; // under mutex
    QList<QByteArray> registrations; // under mutex
    QList<IuWaitCondition> waitConditions; // under mutex
    mutable QMutex mutex; // guards clients, registrations, waitConditions and handshakeReply
};
