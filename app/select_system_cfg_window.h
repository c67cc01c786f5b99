// select_system_cfg_window.h
#pragma once

#include "kvgui_abstract_cfg_window.h"

class TLedBox;
class TOption;
class TPasswordReqWindow;

// Chooses whether the terminal is part of a primary or of a duplicated GMDSS system. The first change of
// a showing asks for the configuration password; Store asks for confirmation and stores the role through
// the system configuration.
class SelectSystemCfgWindow : public TAbstractCfgWindow
{
    Q_OBJECT
public:
    explicit SelectSystemCfgWindow(QWidget *parent = nullptr);

    TLedBox *getPrimaryLed() const { return pPrimaryLed; }
    TLedBox *getDuplicatedLed() const { return pDuplicatedLed; }

private slots:
    void selectedSystemConfirm(QWidget *pFrom);
    void updateData() override;
    void storeData() override;
    void ledClicked(bool checked);
    void correctPassword();
    void closePasswordWindow();

private:
    TLedBox *pPrimaryLed; // "Primary"
    TLedBox *pDuplicatedLed; // "Duplicated"
    TOption *pStoreOption; // on the OK button
    bool storedPrimary; // as read when the data was last loaded
    bool passwordAccepted; // the LEDs may change without asking
    TPasswordReqWindow *pPasswordWindow; // the open request; deleted on close, null when none
    bool storing; // Yes was taken; a second touch of it must not store again
};
