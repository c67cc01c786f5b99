// tst_iu_io_if.cpp: the IO client against the stand-in daemon, moved off the unit's port by setDefaultSocket.
#include "devif_test_support.h"
#include "kvif_iu_io_if.h"

#include <QtTest>

class TestIuIoIf : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        LogCatcher::install();
        QVERIFY(daemon.start());
        TAbstractIuIf::setDefaultSocket(daemon.port, "127.0.0.1");
    }

    void registrationWithDefaults()
    {
        TIuIoIf::getInstance();
        QVERIFY(daemon.waitForLine("packet ") && daemon.lines("handshake ") == QStringList { "handshake 1 01000000" });
        QCOMPARE(daemon.packets(), QStringList { hex("0000 0000 07 05 0300 0100 0006 0000 0000") });
    }

    void events_data()
    {
        QTest::addColumn<int>("eventCode");
        QTest::addColumn<QString>("emitted"); // signal, code in hex, payload in hex

        QTest::newRow("0x601 is a battery event") << 0x601 << "battery 601 c0ffee";
        QTest::newRow("0x608 is a battery event too") << 0x608 << "battery 608 c0ffee";
        QTest::newRow("0x603 is a night-mode event") << 0x603 << "nightMode 603 c0ffee";
        QTest::newRow("0x604 is a distress-button event") << 0x604 << "distress 604 c0ffee";
        QTest::newRow("0x614 is a device-list event") << 0x614 << "deviceList 614 c0ffee";
        QTest::newRow("0x605 is only logged, by its decimal code") << 0x605 << "";
    }

    void events()
    {
        QFETCH(int, eventCode);
        QFETCH(QString, emitted);

        TIuIoIf *io = TIuIoIf::getInstance();
        QStringList seen;
        QObject receiver; // its end disconnects the recorders
        const QStringList names { "battery", "nightMode", "distress", "deviceList" };
        int i = 0;
        for (auto signal : { &TIuIoIf::batteryEvent, &TIuIoIf::nightModeEvent, &TIuIoIf::distressButtonEvent, &TIuIoIf::deviceListEvent })
            connect(io, signal, &receiver, [&seen, name = names.at(i++)](U16 code, const QByteArray &data) {
                seen << QStringLiteral("%1 %2 %3").arg(name).arg(code, 0, 16).arg(QString(data.toHex()));
            });

        daemon.command(QStringLiteral("io %1 c0ffee").arg(eventCode));
        const QString unknown = "TIuIoIf::handleEvent(U16, U16, const QByteArray&) Unkonwn IO event recived:  1541";
        QTRY_VERIFY(emitted.isEmpty() ? LogCatcher::contains(unknown) : !seen.isEmpty());
        QCOMPARE(seen, emitted.isEmpty() ? QStringList() : QStringList { emitted });
    }

private:
    StandInDaemon daemon;
};

QTEST_GUILESS_MAIN(TestIuIoIf)
#include "tst_iu_io_if.moc"
