// select_system_cfg_window.cpp
#include "select_system_cfg_window.h"

#include "kvgui_led_box.h"
#include "kvgui_message_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_password_req_window.h"
#include "system_role.h"

#include <QVBoxLayout>

SelectSystemCfgWindow::SelectSystemCfgWindow(QWidget *parent)
    : TAbstractCfgWindow(tr("Select GMDSS system"), false)
    , storedPrimary(true)
    , passwordAccepted(false)
    , pPasswordWindow(nullptr)
    , storing(false)
{
    // A sub-window is parentless until its view carries it; the argument is kept for callers.
    Q_UNUSED(parent);
    setMinimumWidth(400);
    setUseEscapeClose(false);

    auto *layout = new QVBoxLayout(pCfgEditingFrame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pPrimaryLed = new TLedBox(tr("Primary"), this);
    pDuplicatedLed = new TLedBox(tr("Duplicated"), this);
    for (TLedBox *led : { pPrimaryLed, pDuplicatedLed }) {
        led->setAutoExclusive(true);
        layout->addWidget(led);
        connect(led, SIGNAL(toggled(bool)), this, SLOT(ledClicked(bool)));
    }

    pStoreOption = new TOption(tr("&Store"), QStringLiteral("kvgui_option_ok"), this, SLOT(selectedSystemConfirm(QWidget *)));
    pOkButton->setOption(pStoreOption);
}

void SelectSystemCfgWindow::updateData()
{
    storedPrimary = SystemRole::isPrimary();
    storing = false;
    passwordAccepted = true;
    (storedPrimary ? pPrimaryLed : pDuplicatedLed)->setChecked(true);
    passwordAccepted = false;
}

void SelectSystemCfgWindow::ledClicked(bool checked)
{
    Q_UNUSED(checked);
    // One tap toggles both LEDs; only the first signal asks.
    if (passwordAccepted || pPasswordWindow)
        return;
    pPasswordWindow = new TPasswordReqWindow(TPasswordReqWindow::tr("Password needed"), TPasswordReqWindow::tr("Configuration password"));
    pPasswordWindow->setAttribute(Qt::WA_DeleteOnClose);
    connect(pPasswordWindow, SIGNAL(correctPassword()), this, SLOT(correctPassword()));
    connect(pPasswordWindow, SIGNAL(destroyed()), this, SLOT(closePasswordWindow()));
    pPasswordWindow->showWindow(this);
}

void SelectSystemCfgWindow::correctPassword()
{
    passwordAccepted = true;
}

void SelectSystemCfgWindow::closePasswordWindow()
{
    pPasswordWindow = nullptr;
    if (!passwordAccepted)
        updateData();
}

void SelectSystemCfgWindow::selectedSystemConfirm(QWidget *pFrom)
{
    if (pPrimaryLed->isChecked() == storedPrimary) {
        close();
        return;
    }
    const QString text = pPrimaryLed->isChecked() ? tr("From now on the message terminal will act as part of a primary GMDSS system.")
                                                  : tr("From now on the message terminal will act as part of a duplicated GMDSS system.");
    TMessageWindow::yesNoQuestion(tr("Are you sure?"), text, pFrom, this, SLOT(storeData()), nullptr);
}

void SelectSystemCfgWindow::storeData()
{
    if (storing)
        return;
    storing = true;
    SystemRole::setPrimary(pPrimaryLed->isChecked());
    close();
}
