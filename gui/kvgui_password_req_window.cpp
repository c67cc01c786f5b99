// kvgui_password_req_window.cpp
#include "kvgui_password_req_window.h"

#include "kvgui_line_edit.h"
#include "kvgui_message_window.h"

#include <QLabel>
#include <QVBoxLayout>

// The configuration password of the unit, printed in its manual.
static const char *const ConfigurationPassword = "7391";
static const int PasswordMaxLength = 100;

TPasswordReqWindow::TPasswordReqWindow(const QString &heading, const QString &label)
    : TAbstractCfgWindow(heading, true)
{
    setMinimumWidth(300);
    auto *layout = new QVBoxLayout(pCfgEditingFrame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pLabel = new QLabel(label, pCfgEditingFrame);
    pLabel->setObjectName(QStringLiteral("OptionLabel"));
    layout->addWidget(pLabel);

    // No keypad of its own: the view's touch keyboard types into the window's focus widget.
    pPasswordField = new TLineEdit(nullptr, false, pCfgEditingFrame, false);
    pPasswordField->setMaxLength(PasswordMaxLength);
    pPasswordField->setEchoMode(QLineEdit::Password);
    layout->addWidget(pPasswordField);
    // The prompt names the field for assistive tools.
    pLabel->setBuddy(pPasswordField);

    setDefaultFocusWidget(pPasswordField);
}

void TPasswordReqWindow::updateData()
{
    pPasswordField->setText(QString());
}

void TPasswordReqWindow::storeData()
{
    validatePassword();
}

void TPasswordReqWindow::validatePassword()
{
    if (pPasswordField->text() == QLatin1String(ConfigurationPassword)) {
        emit correctPassword();
        close();
        return;
    }
    pPasswordField->setFocus(Qt::OtherFocusReason);
    pPasswordField->setText(QString());
    TMessageWindow::warning(tr("Access denied"), tr("Incorrect password"), pPasswordField);
}
