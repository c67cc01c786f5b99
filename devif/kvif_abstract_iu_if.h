// kvif_abstract_iu_if.h
#pragma once

#include "kvif_iu_socket_if_thread.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// Base of every client of the interface-unit daemon: registers once under a port of its own
// and receives the daemon's packets for that port through handleEvent, in its own thread.
class TAbstractIuIf : public QObject
{
    Q_OBJECT
public:
    explicit TAbstractIuIf(QObject *parent);
    ~TAbstractIuIf() override;

    static void setDefaultSocket(U16 port, const QString &ip);

    void iuRegister(U16 port, U16 opcode, const QByteArray &data, const QString &address, U16 socketPort);
    void sendPacket(U16 opcode, const QByteArray &data, U16 returnCode = 0);
    // Blocks the calling thread until the reply arrives, at most 60 s, and only when the request
    // was sent. Returns the transport's result, or IU_TIMEOUT when no reply came in time.
    int sendPacketWait(U16 opcode, const QByteArray &data, U16 replyCode, QByteArray *reply);

    static QString defaultSocketIp;
    static U16 defaultSocketPort;

private slots:
    virtual void handleEvent(U16 eventCode, U16 returnCode, const QByteArray &data);

private:
    TIuSocketIfThread *transport; // not owned; null until iuRegister
    U16 port;
};
