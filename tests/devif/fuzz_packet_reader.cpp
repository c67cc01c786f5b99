// fuzz_packet_reader.cpp: byte streams from a daemon, handshake reply included.
#include "kvif_abstract_iu_if.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

class CountingClient : public TAbstractIuIf
{
public:
    CountingClient()
        : TAbstractIuIf(nullptr)
    { }
    void handleEvent(U16, U16, const QByteArray &data) override
    {
        if (data.size() > 0xffff)
            __builtin_trap();
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler(quiet);
    qRegisterMetaType<U16>("U16");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A transport that is never started: its reader is fed from a buffer instead of a socket.
    TIuSocketIfThread transport(QStringLiteral("127.0.0.1"), 1, 1);
    CountingClient client;
    transport.registerIuIf(&client, 3, 0x600, QByteArray());
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // Fed in two parts, as two reads from the socket would deliver it.
    const qint64 split = size > 0 ? data[0] % (size + 1) : 0;
    QByteArray first = bytes.left(int(split));
    QBuffer part(&first);
    part.open(QIODevice::ReadOnly);
    transport.readInput(&part);
    buffer.seek(part.pos());
    transport.readInput(&buffer);
    if (buffer.pos() > buffer.size())
        __builtin_trap();
    QCoreApplication::sendPostedEvents();
    transport.unregisterIuIf(&client);
    return 0;
}
