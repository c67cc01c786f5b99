// screenshot_child.cpp: runs in the unit sandbox for the screenshot tests. Each argument is one
// step; after every step the screenshot directories are listed on standard output.
//   colour | grey      a screenshot of the main window, as its hot keys take it; waits until the
//                      picture is handled (the keys themselves are pressed in tst_kestra_config)
//   pull:MOUNT         unmounts a medium, as when the stick is pulled (needs CAP_SYS_ADMIN)
//   flush:PATH         writes PATH and forces it with the file form of the flush helper, directory too
//   flushpath:PATH     the path form of the flush helper on PATH, parent directory too
//   devices            prints the present devices
#include "kvgui_disk_devices.h"
#include "kvgui_main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QLabel>
#include <QRandomGenerator>
#include <QTextStream>

#include <atomic>
#include <cstdio>
#include <sys/mount.h>

static std::atomic<int> outcomes(0);

// Every picture request ends in exactly one of these lines of the save thread.
static void countOutcomes(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    if (msg.endsWith("save completed") || msg.contains("save failed") || msg.endsWith("open failed"))
        ++outcomes;
    fprintf(stderr, "%s\n", qPrintable(msg));
}

static void listScreenshots(QTextStream &out)
{
    QStringList dirs { "/appdata/userdata/screenshots" };
    for (const QString &media : QDir("/media").entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        dirs << "/media/" + media + "/screenshots";
    for (const QString &dir : dirs) {
        for (const QFileInfo &file : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden)) {
            out << "file " << file.absoluteFilePath();
            QImageReader reader(file.absoluteFilePath());
            const QImage image = reader.read();
            if (!image.isNull())
                out << " " << image.width() << "x" << image.height() << " depth " << image.depth() << " grey " << image.allGray();
            out << "\n";
        }
    }
}

int main(int argc, char **argv)
{
    qInstallMessageHandler(countOutcomes);
    QApplication app(argc, argv);
    QTextStream out(stdout);
    TMainWindow mainWindow(nullptr, "MainWindow", true);
    // Noise that PNG cannot compress, so a picture takes more than a few kilobytes, as a real one does.
    QImage noise(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, QRandomGenerator::global()->generate());
    QLabel picture(&mainWindow);
    picture.setPixmap(QPixmap::fromImage(noise));
    picture.setGeometry(250, 150, 300, 300);
    mainWindow.show();

    for (const QString &step : app.arguments().mid(1)) {
        out << "step " << step << "\n";
        if (step == "colour" || step == "grey") {
            const int before = outcomes;
            mainWindow.savePixmap(mainWindow.grab(), step == "grey");
            QElapsedTimer waited;
            waited.start();
            while (outcomes == before && waited.elapsed() < 20000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            out << (outcomes == before ? "outcome none\n" : "outcome seen\n");
        } else if (step.startsWith("pull:")) {
            out << "pulled " << (umount2(QFile::encodeName(step.mid(5)).constData(), MNT_DETACH) == 0) << "\n";
        } else if (step.startsWith("flush:")) {
            QFile file(step.mid(6));
            QDir().mkpath(QFileInfo(file).absolutePath());
            const bool ok = file.open(QIODevice::WriteOnly) && file.write("data") == 4;
            out << "flushed " << (ok && TDiskDevices::flushToDisk(&file, true)) << "\n";
        } else if (step.startsWith("flushpath:")) {
            QDir().mkpath(step.mid(10));
            out << "flushed " << TDiskDevices::flushToDisk(step.mid(10), true) << "\n";
        } else if (step == "devices") {
            for (const TDiskDevices::TDevice &device : TDiskDevices::getDevicesList())
                out << "device " << device.id << " " << device.path << "\n";
        }
        listScreenshots(out);
        out.flush();
    }
    return 0;
}
