// kvgui_button_bar.cpp
#include "kvgui_button_bar.h"

#include "kvgui_icon_widget.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_icon_button.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>

namespace {
const int BarHeight = 58;
const int UnlimitedWidth = 10000;
} // namespace

TButtonBar::TButtonBar(QWidget *parent, bool canMinimize)
    : QFrame(parent)
    , outerLayout(new QHBoxLayout(this))
    , optionFrame(this)
    , buttonLayout(outerLayout)
    , toolsButton(nullptr)
    , closeToolsButton(nullptr)
    , minimized(false)
{
    outerLayout->setContentsMargins(0, 0, 0, 0);
    outerLayout->setSpacing(0);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);

    if (!canMinimize) {
        setMaximumWidth(UnlimitedWidth);
    } else {
        minimized = true;
        toolsButton = new TOptionIconButton(new TOption(QString(), QStringLiteral("kvgui_tools"), this), this);
        toolsButton->setFixedSize(BarHeight, BarHeight);
        connect(toolsButton, SIGNAL(clicked()), this, SLOT(setFullyShown()));
        outerLayout->addWidget(toolsButton, 0, Qt::AlignLeft);

        auto *frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("OptionFrame"));
        frame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
        frame->hide();
        outerLayout->addWidget(frame);
        optionFrame = frame;
        buttonLayout = new QHBoxLayout(frame);
        buttonLayout->setContentsMargins(0, 0, 0, 0);

        closeToolsButton = new TOptionIconButton(new TOption(QString(), QStringLiteral("kvgui_tools_close"), this), frame);
        closeToolsButton->setFixedSize(BarHeight, BarHeight);
        connect(closeToolsButton, SIGNAL(clicked()), this, SLOT(setMinimized()));
        buttonLayout->addWidget(closeToolsButton, 0, Qt::AlignLeft);

        setMaximumWidth(toolsButton->maximumWidth());
        setMinimumWidth(toolsButton->minimumWidth());
    }
    buttonLayout->setSpacing(0);
    setFixedHeight(BarHeight);
}

TOptionButton *TButtonBar::addNewOptionButton(TOption *option, int stretch, Qt::Alignment alignment)
{
    return addNewOptionButton(-1, option, stretch, alignment);
}

TOptionButton *TButtonBar::addNewOptionButton(int index, TOption *option, int stretch, Qt::Alignment alignment)
{
    auto *button = new TOptionButton(option, optionFrame, TOptionButton::StandardButton);
    buttonLayout->insertWidget(index, button, stretch, alignment);
    connect(button, SIGNAL(leafSelected()), this, SIGNAL(leafSelected()));
    return button;
}

TOptionIconButton *TButtonBar::addNewOptionIconButton(TOption *option, int stretch, Qt::Alignment alignment)
{
    auto *button = new TOptionIconButton(option, optionFrame);
    buttonLayout->addWidget(button, stretch, alignment);
    connect(button, SIGNAL(leafSelected()), this, SIGNAL(leafSelected()));
    return button;
}

void TButtonBar::addSubButtonBar(TButtonBar *bar, int stretch, Qt::Alignment alignment)
{
    buttonLayout->addWidget(bar, stretch, alignment);
    connect(bar, SIGNAL(leafSelected()), this, SIGNAL(leafSelected()));
}

TIconWidget *TButtonBar::addIcon(const QString &iconName, int stretch, Qt::Alignment alignment)
{
    auto *icon = new TIconWidget(iconName, optionFrame);
    buttonLayout->addWidget(icon, stretch, alignment);
    return icon;
}

QLabel *TButtonBar::addLabel(const QString &text, int stretch, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, optionFrame);
    buttonLayout->addWidget(label, stretch, alignment);
    return label;
}

void TButtonBar::addSpacing(int size)
{
    buttonLayout->addSpacing(size);
}

void TButtonBar::addStretch(int stretch)
{
    buttonLayout->addStretch(stretch);
}

void TButtonBar::addSpacerItem(QSpacerItem *item)
{
    buttonLayout->addSpacerItem(item);
}

void TButtonBar::addLayout(QLayout *layout, int stretch)
{
    buttonLayout->addLayout(layout, stretch);
}

void TButtonBar::setAlignment(Qt::Alignment flags)
{
    outerLayout->setAlignment(flags);
}

Qt::Alignment TButtonBar::alignment() const
{
    return outerLayout->alignment();
}

bool TButtonBar::getFullyShown() const
{
    if (minimized)
        return false;
    return isVisible();
}

bool TButtonBar::barHasFocus() const
{
    QWidget *focus = focusWidget();
    return focus && focus == QApplication::focusWidget();
}

void TButtonBar::setFullyShown()
{
    if (!closeToolsButton || !minimized)
        return;
    const bool hadFocus = barHasFocus();
    minimized = false;
    if (isVisible())
        emit fullyShown(true);
    toolsButton->hide();
    optionFrame->show();
    setMaximumWidth(UnlimitedWidth);
    if (hadFocus)
        closeToolsButton->setFocus(Qt::OtherFocusReason);
}

void TButtonBar::setMinimized()
{
    if (!closeToolsButton || minimized)
        return;
    const bool hadFocus = barHasFocus();
    minimized = true;
    emit fullyShown(false);
    toolsButton->show();
    optionFrame->hide();
    setMaximumWidth(closeToolsButton->maximumWidth());
    if (hadFocus)
        toolsButton->setFocus(Qt::OtherFocusReason);
}

void TButtonBar::setVisible(bool visible)
{
    if (visible == isHidden())
        emit fullyShown(visible && !minimized);
    QFrame::setVisible(visible);
}
