// main_window.h
#pragma once

#include "kvgui_main_window.h"

// The configuration application's main window: the framework's main window with its title area,
// showing the configuration menu screen for the whole run.
class MainWindow : public TMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent);
};
