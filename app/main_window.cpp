// main_window.cpp
#include "main_window.h"

#include "kvgui_elide_label.h"
#include "main_screen.h"

MainWindow::MainWindow(QWidget *parent)
    : TMainWindow(parent, QStringLiteral("abstractMainForm"), true)
{
    // The configuration headings are wider than the framework's default places for them.
    getPageLabel()->setGeometry(15, 25, 685, 51);
    getScreenLabel()->setGeometry(0, 0, 700, 29);

    MainScreen *screen = new MainScreen(this);
    screen->hide();
    showNewScreen(screen);
}
