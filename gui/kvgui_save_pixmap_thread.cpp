// kvgui_save_pixmap_thread.cpp
#include "kvgui_save_pixmap_thread.h"

#include "kvgui_disk_devices.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QVector>

#include <cstdio>

static const char *const SaveFunction = "void TSavePixmapThread::handleSaveImage(QImage, bool)";
static const QSize GrayScaleSize(400, 300);
// For PNG the quality value selects the strongest compression; the files go to small media.
static const int PngQuality = 1;

TSavePixmapThread::TSavePixmapThread(QObject *parent)
    : QThread(parent)
{
    setObjectName("Save pixmap thread");
    moveToThread(this);
}

TSavePixmapThread::~TSavePixmapThread()
{
    quit();
    wait();
}

void TSavePixmapThread::run()
{
    exec();
}

QImage TSavePixmapThread::prepareImage(const QImage &image, bool grayScale)
{
    if (!grayScale)
        return image;
    QVector<QRgb> greys(256);
    for (int i = 0; i < 256; ++i)
        greys[i] = qRgb(i, i, i);
    return image.convertToFormat(QImage::Format_Indexed8, greys)
        .scaled(GrayScaleSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        // Smooth scaling leaves the indexed format; the file keeps the 256-grey palette.
        .convertToFormat(QImage::Format_Indexed8, greys);
}

void TSavePixmapThread::handleSaveImage(QImage image, bool grayScale)
{
    qDebug() << QThread::currentThread()->objectName() << SaveFunction;

    const QList<TDiskDevices::TDevice> devices = TDiskDevices::getDevicesList();
    if (devices.isEmpty())
        return;
    const QString devicePath = devices.last().path;
    const QString dirPath = devicePath + "/screenshots";
    if (!QDir(dirPath).exists() && !QDir(devicePath).mkdir("screenshots"))
        return;

    const QString fileName = dirPath + "/screenshot" + QDateTime::currentDateTime().toString("_yyyyMMdd_hhmmss") + ".png";
    qDebug() << SaveFunction << fileName;

    // Written under a temporary name and renamed only when complete, so a full or pulled medium
    // never leaves a truncated picture under a screenshot's name.
    const QString partName = fileName + ".part";
    QFile file(partName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qDebug() << "open failed";
        return;
    }
    bool written = prepareImage(image, grayScale).save(&file, "PNG", PngQuality);
    written = file.flush() && written;
    written = TDiskDevices::flushToDisk(&file, false) && written;
    file.close();
    written = file.error() == QFileDevice::NoError && written;
    if (!written || std::rename(QFile::encodeName(partName).constData(), QFile::encodeName(fileName).constData()) != 0) {
        QFile::remove(partName);
        qWarning() << SaveFunction << "save failed" << fileName;
        return;
    }
    TDiskDevices::flushToDisk(dirPath, false);
    qDebug() << "save completed";
}
