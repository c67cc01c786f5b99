// kvgui_option_button.cpp
#include "kvgui_option_button.h"

#include "kvgui_abstract_cfg_window.h"
#include "kvgui_abstract_sub_window.h"
#include "kvgui_main_window.h"
#include "kvgui_message_window.h"
#include "kvgui_option.h"
#include "kvgui_option_menu_window.h"
#include "kvgui_stylesheet.h"

#include <QApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionToolButton>

namespace {
// Touch controls are this high; option buttons are at least MinimumWidth wide.
const int ButtonHeight = 58;
const int MinimumWidth = 120;
const int ImageGap = 5;
const qreal DisabledOpacity = 0.3;

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}
} // namespace

TOptionButton::TOptionButton(TOption *option, QWidget *parent, ButtonType type)
    : QToolButton(parent)
    , buttonType(type)
    , sortOrder(NoSortOrder)
    , alignment(type == StandardButton ? Qt::Alignment(Qt::AlignCenter) : Qt::AlignLeft | Qt::AlignVCenter)
    , defaultOptionButton(false)
    , elideMode(Qt::ElideRight)
{
    qDebug() << "TOptionButton::TOptionButton(TOption*, QWidget*, TOptionButton::ButtonType)"
             << ": Start of function. this=" << this;
    applyGeometry();
    setOption(option);
}

TOptionButton::TOptionButton(QWidget *parent, ButtonType type)
    : QToolButton(parent)
    , buttonType(type)
    , sortOrder(NoSortOrder)
    , alignment(type == StandardButton ? Qt::Alignment(Qt::AlignCenter) : Qt::AlignLeft | Qt::AlignVCenter)
    , defaultOptionButton(false)
    , elideMode(Qt::ElideRight)
{
    qDebug() << "TOptionButton::TOptionButton(QWidget*, TOptionButton::ButtonType)"
             << ": Start of function. this=" << this;
    applyGeometry();
    connect(this, SIGNAL(pressed()), this, SLOT(debugButtonPressed()));
}

// Touch geometry shared by every type; only list-like types are laid out at their preferred width.
void TOptionButton::applyGeometry()
{
    if (buttonType != StandardButton)
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMinimumHeight(ButtonHeight);
    setMaximumHeight(ButtonHeight);
    setMinimumWidth(MinimumWidth);
}

void TOptionButton::setOption(TOption *option)
{
    if (pOption) {
        disconnect(pOption, SIGNAL(destroyed(QObject *)), this, SLOT(optionDestroyedHandler(QObject *)));
        disconnect(pOption, SIGNAL(leafSelected()), this, SIGNAL(leafSelected()));
        disconnect(pOption, SIGNAL(updated()), this, SLOT(optionUpdatedHandler()));
        disconnect(this, SIGNAL(clicked()), this, SLOT(clickHandler()));
    }
    pOption = option;
    if (pOption) {
        connect(pOption, SIGNAL(destroyed(QObject *)), this, SLOT(optionDestroyedHandler(QObject *)));
        connect(this, SIGNAL(clicked()), this, SLOT(clickHandler()));
        connect(pOption, SIGNAL(leafSelected()), this, SIGNAL(leafSelected()));
        connect(pOption, SIGNAL(updated()), this, SLOT(optionUpdatedHandler()));
        applyOption();
    } else {
        setCheckable(false);
        setText(QString());
        setEnabled(true);
    }
}

void TOptionButton::applyOption()
{
    setCheckable(pOption->hasSubOptions());
    setText(pOption->getText());
    setEnabled(pOption->isEnabled());
}

void TOptionButton::optionUpdatedHandler()
{
    if (!pOption)
        return;
    applyOption();
    update();
}

void TOptionButton::optionDestroyedHandler(QObject *object)
{
    if (object != pOption)
        return;
    disconnect(this, SIGNAL(clicked()), this, SLOT(clickHandler()));
    setCheckable(false);
    setText(QString());
    pOption = nullptr;
    update();
}

void TOptionButton::setDefaultOptionButton(bool on)
{
    if (defaultOptionButton == on)
        return;
    defaultOptionButton = on;
    setObjectName(on ? QStringLiteral("defaultOptionButton") : QString());
    // The style sheet selects the default button by its object name.
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void TOptionButton::setElideMode(Qt::TextElideMode mode)
{
    elideMode = mode;
    update();
}

void TOptionButton::setSortOrder(SortOrder order)
{
    if (sortOrder == order)
        return;
    sortOrder = order;
    update();
}

void TOptionButton::clickHandler()
{
    qDebug() << "void TOptionButton::clickHandler()"
             << ": Button with buttonText=" << text() << " was clicked! this=" << this;
    logAncestors();
    if (!pOption)
        return;

    // The option's handlers may close the window and delete this button or its option.
    QPointer<TOptionButton> self(this);
    emit pOption->selected(this);
    if (!self || !pOption)
        return;

    TOption *option = pOption;
    if (option->hasSubOptions()) {
        TOptionMenuWindow::displayOptionMenu(this);
        // The menu-shown button over this one carries the checked look while the menu is open.
        setChecked(false);
    } else {
        QPointer<TOption> guard(option);
        emit option->leafSelected(option->getId());
        if (!self || !guard)
            return;
    }

    if (option->pPopUpWindow) {
        qDebug() << "void TOptionButton::clickHandler()"
                 << ": About to run pOption->pPopUpWindow->showWindow(this), where this=" << this;
        option->pPopUpWindow->showWindow(this);
    }
}

void TOptionButton::logAncestors() const
{
    int counter = 0;
    for (QWidget *ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        ++counter;
        if (auto *message = qobject_cast<TMessageWindow *>(ancestor)) {
            qDebug() << "void TOptionButton::clickHandler()"
                     << ": Parentcounter=" << counter << ": parent=" << ancestor->metaObject()->className()
                     << "header=" << message->getHeader() << "description=" << message->getDescription();
        } else if (auto *cfg = qobject_cast<TAbstractCfgWindow *>(ancestor)) {
            qDebug() << "void TOptionButton::clickHandler()"
                     << ": Parentcounter=" << counter << ": parent=" << ancestor->metaObject()->className()
                     << "heading=" << cfg->getHeading();
        } else {
            qDebug() << "void TOptionButton::clickHandler()"
                     << ": Parentcounter=" << counter << ": parent=" << ancestor->metaObject()->className();
        }
    }
}

void TOptionButton::debugButtonPressed()
{
    qDebug() << "void TOptionButton::debugButtonPressed()"
             << "Button text=" << text();
}

TOptionButton::KeyRole TOptionButton::keyRole(int key) const
{
    if (key == Qt::Key_Return)
        return Activates;
    if (!pOption || !pOption->hasSubOptions())
        return isArrowKey(key) ? PassedOn : DefaultHandling;
    if (key == Qt::Key_Space || key == Qt::Key_Menu)
        return Activates;
    if (isArrowKey(key)) {
        static const int towardsMenu[] = { Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right };
        return key == towardsMenu[menuDirection] ? Activates : PassedOn;
    }
    return DefaultHandling;
}

void TOptionButton::sendSyntheticSpace(QKeyEvent *event)
{
    QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), event->text(), event->isAutoRepeat(), event->count());
    if (event->type() == QEvent::KeyPress)
        QToolButton::keyPressEvent(&space);
    else
        QToolButton::keyReleaseEvent(&space);
    event->setAccepted(space.isAccepted());
}

void TOptionButton::keyPressEvent(QKeyEvent *event)
{
    switch (keyRole(event->key())) {
    case Activates:
        sendSyntheticSpace(event);
        break;
    case PassedOn:
        event->ignore();
        break;
    case DefaultHandling:
        QToolButton::keyPressEvent(event);
        break;
    }
}

void TOptionButton::keyReleaseEvent(QKeyEvent *event)
{
    switch (keyRole(event->key())) {
    case Activates:
        // Lets the menu know that it was opened from the keypad.
        if (!event->isAutoRepeat() && isDown())
            keyActivated = true;
        sendSyntheticSpace(event);
        break;
    case PassedOn:
        event->accept();
        break;
    case DefaultHandling:
        QToolButton::keyReleaseEvent(event);
        break;
    }
}

void TOptionButton::focusOutEvent(QFocusEvent *event)
{
    QToolButton::focusOutEvent(event);
    if (event->isAccepted())
        keyActivated = false;
}

void TOptionButton::initPaintOption(QStyleOptionToolButton *option) const
{
    initStyleOption(option);
    if (pOption && pOption->hasSubOptions() && isChecked())
        option->state |= QStyle::State_Selected;
    if (!pOption || pOption->isEnabled())
        option->state |= QStyle::State_Enabled;
}

QRect TOptionButton::contentsRectFor(const QStyleOptionToolButton &option) const
{
    // SE_FrameContents honours the style sheet's border and padding; a plain style has none.
    QRect r = style()->subElementRect(QStyle::SE_FrameContents, &option, this);
    return r.isValid() ? r : rect();
}

void TOptionButton::showEvent(QShowEvent *event)
{
    QToolButton::showEvent(event);
    // A menu button on a screen: unless a window is pooled, one is made for its menu while the
    // operator reads the screen.
    TMainWindow *mainWindow = TMainWindow::getInstance();
    if (mainWindow && buttonType != MenuEntryButton && pOption && pOption->hasSubOptions()
        && TOptionMenuWindow::freeOptionWindows.isEmpty()) {
        QPointer<TOption> option(pOption);
        mainWindow->whenFirstFrameDrawn([option] { TOptionMenuWindow::prepare(option); });
    }
}

QPixmap TOptionButton::arrowPixmap() const
{
    if (isCheckable())
        return TStyleSheet::styleSheetHandler.getPixmap(
            QLatin1String(isChecked() ? openArrowImage(menuDirection) : closedArrowImage(menuDirection)), true);
    if (buttonType == SortColumnButton && sortOrder != NoSortOrder)
        return TStyleSheet::styleSheetHandler.getPixmap(
            QLatin1String(sortOrder == SortAscending ? "kvgui_option_menu_arrow_up" : "kvgui_option_menu_arrow_down"), true);
    return QPixmap();
}

QRect TOptionButton::textArea() const
{
    QStyleOptionToolButton option;
    initPaintOption(&option);
    QRect area = contentsRectFor(option);
    const QPixmap arrow = arrowPixmap();
    if (!arrow.isNull())
        area.setRight(area.right() - arrow.width() - ImageGap);
    if (pOption && !pOption->getIconName().isEmpty())
        area.setLeft(
            area.left() + TStyleSheet::styleSheetHandler.getPixmap(pOption->getIconName(), TStyleSheet::Normal, true).width() + ImageGap);
    return area;
}

void TOptionButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionToolButton option;
    initPaintOption(&option);
    const QRect content = contentsRectFor(option);
    style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);

    if (!(option.state & QStyle::State_Enabled))
        painter.setOpacity(DisabledOpacity);

    const QPixmap arrow = arrowPixmap();
    if (!arrow.isNull())
        painter.drawPixmap(content.right() + 1 - arrow.width(), content.top() + (content.height() - arrow.height()) / 2, arrow);

    QRect textRect = textArea();
    const int flags = int(alignment) | Qt::TextShowMnemonic | Qt::TextWordWrap;
    if (pOption && !pOption->getIconName().isEmpty()) {
        const QPixmap icon = TStyleSheet::styleSheetHandler.getPixmap(pOption->getIconName(), TStyleSheet::Normal, true);
        int iconX = content.left();
        if (alignment & Qt::AlignHCenter) {
            // Centre icon and text as one group.
            const QRect bounds = painter.fontMetrics().boundingRect(textRect, flags, text());
            const int shift = (textRect.width() - bounds.width()) / 2;
            if (shift > 0) {
                iconX += shift;
                textRect.adjust(shift, 0, -shift, 0);
            }
        }
        painter.drawPixmap(iconX, content.top() + (content.height() - icon.height()) / 2, icon);
    }

    const QString shown = painter.fontMetrics().elidedText(text(), elideMode, textRect.width(), Qt::TextShowMnemonic);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(textRect, flags, shown);
}

QSize TOptionButton::sizeHint() const
{
    ensurePolished();
    int contentWidth = 0;
    if (isCheckable())
        contentWidth += TStyleSheet::styleSheetHandler.getPixmap(QLatin1String(closedArrowImage(menuDirection)), true).width() + ImageGap;
    if (pOption && !pOption->getIconName().isEmpty())
        contentWidth += TStyleSheet::styleSheetHandler.getPixmap(pOption->getIconName(), TStyleSheet::Normal, true).width() + ImageGap;
    if (!text().isEmpty())
        contentWidth += fontMetrics().size(Qt::TextShowMnemonic, text()).width();

    QStyleOptionToolButton option;
    initPaintOption(&option);
    // No global strut: Qt 6 dropped it, and on Qt 5 it is never set, so it was (0, 0).
    return style()->sizeFromContents(QStyle::CT_ToolButton, &option, QSize(contentWidth, 0), this);
}

QSize TOptionButton::minimumSizeHint() const
{
    return sizeHint();
}

QWidget *TOptionButton::createMenuShownWidget(TOptionMenuWindow *menu, MenuDirections direction)
{
    if (!isVisible() || !isEnabled())
        return nullptr;
    auto *shown = new TOptionButton(nullptr, buttonType);
    shown->setOption(pOption ? new TOption(pOption->getText(), pOption->getIconName(), shown) : nullptr);
    shown->setObjectName(QLatin1String(menuShownObjectName(direction)));
    shown->move(TMainWindow::posWithinMainWindow(this, QPoint(0, 0)));
    shown->setFixedSize(size());
    shown->setMenuDirection(direction);
    shown->setElideMode(elideMode);
    shown->setAlignment(alignment);
    shown->setFocusPolicy(Qt::NoFocus);
    shown->setCheckable(true);
    shown->setChecked(true);
    if (menu)
        connect(shown, SIGNAL(clicked()), menu, SLOT(close()));
    return shown;
}
