// kvgui_password_req_window.h
#pragma once

#include "kvgui_abstract_cfg_window.h"

class QLabel;
class TLineEdit;

// Asks for the configuration password before a protected change goes on. The window's view shows the
// touch keyboard with it; a right password emits correctPassword() once and closes the window, a wrong one
// is refused with a warning and the field is cleared for the next try.
class TPasswordReqWindow : public TAbstractCfgWindow
{
    Q_OBJECT
public:
    TPasswordReqWindow(const QString &heading, const QString &label);

    TLineEdit *getPasswordField() const { return pPasswordField; }

signals:
    void correctPassword();

protected slots:
    void updateData() override;
    void storeData() override;
    virtual void validatePassword();

private:
    QLabel *pLabel; // "OptionLabel", in the editing frame
    TLineEdit *pPasswordField; // in the editing frame; the default focus widget
};
