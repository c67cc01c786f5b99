// kvif_abstract_iu_if.cpp
#include "kvif_abstract_iu_if.h"

#include <QDebug>
#include <QSemaphore>
#include <QThread>

QString TAbstractIuIf::defaultSocketIp = QStringLiteral("127.0.0.1");
U16 TAbstractIuIf::defaultSocketPort = 1;

namespace {

const int ReplyWaitMs = 60000;

} // namespace

TAbstractIuIf::TAbstractIuIf(QObject *parent)
    : QObject(parent)
    , transport(nullptr)
    , port(0)
{ }

TAbstractIuIf::~TAbstractIuIf()
{
    if (transport)
        transport->unregisterIuIf(this);
}

void TAbstractIuIf::setDefaultSocket(U16 port, const QString &ip)
{
    defaultSocketPort = port;
    defaultSocketIp = ip;
}

void TAbstractIuIf::iuRegister(U16 port, U16 opcode, const QByteArray &data, const QString &address, U16 socketPort)
{
    const QString ip = address.isEmpty() ? defaultSocketIp : address;
    const U16 tcpPort = socketPort == 0 ? defaultSocketPort : socketPort;
    transport = TIuSocketIfThread::getIuSocketIfThread(ip, tcpPort);
    this->port = port;
    transport->registerIuIf(this, port, opcode, data);
}

void TAbstractIuIf::sendPacket(U16 opcode, const QByteArray &data, U16 returnCode)
{
    qDebug() << "entered "
             << "void TAbstractIuIf::sendPacket(U16, const QByteArray&, U16)";
    if (transport)
        transport->sendPacket(port, opcode, data, returnCode);
    qDebug() << "void TAbstractIuIf::sendPacket(U16, const QByteArray&, U16)"
             << "port:" << port << " opcode:" << opcode << " return code:" << returnCode << " data size:" << data.size();
}

int TAbstractIuIf::sendPacketWait(U16 opcode, const QByteArray &data, U16 replyCode, QByteArray *reply)
{
    if (!transport)
        return TIuSocketIfThread::IU_NOT_INITIALIZED;
    QSemaphore semaphore(0);
    const int result = transport->sendPacketWait(port, opcode, data, &semaphore, reply, replyCode);
    if (result != TIuSocketIfThread::IU_DONE)
        return result;
    if (semaphore.tryAcquire(1, ReplyWaitMs))
        return TIuSocketIfThread::IU_DONE;
    // The wait condition must be gone before the semaphore is.
    return transport->withdrawWait(&semaphore) ? TIuSocketIfThread::IU_DONE : TIuSocketIfThread::IU_TIMEOUT;
}

void TAbstractIuIf::handleEvent(U16 eventCode, U16 returnCode, const QByteArray &data)
{
    Q_UNUSED(eventCode);
    Q_UNUSED(returnCode);
    Q_UNUSED(data);
    qDebug() << "virtual void TAbstractIuIf::handleEvent(U16, U16, const QByteArray&)" << QThread::currentThread()->objectName();
}
