// select_system_cfg_window.cpp
#include "select_system_cfg_window.h"

#include "kvgui_led_box.h"
#include "kvgui_message_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_password_req_window.h"
#include "kvif_system_cfg_if.h"

#include <QVBoxLayout>

#include <dlfcn.h>
#include <type_traits>

namespace {

// The system configuration lives in the device interface library, which brings QtNetwork, QtSql and
// their dependencies (Kerberos among them): over a megabyte that the menu never needs. The program is
// linked without it and loads it when the stored role is first asked for; the library's own start-up
// (its device-type table) runs then. Found by the program's run path, as at link time.
struct SystemCfgCalls
{
    SystemCfgIf *(*getSystemCfgIf)();
    bool (*isPrimary)(SystemCfgIf *);
    void (*setPrimary)(SystemCfgIf *, bool);
};

// The symbol names below are these declarations' (Itanium C++ ABI, where a member function takes
// its object as the first argument).
static_assert(std::is_same<decltype(&SystemCfgIf::getSystemCfgIf), SystemCfgIf *(*)()>::value, "getSystemCfgIf changed");
static_assert(std::is_same<decltype(&SystemCfgIf::isPrimary), bool (SystemCfgIf::*)()>::value, "isPrimary changed");
static_assert(std::is_same<decltype(&SystemCfgIf::setPrimary), void (SystemCfgIf::*)(bool)>::value, "setPrimary changed");

template<typename Function> Function symbol(void *library, const char *name)
{
    void *address = dlsym(library, name);
    if (!address)
        qFatal("%s", dlerror());
    return reinterpret_cast<Function>(address);
}

const SystemCfgCalls &systemCfg()
{
    static const SystemCfgCalls calls = [] {
        void *library = dlopen("libkvif.so.1", RTLD_NOW);
        if (!library)
            qFatal("%s", dlerror());
        return SystemCfgCalls { symbol<SystemCfgIf *(*)()>(library, "_ZN11SystemCfgIf14getSystemCfgIfEv"),
            symbol<bool (*)(SystemCfgIf *)>(library, "_ZN11SystemCfgIf9isPrimaryEv"),
            symbol<void (*)(SystemCfgIf *, bool)>(library, "_ZN11SystemCfgIf10setPrimaryEb") };
    }();
    return calls;
}

} // namespace

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
    storedPrimary = systemCfg().isPrimary(systemCfg().getSystemCfgIf());
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
    systemCfg().setPrimary(systemCfg().getSystemCfgIf(), pPrimaryLed->isChecked());
    close();
}
