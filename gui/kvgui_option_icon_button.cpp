// kvgui_option_icon_button.cpp
#include "kvgui_option_icon_button.h"

#include "kvgui_flash_animator.h"
#include "kvgui_main_window.h"
#include "kvgui_option.h"
#include "kvgui_option_menu_window.h"
#include "kvgui_stylesheet.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionToolButton>

namespace {
const int MinimumSide = 58;
const qreal DisabledOpacity = 0.3;

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}
} // namespace

TOptionIconButton::TOptionIconButton(TOption *option, QWidget *parent)
    : TOptionButton(option, parent, StandardButton)
    , drawFlags(DrawBackground)
    , animating(false)
    , animator(nullptr)
{
    initGeometry();
    if (option)
        setToolTip(option->getText());
}

TOptionIconButton::TOptionIconButton(QWidget *parent)
    : TOptionButton(parent, StandardButton)
    , drawFlags(DrawBackground)
    , animating(false)
    , animator(nullptr)
{
    initGeometry();
}

TOptionIconButton::~TOptionIconButton()
{
    if (animator)
        animator->clearAnimating(this);
}

void TOptionIconButton::initGeometry()
{
    setMinimumSize(MinimumSide, MinimumSide);
    setMaximumHeight(10000);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TOptionIconButton::setDrawFlags(DrawFlags flags)
{
    drawFlags = flags;
    const QString optionText = pOption ? pOption->getText() : QString();
    if (flags & DrawText) {
        if (toolTip() == optionText)
            setToolTip(QString());
    } else if (toolTip().isEmpty()) {
        setToolTip(optionText);
    }
    updateGeometry();
    update();
}

void TOptionIconButton::setAnimating(bool on)
{
    if (animating == on)
        return;
    animating = on;
    if (!on) {
        if (animator)
            animator->clearAnimating(this);
    } else {
        if (!animator)
            animator = new TFlashAnimator(this);
        if (isVisible())
            animator->setAnimating(this);
    }
    update();
}

void TOptionIconButton::showEvent(QShowEvent *event)
{
    TOptionButton::showEvent(event);
    if (animating && animator)
        animator->setAnimating(this);
}

void TOptionIconButton::hideEvent(QHideEvent *event)
{
    TOptionButton::hideEvent(event);
    if (animating && animator)
        animator->pauseAnimating(this);
}

void TOptionIconButton::keyPressEvent(QKeyEvent *event)
{
    if (isArrowKey(event->key())) {
        event->ignore();
        return;
    }
    TOptionButton::keyPressEvent(event);
}

void TOptionIconButton::keyReleaseEvent(QKeyEvent *event)
{
    if (isArrowKey(event->key())) {
        event->accept();
        return;
    }
    TOptionButton::keyReleaseEvent(event);
}

void TOptionIconButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionToolButton option;
    initPaintOption(&option);
    const QRect content = contentsRectFor(option);
    if (drawFlags & DrawBackground)
        style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);
    const bool enabled = option.state & QStyle::State_Enabled;
    if (!enabled)
        painter.setOpacity(DisabledOpacity);
    if (!pOption)
        return;

    TStyleSheet::TPixmapState state = TStyleSheet::Normal;
    if (!enabled)
        state = TStyleSheet::Disabled;
    else if (isChecked() != isDown())
        state = TStyleSheet::Pressed;

    const QString iconName = pOption->getIconName();
    if (!iconName.isEmpty()) {
        QPixmap icon = TStyleSheet::styleSheetHandler.getPixmap(iconName, state, false);
        if (icon.isNull())
            icon = TStyleSheet::styleSheetHandler.getPixmap(iconName, TStyleSheet::Normal, true);
        const QPoint at(content.left() + (content.width() - icon.width()) / 2, content.top() + (content.height() - icon.height()) / 2);
        painter.drawPixmap(at, icon);
        if (animating && animator) {
            const qreal base = painter.opacity();
            painter.setOpacity(base * animator->getOpacity());
            painter.drawPixmap(at, TStyleSheet::styleSheetHandler.getPixmap(iconName + QLatin1String("_over"), state, true));
            painter.setOpacity(1.0);
        }
    }

    if ((drawFlags & DrawText) && !text().isEmpty()) {
        QFont bold = font();
        bold.setBold(state == TStyleSheet::Pressed);
        painter.setFont(bold);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(content, Qt::AlignBottom | Qt::AlignHCenter | Qt::TextShowMnemonic, text());
    }
}

QSize TOptionIconButton::sizeHint() const
{
    QSize hint(MinimumSide, MinimumSide);
    if (!pOption)
        return hint;
    if (!pOption->getIconName().isEmpty())
        hint = hint.expandedTo(TStyleSheet::styleSheetHandler.getPixmap(pOption->getIconName(), TStyleSheet::Normal, true).size());
    if ((drawFlags & DrawText) && !text().isEmpty())
        hint = hint.expandedTo(fontMetrics().size(Qt::TextShowMnemonic, text()));
    return hint;
}

QSize TOptionIconButton::minimumSizeHint() const
{
    return sizeHint();
}

QWidget *TOptionIconButton::createMenuShownWidget(TOptionMenuWindow *menu, MenuDirections direction)
{
    if (!isVisible())
        return nullptr;
    auto *shown = new TOptionIconButton(nullptr);
    shown->setOption(pOption ? new TOption(pOption->getText(), pOption->getIconName(), shown) : nullptr);
    shown->setDrawFlags(drawFlags | DrawBackground);
    shown->setToolTip(tr("Close menu"));
    shown->setObjectName(QLatin1String(menuShownObjectName(direction)));
    QRect place(TMainWindow::posWithinMainWindow(this, QPoint(0, 0)), size());
    if (drawFlags & DrawText)
        place.adjust(-2, -5, 2, 5);
    shown->setGeometry(place);
    shown->setFixedSize(place.size());
    shown->setMenuDirection(direction);
    shown->setFocusPolicy(Qt::NoFocus);
    shown->setCheckable(true);
    shown->setChecked(true);
    if (menu)
        connect(shown, SIGNAL(clicked()), menu, SLOT(close()));
    return shown;
}
