// main.cpp: process entry of the configuration application.
#include "gui_app.h"
#include "kvgui_style.h"
#include "main_window.h"
#include "translations.h"

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    installTranslations();
    QApplication::setStyle(new TStyle); // the application owns it from here on
    MainWindow mainWindow(nullptr);
    mainWindow.setVisible(true);
    return QApplication::exec();
}
