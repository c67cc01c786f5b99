// kvgui_save_pixmap_thread.h
#pragma once

#include <QImage>
#include <QThread>

// Writes screenshots as PNG files into "screenshots" on the last present storage device, on its own
// thread and event loop, so the screen never waits for the medium. The object lives in the thread it
// runs; requests arrive as queued calls of handleSaveImage() and are handled in order.
class TSavePixmapThread : public QThread
{
    Q_OBJECT
public:
    explicit TSavePixmapThread(QObject *parent);
    ~TSavePixmapThread() override;

    // The picture as it goes into the file: grey scale is 8-bit with 256 greys at 400 x 300.
    static QImage prepareImage(const QImage &image, bool grayScale);

protected:
    void run() override;

private slots:
    void handleSaveImage(QImage image, bool grayScale);
};
