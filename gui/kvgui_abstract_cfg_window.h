// kvgui_abstract_cfg_window.h
#pragma once

#include "kvgui_abstract_sub_window.h"

class QLabel;
class QStackedLayout;
class TButtonBar;
class TOption;

// A configuration window: heading, editing area and an OK / Cancel bar. The data is loaded anew before every
// showing (updateData) and stored by OK (storeData); Return presses OK.
class TAbstractCfgWindow : public TAbstractSubWindow
{
    Q_OBJECT
public:
    // With keyboardRoom the window is placed clear of the touch keyboard.
    TAbstractCfgWindow(const QString &heading, bool keyboardRoom);

    QString getHeading() const;
    QFrame *getEditingFrame() const { return pCfgEditingFrame; }
    TButtonBar *getButtonBar() const { return pButtonBar; }
    TOptionButton *getOkButton() const { return pOkButton; }
    TOptionButton *getCancelButton() const { return pCancelButton; }

signals:
    void stored();

protected slots:
    virtual void updateData() = 0;
    virtual void storeData() = 0;

protected:
    QLabel *pCfgHeader; // "pCfgHeader"
    QFrame *pCfgEditingFrame; // "pCfgEditingFrame"; filled by each window
    TButtonBar *pButtonBar;
    TOption *pOkOption;
    TOption *pCancelOption;
    TOptionButton *pOkButton;
    TOptionButton *pCancelButton;
    QStackedLayout *pEditingLayout;
};
