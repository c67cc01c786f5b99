// tst_save_pixmap_thread.cpp: where the hot keys put screenshots, what the files hold, that a full
// medium leaves no file behind; and the storage devices they choose from, whose flush helper forces
// data onto removable media only (observed as fsync calls, not taken from its log lines).
#include "kvgui_save_pixmap_thread.h"
#include "screenshot_test_support.h"

class TestSavePixmapThread : public QObject
{
    Q_OBJECT

private slots:
    void hotKeys_data()
    {
        QTest::addColumn<QStringList>("sandbox");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QStringList>("synced");

        const QString colour = " 800x600 depth 32 grey 0";
        QTest::newRow("stick alone takes it, forced onto the stick")
            << QStringList { "--usb", "2" } << QStringList { "colour" } << "/media/usbstick2/screenshots" << colour
            << QStringList { "part", "/media/usbstick2/screenshots" };
        QTest::newRow("nothing mounted: terminal data area, not forced")
            << QStringList() << QStringList { "colour" } << "/appdata/userdata/screenshots" << colour << QStringList();
        QTest::newRow("SD card wins over a stick")
            << QStringList { "--usb", "0", "--sdcard" } << QStringList { "colour" } << "/media/sdcard/screenshots" << colour
            << QStringList { "part", "/media/sdcard/screenshots" };
        QTest::newRow("grey scale is 400 x 300 with 256 greys")
            << QStringList() << QStringList { "grey" } << "/appdata/userdata/screenshots"
            << " 400x300 depth 8 grey 1" << QStringList();
    }
    void hotKeys()
    {
        QFETCH(QStringList, sandbox);
        QFETCH(QStringList, steps);
        QFETCH(QString, dir);
        QFETCH(QString, picture);
        QFETCH(QStringList, synced);

        const ChildRun run = runChild(tmp, sandbox, steps);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.output.contains("outcome seen"), qPrintable(run.log));
        const QStringList files = run.files();
        QCOMPARE(files.size(), 1);
        const QRegularExpression name("^file " + QRegularExpression::escape(dir) + "/screenshot_\\d{8}_\\d{6}\\.png(.*)$");
        const auto match = name.match(files.first());
        QVERIFY2(match.hasMatch(), qPrintable(files.first()));
        QCOMPARE(match.captured(1), picture);
        QCOMPARE(run.log.count("save completed"), 1);

        // The picture under its temporary name, then the directory that now names it.
        QCOMPARE(run.synced.size(), synced.size());
        for (int i = 0; i < synced.size(); ++i) {
            if (synced.at(i) == "part")
                QVERIFY2(run.synced.at(i).startsWith(dir + "/screenshot_") && run.synced.at(i).endsWith(".png.part"),
                    qPrintable(run.synced.at(i)));
            else
                QCOMPARE(run.synced.at(i), synced.at(i));
        }
    }
    void fullMediumLeavesNoFileAndNextScreenshotWorks()
    {
        // An SD card of 8 KiB takes the directory but not an 800 x 600 picture; pulling it leaves the stick.
        const ChildRun run = runChild(tmp, { "--cap-add", "CAP_SYS_ADMIN", "--usb", "3", "--media-size", "8192", "--sdcard" },
            { "colour", "pull:/media/sdcard", "colour" });
        QCOMPARE(run.exitCode, 0);
        const int pulled = run.output.indexOf("step pull:/media/sdcard");
        QVERIFY(pulled > 0);
        QCOMPARE(run.output.mid(0, pulled).filter("file ").size(), 0);
        QVERIFY2(run.output.mid(0, pulled).contains("outcome seen"), qPrintable(run.log));
        QVERIFY2(
            run.log.contains(QRegularExpression("handleSaveImage\\(QImage, bool\\) save failed \"/media/sdcard/screenshots/screenshot_")),
            qPrintable(run.log));
        QVERIFY(run.output.contains("pulled 1"));

        const QStringList after = run.output.mid(pulled).filter("file ");
        QCOMPARE(after.size(), 1);
        QVERIFY2(after.first().startsWith("file /media/usbstick3/screenshots/screenshot_") && after.first().contains(" 800x600 "),
            qPrintable(after.first()));
        QCOMPARE(run.log.count("save completed"), 1);
    }
    // The grey picture's palette runs from black to white, so each index is its own brightness.
    void greyPalette()
    {
        QImage screen(800, 600, QImage::Format_RGB32);
        screen.fill(QColor(200, 40, 40));
        const QImage grey = TSavePixmapThread::prepareImage(screen, true);
        QCOMPARE(grey.colorCount(), 256);
        for (int i = 0; i < 256; ++i)
            QCOMPARE(grey.color(i), qRgb(i, i, i));
    }
    void deletedRightAfterStart()
    {
        // Its event loop ends before the thread object goes, started or not yet running.
        for (int i = 0; i < 20; ++i) {
            TSavePixmapThread thread(nullptr);
            thread.start();
        }
    }
    void presentDevices_data()
    {
        QTest::addColumn<QStringList>("sandbox");
        QTest::addColumn<QStringList>("devices");

        QTest::newRow("nothing mounted: the data area with userdata made") << QStringList() << QStringList { "device 0 /appdata/userdata" };
        QTest::newRow("mounted media in table order") << QStringList { "--sdcard", "--usb", "5", "--usb", "1" }
                                                      << QStringList { "device 0 /appdata/userdata", "device 2 /media/usbstick1",
                                                             "device 6 /media/usbstick5", "device 7 /media/sdcard" };
    }
    void presentDevices()
    {
        QFETCH(QStringList, sandbox);
        QFETCH(QStringList, devices);
        const ChildRun run = runChild(tmp, sandbox, { "devices" });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output.filter(QRegularExpression("^device ")), devices);
    }
    void flushToDisk_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("synced");

        QTest::newRow("file on a stick, then its directory")
            << "flush:/media/usbstick2/a/b.txt" << QStringList { "/media/usbstick2/a/b.txt", "/media/usbstick2/a" };
        QTest::newRow("file in the terminal's data area left alone") << "flush:/appdata/userdata/b.txt" << QStringList();
        QTest::newRow("file outside the table left alone") << "flush:outside-the-table.txt" << QStringList();
        QTest::newRow("directory on the SD card, then its parent")
            << "flushpath:/media/sdcard/x/y" << QStringList { "/media/sdcard/x/y", "/media/sdcard/x" };
        QTest::newRow("directory in the data area left alone") << "flushpath:/appdata/userdata/y" << QStringList();
    }
    void flushToDisk()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, synced);
        const ChildRun run = runChild(tmp, { "--usb", "2", "--sdcard" }, { step });
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.output.contains("flushed 1"), qPrintable(run.log));
        QCOMPARE(run.synced, synced);
    }

private:
    QTemporaryDir tmp;
};

QTEST_GUILESS_MAIN(TestSavePixmapThread)
#include "tst_save_pixmap_thread.moc"
