// kvif_iu_socket_if_thread.cpp
#include "kvif_iu_socket_if_thread.h"

#include "kvif_abstract_iu_if.h"

#include <QDebug>
#include <QMetaType>
#include <QMutexLocker>
#include <QSemaphore>
#include <QTcpSocket>

QMutex TIuSocketIfThread::listMutex;
QList<TIuSocketIfThread *> TIuSocketIfThread::iuSocketifThreads;

namespace {

const int SocketWaitMs = 3000;

U16 readU16(const char *p)
{
    return U16(quint8(p[0]) | (quint8(p[1]) << 8));
}

void appendU16(QByteArray &out, U16 value)
{
    out.append(char(value & 0xff));
    out.append(char(value >> 8));
}

} // namespace

TIuSocketIfThread *TIuSocketIfThread::getIuSocketIfThread(QString address, U16 port)
{
    QMutexLocker locker(&listMutex);
    static bool typeRegistered = false;
    if (!typeRegistered) {
        qRegisterMetaType<U16>("U16");
        typeRegistered = true;
    }
    for (TIuSocketIfThread *thread : qAsConst(iuSocketifThreads)) {
        if (thread->address == address && thread->port == port)
            return thread;
    }
    // The daemon's own port is always 1.
    TIuSocketIfThread *thread = new TIuSocketIfThread(address, port, 1);
    iuSocketifThreads.append(thread);
    thread->start();
    return thread;
}

TIuSocketIfThread::TIuSocketIfThread(QString address, U16 port, U16 daemonPort)
    : socket(nullptr)
    , address(address)
    , state(0)
    , handshakeReply(IU_HANDSHAKE_REPLY_SIZE, '\0')
    , port(port)
    , daemonPort(daemonPort)
{
    setObjectName(QStringLiteral("Iu socket thread ") + address + QStringLiteral(" port ") + QString::number(port));
    moveToThread(this);
}

void TIuSocketIfThread::registerIuIf(TAbstractIuIf *client, U16 port, U16 opcode, const QByteArray &data)
{
    qDebug() << "void TIuSocketIfThread::registerIuIf(TAbstractIuIf*, U16, U16, const QByteArray&)"
             << QThread::currentThread()->objectName();
    QByteArray packet;
    {
        QMutexLocker locker(&mutex);
        clients.insert(port, client);
        if (!createPacket(port, opcode, data, packet, 0)) {
            qWarning() << "void TIuSocketIfThread::registerIuIf(TAbstractIuIf*, U16, U16, const QByteArray&)"
                       << "Payload too long:" << data.size();
            return;
        }
        registrations.append(packet);
        if (state != 2)
            return;
    }
    qDebug() << "void TIuSocketIfThread::registerIuIf(TAbstractIuIf*, U16, U16, const QByteArray&)"
             << "Allready connected ";
    QMetaObject::invokeMethod(this, "packetToSendHandler", Qt::QueuedConnection, Q_ARG(QByteArray, packet));
}

void TIuSocketIfThread::unregisterIuIf(TAbstractIuIf *client)
{
    QMutexLocker locker(&mutex);
    for (auto it = clients.begin(); it != clients.end();) {
        if (it.value() == client)
            it = clients.erase(it);
        else
            ++it;
    }
}

int TIuSocketIfThread::sendPacket(U16 port, U16 opcode, const QByteArray &data, U16 returnCode)
{
    if (state != 2)
        return IU_NOT_INITIALIZED;
    QByteArray packet;
    {
        QMutexLocker locker(&mutex);
        if (!createPacket(port, opcode, data, packet, returnCode))
            return IU_PAYLOAD_TOO_LONG;
    }
    QMetaObject::invokeMethod(this, "packetToSendHandler", Qt::QueuedConnection, Q_ARG(QByteArray, packet));
    return IU_DONE;
}

int TIuSocketIfThread::sendPacketWait(U16 port, U16 opcode, const QByteArray &data, QSemaphore *semaphore, QByteArray *reply, U16 replyCode)
{
    if (state != 2)
        return IU_NOT_INITIALIZED;
    QByteArray packet;
    {
        QMutexLocker locker(&mutex);
        if (!createPacket(port, opcode, data, packet, 0))
            return IU_PAYLOAD_TOO_LONG;
        if (semaphore)
            waitConditions.append(IuWaitCondition { semaphore, replyCode, reply });
    }
    QMetaObject::invokeMethod(this, "packetToSendHandler", Qt::QueuedConnection, Q_ARG(QByteArray, packet));
    return IU_DONE;
}

bool TIuSocketIfThread::withdrawWait(QSemaphore *semaphore)
{
    QMutexLocker locker(&mutex);
    for (int i = waitConditions.size() - 1; i >= 0; --i) {
        if (waitConditions.at(i).semaphore == semaphore)
            waitConditions.removeAt(i);
    }
    // A reply delivered between the requester's time-out and this call has released it.
    return semaphore->tryAcquire();
}

// Called with the mutex held (or before the thread shares anything).
bool TIuSocketIfThread::createPacket(U16 port, U16 opcode, const QByteArray &data, QByteArray &packet, U16 returnCode)
{
    if (data.size() > IU_MAX_PAYLOAD)
        return false;
    appendU16(packet, U16(data.size()));
    appendU16(packet, 0);
    packet.append(handshakeReply.at(4));
    packet.append(handshakeReply.at(2));
    appendU16(packet, port);
    appendU16(packet, daemonPort);
    appendU16(packet, opcode);
    appendU16(packet, returnCode);
    appendU16(packet, 0);
    packet.append(data);
    return true;
}

bool TIuSocketIfThread::getIoState()
{
    return connected;
}

void TIuSocketIfThread::run()
{
    socket = nullptr;
    state = 0;
    connectSocket();
    exec();
}

int TIuSocketIfThread::connectSocket()
{
    if (address.isEmpty() || port == 0) {
        qWarning() << "Error, socket address or port not set";
        return IU_ADDRESS_NOT_SET;
    }
    if (!socket) {
        socket = new QTcpSocket;
        // The socket is the transport thread's alone; callers on other threads read this copy.
        connect(
            socket.load(), &QAbstractSocket::stateChanged, socket.load(),
            [this](QAbstractSocket::SocketState socketState) { connected = socketState == QAbstractSocket::ConnectedState; },
            Qt::DirectConnection);
    }
    QTcpSocket *s = socket;
    if (s->state() != QAbstractSocket::UnconnectedState)
        return IU_DONE;
    connect(s, SIGNAL(readyRead()), this, SLOT(socketInputHandler()), Qt::UniqueConnection);
    qDebug() << "Connecting socket to:" << address << ", Port:" << port;
    s->connectToHost(address, port, QIODevice::ReadWrite);
    if (!s->waitForConnected(SocketWaitMs)) {
        qWarning() << "Socket error: " << s->error() << s->errorString();
        return IU_TIMEOUT;
    }
    qDebug() << "Socket state: " << s->state();
    if (s->state() == QAbstractSocket::ConnectedState) {
        state = 1;
        QByteArray request;
        appendU16(request, 1);
        appendU16(request, 0);
        s->write(request);
    }
    return IU_DONE;
}

// Waits until count bytes are there, without taking any of them.
int TIuSocketIfThread::readBytes(QIODevice *device, qint64 count)
{
    while (device->bytesAvailable() < count) {
        if (!device->waitForReadyRead(SocketWaitMs)) {
            QAbstractSocket *s = qobject_cast<QAbstractSocket *>(device);
            if (s) {
                qWarning() << "Socket error: " << s->error() << s->errorString() << "Bytes available: " << s->bytesAvailable()
                           << "Socket state: " << s->state();
            } else {
                qWarning() << "Socket error: " << device->errorString() << "Bytes available: " << device->bytesAvailable();
            }
            return IU_TIMEOUT;
        }
    }
    return IU_DONE;
}

void TIuSocketIfThread::socketInputHandler()
{
    QTcpSocket *s = socket;
    if (s)
        readInput(s);
}

void TIuSocketIfThread::readInput(QIODevice *device)
{
    while (state < 2) {
        if (device->bytesAvailable() < IU_HANDSHAKE_REPLY_SIZE)
            return;
        const QByteArray reply = device->read(IU_HANDSHAKE_REPLY_SIZE);
        if (reply.size() != IU_HANDSHAKE_REPLY_SIZE)
            return;
        QList<QByteArray> pending;
        {
            QMutexLocker locker(&mutex);
            handshakeReply = reply;
            if (quint8(reply.at(0)) == 1) {
                qDebug() << "IU connection initialized ";
                state = 2;
                pending = registrations;
            } else {
                qWarning() << "IU connection initialization error " << int(quint8(reply.at(0)));
                state = 0;
            }
        }
        for (const QByteArray &packet : qAsConst(pending))
            writePacket(packet);
    }

    while (state == 2 && device->bytesAvailable() >= IU_HEADER_SIZE) {
        const QByteArray header = device->peek(IU_HEADER_SIZE);
        if (header.size() != IU_HEADER_SIZE)
            return;
        const qint64 total = IU_HEADER_SIZE + readU16(header.constData());
        // An incomplete packet stays in the device whole, so the stream keeps its framing and
        // the packet is completed by the next readyRead().
        if (readBytes(device, total) != IU_DONE)
            return;
        const QByteArray packet = device->read(total);
        if (packet.size() != total)
            return;
        dispatchPacket(header, packet.mid(IU_HEADER_SIZE));
    }
}

void TIuSocketIfThread::dispatchPacket(const QByteArray &header, const QByteArray &payload)
{
    const U16 destination = readU16(header.constData() + 8);
    const U16 eventCode = readU16(header.constData() + 10);
    const U16 returnCode = readU16(header.constData() + 12);
    TAbstractIuIf *client = nullptr;
    {
        QMutexLocker locker(&mutex);
        bool waited = false;
        for (int i = 0; i < waitConditions.size();) {
            const IuWaitCondition &condition = waitConditions.at(i);
            if (condition.replyCode == eventCode) {
                if (condition.reply)
                    *condition.reply = payload;
                condition.semaphore->release();
                waitConditions.removeAt(i);
                waited = true;
            } else {
                ++i;
            }
        }
        if (waited)
            return;
        client = clients.value(destination, nullptr);
        if (!client)
            return;
        // Queued while the mutex is held, so a client being destroyed cannot slip in between.
        QMetaObject::invokeMethod(
            client, "handleEvent", Qt::QueuedConnection, Q_ARG(U16, eventCode), Q_ARG(U16, returnCode), Q_ARG(QByteArray, payload));
    }
}

void TIuSocketIfThread::packetToSendHandler(QByteArray packet)
{
    if (state != 2)
        return;
    writePacket(packet);
}

void TIuSocketIfThread::writePacket(QByteArray packet)
{
    QTcpSocket *s = socket;
    if (!s || packet.size() < IU_HEADER_SIZE)
        return;
    {
        // Packets built before the handshake was accepted carry the link values only now.
        QMutexLocker locker(&mutex);
        packet[4] = handshakeReply.at(4);
        packet[5] = handshakeReply.at(2);
    }
    s->write(packet);
}
