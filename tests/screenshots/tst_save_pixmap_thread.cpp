// tst_save_pixmap_thread.cpp: where the hot keys put screenshots, what the files hold, that a full
// medium leaves no file behind; and the storage devices they choose from, whose flush helper forces
// data onto removable media only (observed as fsync calls, not taken from its log lines) and
// reports a sync that fails (made to fail by strace) or a path it cannot open.
#include "kvgui_save_pixmap_thread.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// screenshot_child, run in the unit sandbox under strace: what it printed, what it logged and which
// paths it forced onto a medium.
struct ChildRun
{
    int exitCode = -1;
    QStringList output; // standard output, one entry per line
    QString log; // standard error: every Qt message of the child
    QStringList synced; // paths given to fsync or fdatasync, in call order
};

// fail: the fsync or fdatasync calls (1 the first) that fail with EIO.
static ChildRun runChild(const QTemporaryDir &tmp, const QStringList &sandboxArgs, const QStringList &steps, const QString &fail = "")
{
    static int runs = 0;
    const QString trace = tmp.filePath(QString("strace%1.txt").arg(++runs));
    QProcess child;
    QStringList strace { "--headless", "--", "strace", "-f", "-y", "-qq", "-e", "trace=fsync,fdatasync", "-o", trace,
        QCoreApplication::applicationDirPath() + "/screenshot_child" };
    if (!fail.isEmpty())
        strace.insert(3, "-einject=fsync,fdatasync:error=EIO:when=" + fail);
    child.start(qEnvironmentVariable("KV_SANDBOX"), sandboxArgs + strace + steps);
    ChildRun run;
    if (!child.waitForFinished(60000))
        return run; // QProcess kills it on destruction
    run.exitCode = child.exitCode();
    run.output = QString::fromLocal8Bit(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    run.log = QString::fromLocal8Bit(child.readAllStandardError());
    QFile file(trace);
    // "1234  fsync(7</media/usbstick2/screenshots/x.png.part>) = 0"
    static const QRegularExpression call("f(?:data)?sync\\(\\d+<([^>]*)>\\)");
    for (auto it = call.globalMatch(file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString()); it.hasNext();)
        run.synced << it.next().captured(1);
    return run;
}

class TestSavePixmapThread : public QObject
{
    Q_OBJECT

private slots:
    // LeakSanitizer cannot run under ptrace; the sanitizer build still checks everything else.
    void initTestCase() { qputenv("ASAN_OPTIONS", qgetenv("ASAN_OPTIONS") + ":detect_leaks=0"); }
    void hotKeys_data()
    {
        QTest::addColumn<QStringList>("sandbox");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QStringList>("synced");

        QTest::newRow("SD card wins over a stick")
            << QStringList { "--usb", "0", "--sdcard" } << QStringList { "colour" } << "/media/sdcard/screenshots"
            << " 800x600 depth 32 grey 0" << QStringList { "part", "/media/sdcard/screenshots" };
        QTest::newRow("nothing mounted: terminal data area, not forced; grey scale is 400 x 300 in 8 bits")
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
        const QStringList files = run.output.filter(QRegularExpression("^file "));
        QCOMPARE(files.size(), 1);
        const QString shot = QRegularExpression::escape(dir) + "/screenshot_\\d{8}_\\d{6}\\.png";
        QCOMPARE(QString(files.first()).remove(QRegularExpression("^file " + shot)), picture);

        // The picture under its temporary name, then the directory that now names it.
        QCOMPARE(QStringList(run.synced).replaceInStrings(QRegularExpression("^" + shot + "\\.part$"), "part"), synced);
    }
    void fullMediumLeavesNoFileAndNextScreenshotWorks()
    {
        // An SD card of 8 KiB takes the directory but not an 800 x 600 picture; pulling it leaves the stick.
        const ChildRun run = runChild(tmp, { "--cap-add", "CAP_SYS_ADMIN", "--usb", "3", "--media-size", "8192", "--sdcard" },
            { "colour", "pull:/media/sdcard", "colour" });
        QCOMPARE(run.exitCode, 0);
        const int pulled = run.output.indexOf("step pull:/media/sdcard");
        QVERIFY(pulled > 0 && run.output.mid(0, pulled).filter("file ").isEmpty());
        QVERIFY2(run.output.mid(0, pulled).contains("outcome seen"), qPrintable(run.log));
        QVERIFY2(run.log.contains("save failed \"/media/sdcard/screenshots/screenshot_"), qPrintable(run.log));

        const QStringList after = run.output.mid(pulled).filter("file ");
        QVERIFY2(after.size() == 1 && after.first().startsWith("file /media/usbstick3/screenshots/screenshot_")
                && after.first().contains(" 800x600 "),
            qPrintable(after.join('\n')));
    }
    void deletedRightAfterStart()
    {
        // Its event loop ends before the thread object goes, started or not yet running.
        for (int i = 0; i < 20; ++i)
            TSavePixmapThread(nullptr).start();
    }
    void presentDevices()
    {
        const ChildRun run = runChild(tmp, { "--sdcard", "--usb", "5", "--usb", "1", "--usb", "2" }, { "devices" });
        QCOMPARE(run.exitCode, 0);
        const QStringList inTableOrder { "device 0 /appdata/userdata", "device 2 /media/usbstick1", "device 3 /media/usbstick2",
            "device 6 /media/usbstick5", "device 7 /media/sdcard" };
        QCOMPARE(run.output.filter(QRegularExpression("^device ")), inTableOrder);
    }
    void flushToDisk_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("synced");
        QTest::addColumn<QString>("fail"); // the calls made to fail
        QTest::addColumn<bool>("flushed"); // what the flush reports

        QTest::newRow("file on a stick, then its directory")
            << "flush:/media/usbstick2/a/b.txt" << QStringList { "/media/usbstick2/a/b.txt", "/media/usbstick2/a" } << "" << true;
        QTest::newRow("file outside the table left alone") << "flush:outside-the-table.txt" << QStringList() << "" << true;
        QTest::newRow("directory on the SD card, then its parent")
            << "flushpath:/media/sdcard/x/y" << QStringList { "/media/sdcard/x/y", "/media/sdcard/x" } << "" << true;
        QTest::newRow("a failed folder sync fails")
            << "flushpath:/media/sdcard/d" << QStringList { "/media/sdcard/d", "/media/sdcard" } << "2" << false;
        QTest::newRow("file sync fails") << "flush:/media/sdcard/f" << QStringList { "/media/sdcard/f", "/media/sdcard" } << "1" << false;
        QTest::newRow("a path that cannot be opened fails")
            << "flushpath:/media/sdcard/" + QString(300, 'n') << QStringList { "/media/sdcard" } << "" << false;
    }
    void flushToDisk()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, synced);
        QFETCH(QString, fail);
        QFETCH(bool, flushed);
        const ChildRun run = runChild(tmp, { "--usb", "2", "--sdcard" }, { step }, fail);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.output.contains(flushed ? "flushed 1" : "flushed 0"), qPrintable(run.log));
        QCOMPARE(run.synced, synced);
    }

private:
    QTemporaryDir tmp;
};

QTEST_GUILESS_MAIN(TestSavePixmapThread)
#include "tst_save_pixmap_thread.moc"
