// main_screen.cpp
#include "main_screen.h"

#include "select_system_cfg_window.h"

#include "kvgui_option.h"
#include "kvgui_option_button.h"

#include <QApplication>
#include <QDebug>
#include <QProcess>
#include <QVBoxLayout>

MainScreen::MainScreen(QWidget *parent)
    : TScreen(tr("KESTRA 4417 MESSAGE TERMINAL"), tr("CONFIGURATION"), parent)
{
    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(200, 0, 200, 50);
    layout->setSpacing(0);
    layout->addStretch();

    struct Entry
    {
        QString text;
        const char *slot;
    };
    const Entry entries[] = {
        { tr("&Select GMDSS system"), SLOT(handleSystemSelection(QWidget *)) },
        { tr("&Calibrate touch screen"), SLOT(handleTouchCalibration()) },
        { tr("&Exit configuration"), SLOT(handleNormalOperation()) },
    };
    for (const Entry &entry : entries) {
        TOption *option = new TOption(entry.text, this, entry.slot);
        TOptionButton *button = new TOptionButton(option, nullptr, TOptionButton::StandardButton);
        button->setFixedWidth(400);
        layout->addWidget(button);
    }
    layout->addStretch();
}

void MainScreen::handleSystemSelection(QWidget *pEmitedBy)
{
    // A new window on every press; one still open stays where it is in the stack.
    SelectSystemCfgWindow *window = new SelectSystemCfgWindow(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showWindow(pEmitedBy);
}

void MainScreen::handleTouchCalibration()
{
    qDebug() << "void MainScreen::handleTouchCalibration()";
    // Never waited for; the process object lives as long as the screen.
    QProcess *calibrator = new QProcess(this);
    calibrator->start(QStringLiteral("/bin/calibrator"), { QStringLiteral("-r") }, QIODevice::ReadWrite);
}

void MainScreen::handleNormalOperation()
{
    qDebug() << "void MainScreen::handleNormalOperation()";
    QApplication::closeAllWindows();
}
