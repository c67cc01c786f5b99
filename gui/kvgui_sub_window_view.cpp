// kvgui_sub_window_view.cpp
#include "kvgui_sub_window_view.h"

#include "kvgui_abstract_sub_window.h"
#include "kvgui_main_window.h"
#include "kvgui_option_menu_window.h"
#include "kvgui_sub_window_border.h"
#include "kvgui_touch_keyboard.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

static const int BorderWidth = 25;
static const int ShowDuration = 400;
// Bits of the window's option flags that ask for the keyboard: shown, or wanted but user-hidden.
static const int KeyboardShownFlag = 0x1;
static const int KeyboardHiddenFlag = 0x2;
// The keyboard's top edge plus the border's shadow below the window.
static const int KeyboardFitLimit = 613;
// The frame never moves up over the title area.
static const int HighestFrameTop = 37;
// Room kept between a frame moved back inside and the right or bottom edge.
static const int EdgeMargin = 0;

TSubWindowView::TSubWindowView()
    : TWindowView(TMainWindow::getInstance())
    , pScrollArea(nullptr)
    , pShowAnimation(nullptr)
    , pWindow(nullptr)
    , pKeyboard(nullptr)
    , pExtraWidget(nullptr)
    , pBorder(nullptr)
    , pBorderLayout(nullptr)
    , startX(0)
    , startY(0)
    , startWidth(0)
    , startHeight(0)
    , endX(0)
    , endY(0)
    , endWidth(0)
    , endHeight(0)
    , noBackground(true)
    , keyboardWanted(false)
    , closing(false)
    , pWindowArea(nullptr)
{
    hide();
    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pWindowArea = new QFrame(this);
    pWindowArea->setObjectName("WindowArea");
    pWindowArea->setFrameStyle(QFrame::NoFrame | QFrame::Plain);
    layout->addWidget(pWindowArea, 0);
    // The keyboard, below the window area, is built on first need: most views never show one.

    pBorder = new TSubWindowBorder(pWindowArea);
    pBorderLayout = new QGridLayout(pBorder);
    pBorderLayout->setSpacing(0);
    pBorderLayout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    pScrollArea = new QScrollArea(pBorder);
    pScrollArea->setFrameStyle(QFrame::NoFrame | QFrame::Plain);
    pScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pScrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pScrollArea->setFocusPolicy(Qt::NoFocus);
    pScrollArea->setWidgetResizable(true);
    pBorderLayout->addWidget(pScrollArea, 1, 1);

    pShowAnimation = new QPropertyAnimation(this, "frontGeometry", this);
    pShowAnimation->setDuration(ShowDuration);
    connect(pShowAnimation, SIGNAL(finished()), this, SLOT(updateShowFinished()));
}

TSubWindowView::~TSubWindowView()
{
    // A window, shown or only still held, belongs to whoever created it, not to the scroll area.
    if (pWindow)
        disconnect(pWindow, SIGNAL(destroyed(QObject *)), this, SLOT(handleWindowDestroy(QObject *)));
    if (pScrollArea->widget())
        pScrollArea->takeWidget();
}

void TSubWindowView::setWindow(TAbstractSubWindow *window)
{
    if (pWindow && pWindow != window)
        disconnect(pWindow, SIGNAL(destroyed(QObject *)), this, SLOT(handleWindowDestroy(QObject *)));
    pWindow = window;
    // Watched from now on: a window that dies before it shows must not leave a dangling pointer.
    if (window)
        connect(window, SIGNAL(destroyed(QObject *)), this, SLOT(handleWindowDestroy(QObject *)), Qt::UniqueConnection);
}

TTouchKeyboard *TSubWindowView::getKeyboard()
{
    if (!pKeyboard) {
        pKeyboard = new TTouchKeyboard(false, this);
        static_cast<QVBoxLayout *>(layout())->addWidget(pKeyboard, 0, Qt::AlignHCenter);
        connect(pKeyboard, SIGNAL(heightChanged(int)), this, SLOT(handleKeyboardHeightChanged(int)));
    }
    return pKeyboard;
}

bool TSubWindowView::hasVisibleKeyboard() const
{
    return pKeyboard && pKeyboard->isVisible();
}

bool TSubWindowView::getShownAsEventInfo() const
{
    return pWindow && TAbstractSubWindow::currentEventInfos.contains(pWindow);
}

int TSubWindowView::getPriority() const
{
    return pWindow ? pWindow->getPriority() : 0;
}

void TSubWindowView::setBackGround(const QPixmap &p)
{
    noBackground = false;
    setBackPixmap(p);
}

void TSubWindowView::clrBackGround()
{
    noBackground = true;
    setBackPixmap(QPixmap());
}

void TSubWindowView::holdWindow(TAbstractSubWindow *window)
{
    setWindow(window);
    if (pScrollArea->widget() == window)
        return;
    // setWidget() would delete a window that is still held.
    if (pScrollArea->widget())
        pScrollArea->takeWidget();
    pScrollArea->setWidget(window);
}

void TSubWindowView::prepare()
{
    ensurePolished();
    // The scroll area measures itself in the application font, which no styled widget has loaded.
    pBorderLayout->activate();
    layout()->activate();
}

bool TSubWindowView::holds(const TAbstractSubWindow *window) const
{
    return window && pScrollArea->widget() == window;
}

void TSubWindowView::showWindow(TAbstractSubWindow *window, const QPoint &start, const QPoint &end, const QSize &size, QWidget *pExtra)
{
    TMainWindow *mainWindow = TMainWindow::getInstance();
    holdWindow(window);
    window->setVisible(true);

    const int flags = window->getOptionFlags();
    keyboardWanted = (flags & (KeyboardShownFlag | KeyboardHiddenFlag)) != 0;
    if (keyboardWanted)
        getKeyboard()->setUserHide(!(flags & KeyboardShownFlag));

    endX = end.x() - BorderWidth;
    endY = end.y() - BorderWidth;
    endWidth = size.width() + 2 * BorderWidth;
    endHeight = size.height() + 2 * BorderWidth;

    // This application has no distress flag of its own: priority 1 is the distress level.
    pBorder->setDistress(window->getPriority() == 1);

    QEasingCurve easing(QEasingCurve::OutQuad);
    switch (window->getShowEffect()) {
    case 1:
        startX = start.x();
        startY = start.y();
        startWidth = 0;
        startHeight = 0;
        easing = QEasingCurve(QEasingCurve::InQuad);
        break;
    case 2:
        startX = start.x() - BorderWidth;
        startY = start.y() - BorderWidth;
        startWidth = window->getFoldUpDown() ? endWidth : 2 * BorderWidth;
        startHeight = window->getFoldUpDown() ? 2 * BorderWidth : endHeight;
        break;
    default:
        startX = start.x() - BorderWidth;
        startY = start.y() - BorderWidth;
        startWidth = endWidth;
        startHeight = endHeight;
        break;
    }

    if (pExtraWidget && pExtraWidget != pExtra) {
        // Out of sight at once: until it is deleted it would show in the dimmed still picture.
        pExtraWidget->hide();
        pExtraWidget->deleteLater();
    }
    pExtraWidget = pExtra;
    if (pExtraWidget) {
        if (!pExtraWidget->parentWidget())
            pExtraWidget->setParent(pWindowArea);
        pExtraWidget->show();
    }

    pBorder->setGeometry(getEndRect());
    const QPixmap frame = renderBorder();

    // Over a layer that already shows a keyboard, this one is there at once instead of sliding in again.
    if (keyboardWanted && mainWindow->topWindowHasVisibleKeyborad())
        pKeyboard->showKeyboard(false);
    else if (pKeyboard)
        pKeyboard->hide();

    clrBackGround();
    // Out of sight before the stack is rebuilt, so the dimmed still picture behind the opening
    // does not already show this frame.
    pBorder->hide();
    setFrontPixmap(QPixmap());
    setMiddelOpacity(1.0);
    stopShowAnimation();
    if (mainWindow->showSubWindow(this, true)) {
        setFrontPixmap(frame);
        setFrontGeometry(getStartRect());
        pShowAnimation->setEasingCurve(easing);
        pShowAnimation->setStartValue(getStartRect());
        pShowAnimation->setEndValue(getEndRect());
        pShowAnimation->start();
    } else {
        instantAnimationEnd();
    }
    window->setFocus(Qt::OtherFocusReason);
}

QPixmap TSubWindowView::renderBorder()
{
    pBorderLayout->setGeometry(pBorder->rect());
    QPixmap picture(pBorder->size());
    picture.fill(Qt::transparent);
    // Without the window background: the fade round the frame must stay transparent.
    pBorder->render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
    return picture;
}

void TSubWindowView::setFrontGeometry(const QRect &geometry)
{
    // Unfolding lays the content out again at every step.
    if (pWindow && pWindow->getShowEffect() == 2 && pShowAnimation->state() == QAbstractAnimation::Running && geometry.isValid()) {
        pBorder->setGeometry(geometry);
        frontPixmap = renderBorder();
    }
    TWindowView::setFrontGeometry(geometry);
}

void TSubWindowView::instantAnimationEnd()
{
    pShowAnimation->stop();
    if (pWindow && (pWindow->getOptionFlags() & KeyboardShownFlag))
        getKeyboard()->showKeyboard(false);
    updateShowFinished();
}

void TSubWindowView::updateShowFinished()
{
    if (pWindow && (pWindow->getOptionFlags() & KeyboardShownFlag))
        getKeyboard()->showKeyboard(true);
    setFrontPixmap(QPixmap());
    setMiddelOpacity(0);
    pBorder->setGeometry(getEndRect());
    // A keyboard that was there at once has already taken its room; the live frame must stay above it.
    if (pKeyboard && !pKeyboard->isHidden())
        handleKeyboardHeightChanged(pKeyboard->maximumHeight());
    pBorder->show();
    TMainWindow::getInstance()->clrAnimating(this, SLOT(instantAnimationEnd()));
}

void TSubWindowView::handleKeyboardHeightChanged(int height)
{
    QRect frame = pBorder->geometry();
    const int free = KeyboardFitLimit - frame.y() - frame.height() - height;
    if (free < 0) {
        const int shortfall = -free;
        if (frame.y() < HighestFrameTop + 1) {
            frame.setHeight(frame.height() - shortfall);
        } else {
            const int top = qMax(HighestFrameTop, frame.y() - shortfall);
            const int moved = frame.y() - top;
            frame.moveTop(top);
            frame.setHeight(frame.height() - (shortfall - moved));
        }
    } else if (free > 0 && frame.height() < endHeight) {
        frame.setHeight(qMin(endHeight, frame.height() + free));
    }
    if (frame != pBorder->geometry())
        pBorder->setGeometry(frame);
    // The window area gives up or takes back the keyboard's room in the same step.
    layout()->activate();
}

bool TSubWindowView::windowAcceptsKeys() const
{
    return pWindow && pWindow->isEnabled();
}

void TSubWindowView::mousePressEvent(QMouseEvent *event)
{
    // A touch beside an open menu dismisses it, as the operator expects of a menu.
    if (event->button() == Qt::LeftButton && qobject_cast<TOptionMenuWindow *>(pWindow)
        && !QRect(pWindow->mapTo(this, QPoint(0, 0)), pWindow->size()).contains(event->pos())) {
        event->accept();
        close();
        return;
    }
    event->ignore();
}

void TSubWindowView::keyPressEvent(QKeyEvent *event)
{
    if (!windowAcceptsKeys()) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextChild();
        break;
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusPreviousChild();
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void TSubWindowView::keyReleaseEvent(QKeyEvent *event)
{
    if (!windowAcceptsKeys()) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up:
        event->accept();
        break;
    default:
        event->ignore();
        break;
    }
}

void TSubWindowView::paintEvent(QPaintEvent *event)
{
    // A live view without pictures is transparent: the layers below show through.
    if (noBackground && frontPixmap.isNull() && middelPixmap.isNull())
        return;
    TWindowView::paintEvent(event);
}

void TSubWindowView::resizeEvent(QResizeEvent *event)
{
    TWindowView::resizeEvent(event);
    if (event->oldSize().width() < 800 || event->size().width() < 800 || !pWindow)
        return;
    if (qobject_cast<TOptionMenuWindow *>(pWindow)) {
        qDebug() << "Menu windows closed";
        close();
        return;
    }
    QRect frame = pBorder->geometry();
    const int right = event->size().width() - EdgeMargin;
    const int bottom = event->size().height() - EdgeMargin;
    if (frame.right() < right && frame.bottom() < bottom)
        return;
    frame.moveLeft(qMax(0, qMin(frame.x(), right - frame.width())));
    frame.moveTop(qMax(0, qMin(frame.y(), bottom - frame.height())));
    if (frame == pBorder->geometry())
        return;
    qDebug() << "Sub-windows moved to stay visible";
    pBorder->setGeometry(frame);
    endX = frame.x();
    endY = frame.y();
}

void TSubWindowView::stopShowAnimation()
{
    if (pShowAnimation->state() == QAbstractAnimation::Stopped)
        return;
    pShowAnimation->stop();
    TMainWindow::getInstance()->clrAnimating(this, SLOT(instantAnimationEnd()));
}

void TSubWindowView::closeEvent(QCloseEvent *event)
{
    closing = true;
    if (pWindow) {
        TAbstractSubWindow *window = pWindow;
        TMainWindow::getInstance()->hideSubWindow(this);
        stopShowAnimation();
        if (!window->isClosing())
            window->close();
        disconnect(window, SIGNAL(destroyed(QObject *)), this, SLOT(handleWindowDestroy(QObject *)));
        pWindow = nullptr;
        hideWantedKeyboard();
    }
    setFrontPixmap(QPixmap());
    TWindowView::closeEvent(event);
    closing = false;
}

void TSubWindowView::handleWindowDestroy(QObject *)
{
    // The window is half destroyed: it is neither asked nor touched any more.
    pWindow = nullptr;
    TMainWindow::getInstance()->hideSubWindow(this);
    pScrollArea->takeWidget();
    stopShowAnimation();
    setFrontPixmap(QPixmap());
    hideWantedKeyboard();
}

void TSubWindowView::hideWantedKeyboard()
{
    if (!keyboardWanted || !pKeyboard)
        return;
    // Out of sight first: a closing slide would only cost the main window a still picture and hold
    // it in its animating state; an opening slide still running is ended.
    pKeyboard->setVisible(false);
    pKeyboard->hideKeyboard(HIDDING_BY_REQUEST);
    pKeyboard->instantAnimationEnd();
}
