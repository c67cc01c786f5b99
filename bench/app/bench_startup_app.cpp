// bench_startup_app.cpp: the application's own start-up sequence, ended at its first frame.
#include "first_frame_probe.h"
#include "gui_app.h"
#include "kvgui_style.h"
#include "main_window.h"

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    QApplication::setStyle(new TStyle);
    MainWindow mainWindow(nullptr);
    FirstFrameProbe probe(&mainWindow);
    mainWindow.setVisible(true);
    return QApplication::exec();
}
