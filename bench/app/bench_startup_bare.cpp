// bench_startup_bare.cpp: the yardstick, a bare Qt Widgets program showing one 800 x 600 window.
#include "first_frame_probe.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    FirstFrameProbe probe(&window);
    window.show();
    return app.exec();
}
