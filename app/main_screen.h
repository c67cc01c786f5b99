// main_screen.h
#pragma once

#include "kvgui_screen.h"

// The configuration menu: three large option buttons in the middle of the screen.
class MainScreen : public TScreen
{
    Q_OBJECT
public:
    explicit MainScreen(QWidget *parent);

private slots:
    void handleSystemSelection(QWidget *pEmitedBy);
    void handleTouchCalibration();
    void handleNormalOperation();
};
