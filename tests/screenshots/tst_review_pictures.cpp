// tst_review_pictures.cpp: the review pictures of scripts/screenshots, taken anew in the unit sandbox
// on a private X server, against the references in tests/screenshots/reference. Only the clock of
// the title area may differ. A difference is reported by the rectangle and count of the differing
// pixels; the new picture and a diff image (differing pixels red over the dimmed reference) are
// kept in BUILD/picture-diffs. After an intended change of the look: scripts/screenshots --renew.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The minutes and hours of the title area's clock; "UTC" below it stays.
static const QRect Clock(0, 0, 100, 34);

// Blending rounds a level apart on some processors' vector paths (seen on one gradient pixel); two
// levels of any channel are no change of the look.
static bool apart(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) > 2 || qAbs(qGreen(a) - qGreen(b)) > 2 || qAbs(qBlue(a) - qBlue(b)) > 2;
}

class TestReviewPictures : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;
    const QString build = qEnvironmentVariable("KV_BUILD_DIR");

private slots:
    void initTestCase()
    {
#ifdef Q_PROCESSOR_X86_32
        // Debian's i386 Qt blends edges, shadows and gradients through its generic code, one or two
        // levels off the x86-64 pictures, and tools/paint-images paints the images of res/ with it
        // (an LED's highlight differs by up to 224 levels): the references are x86-64 pictures.
        QSKIP("the references are pictures of the x86-64 build");
#endif
        QVERIFY(tmp.isValid());
        QCOMPARE(
            QProcess::execute(build + "/tools/settings/provision-settings", { "--appdata", tmp.filePath("appdata"), "--is-primary", "1" }),
            0);
        QProcess shots;
        shots.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        shots.start(qEnvironmentVariable("KV_SANDBOX"),
            { "--xvfb", "--unshare-net", "--appdata", tmp.filePath("appdata"), "--", build + "/tools/screenshots/make_screenshots",
                tmp.path() });
        QVERIFY(shots.waitForFinished(240000));
        QVERIFY2(shots.exitCode() == 0, shots.readAllStandardOutput().constData());
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        // Qt 6 draws text, shadows and gradients a few levels apart and some text a pixel higher.
        const QDir references(
            qEnvironmentVariable("KV_SOURCE_DIR") + "/tests/screenshots/reference" + (QT_VERSION_MAJOR == 6 ? "/qt6" : ""));
        QVERIFY(!references.entryList({ "*.png" }).isEmpty());
        for (const QString &name : references.entryList({ "*.png" }))
            QTest::newRow(qPrintable(name.chopped(4))) << references.filePath(name);
    }
    void pictures()
    {
        QFETCH(QString, name);
        const QImage expected = QImage(name).convertToFormat(QImage::Format_RGB32);
        const QImage shown = QImage(tmp.filePath(QFileInfo(name).fileName())).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), expected.size());
        QImage diff = expected;
        QRect where;
        int count = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb e = expected.pixel(x, y);
                diff.setPixel(x, y, qRgb(qRed(e) / 3, qGreen(e) / 3, qBlue(e) / 3));
                if (apart(shown.pixel(x, y), e) && !Clock.contains(x, y)) {
                    diff.setPixel(x, y, qRgb(255, 0, 0));
                    where |= QRect(x, y, 1, 1);
                    ++count;
                }
            }
        }
        if (count == 0)
            return;
        const QDir out(build + "/picture-diffs");
        out.mkpath(".");
        shown.save(out.filePath(QFileInfo(name).fileName()));
        diff.save(out.filePath(QFileInfo(name).baseName() + "_diff.png"));
        QFAIL(qPrintable(QString::asprintf("%d pixels differ within %d,%d %d x %d; see %s", count, where.x(), where.y(), where.width(),
            where.height(), qPrintable(out.path()))));
    }
};

QTEST_GUILESS_MAIN(TestReviewPictures)
#include "tst_review_pictures.moc"
