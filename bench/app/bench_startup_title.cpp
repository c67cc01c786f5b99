// bench_startup_title.cpp: the floor that also draws the application's first frame, the title bar
// with its four texts in their fonts, straight onto one bare window: no style sheet, no widget
// tree, no screen behind it. No program that shows that frame can start much faster; the distance
// from here to the application is what its framework costs.
#include "first_frame_probe.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTime>

#include <dlfcn.h>
#include <thread>

namespace {

QFont titleFont(const char *family, int pixelSize)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Colours, fonts and places as the day sheet and the main window give them.
class TitleOnly : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xdf, 0xe6, 0xed));
        QLinearGradient gradient(0, 0, 0, 68);
        gradient.setColorAt(0, QColor(0x24, 0x47, 0x6f));
        gradient.setColorAt(1, QColor(0x15, 0x2c, 0x47));
        painter.fillRect(0, 0, 800, 68, gradient);
        painter.fillRect(0, 68, 800, 3, QColor(0x3f, 0x8f, 0xd8));
        painter.setPen(Qt::white);
        painter.setFont(titleFont("Droid Sans Mono", 22));
        painter.drawText(QRect(1, 0, 94, 34), Qt::AlignHCenter | Qt::AlignBottom, QTime::currentTime().toString(QStringLiteral("hh:mm")));
        painter.drawText(QRect(1, 34, 94, 34), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("UTC"));
        painter.setFont(titleFont("Droid Sans", 14));
        painter.setPen(QColor(0xa9, 0xc3, 0xdf));
        painter.drawText(QRect(101, 0, 699, 29), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("KESTRA 4417 MESSAGE TERMINAL"));
        painter.setFont(titleFont("Droid Sans", 27));
        painter.setPen(Qt::white);
        painter.drawText(QRect(116, 25, 684, 51), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("CONFIGURATION"));
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    // The font configuration is read beside the connection to the display, as the application does.
    std::thread fonts;
    if (void *fontconfig = dlopen("libfontconfig.so.1", RTLD_LAZY | RTLD_GLOBAL)) {
        if (auto fcInit = reinterpret_cast<int (*)()>(dlsym(fontconfig, "FcInit")))
            fonts = std::thread(fcInit);
    }
    QApplication app(argc, argv);
    if (fonts.joinable())
        fonts.join();
    TitleOnly window;
    window.resize(800, 600);
    FirstFrameProbe probe(&window);
    window.show();
    return app.exec();
}
