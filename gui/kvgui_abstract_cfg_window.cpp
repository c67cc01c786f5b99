// kvgui_abstract_cfg_window.cpp
#include "kvgui_abstract_cfg_window.h"

#include "kvgui_button_bar.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"

#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

TAbstractCfgWindow::TAbstractCfgWindow(const QString &heading, bool keyboardRoom)
    : TAbstractSubWindow(GrowFromPoint, keyboardRoom ? KeyboardRoom : 0)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    pCfgHeader = new QLabel(heading, this);
    pCfgHeader->setObjectName(QStringLiteral("pCfgHeader"));
    pCfgHeader->setWordWrap(true);
    pCfgHeader->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    pCfgHeader->setAlignment(Qt::AlignCenter);
    layout->addWidget(pCfgHeader);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("horizontalLineCenter"));
    line->setFixedHeight(5);
    layout->addWidget(line);

    pEditingLayout = new QStackedLayout();
    pEditingLayout->setContentsMargins(0, 0, 0, 0);
    pCfgEditingFrame = new QFrame(this);
    pCfgEditingFrame->setObjectName(QStringLiteral("pCfgEditingFrame"));
    pCfgEditingFrame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    pEditingLayout->addWidget(pCfgEditingFrame);
    layout->addLayout(pEditingLayout);

    pButtonBar = new TButtonBar(this, false);
    layout->addWidget(pButtonBar);

    pOkOption = new TOption(tr("&OK"), QStringLiteral("kvgui_option_ok"), this, SLOT(storeData()));
    pCancelOption = new TOption(tr("&Cancel"), QStringLiteral("kvgui_option_cancel"), this, SLOT(close()));
    pOkButton = pButtonBar->addNewOptionButton(pOkOption, 0, Qt::AlignCenter);
    pCancelButton = pButtonBar->addNewOptionButton(pCancelOption, 0, Qt::AlignCenter);
    setDefaultOptionButton(pOkButton);

    connect(this, SIGNAL(aboutToShow()), this, SLOT(updateData()));
}

QString TAbstractCfgWindow::getHeading() const
{
    return pCfgHeader->text();
}
