// bench_startup_bare.cpp: the yardstick, a bare Qt Widgets program showing one 800 x 600 window.
#include "first_frame_probe.h"

#include <QApplication>

int main(int argc, char **argv)
{
#ifdef KV_BARE_RASTER
    // The same window without the GL driver, as the application starts: what is left is the
    // application's own start-up cost.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
#endif
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    FirstFrameProbe probe(&window);
    window.show();
    return app.exec();
}
