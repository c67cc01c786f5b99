// kvgui_abstract_sub_window.cpp
#include "kvgui_abstract_sub_window.h"

#include "kvgui_main_window.h"
#include "kvgui_option_button.h"
#include "kvgui_stylesheet.h"
#include "kvgui_sub_window_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QKeyEvent>

QList<TAbstractSubWindow *> TAbstractSubWindow::currentEventInfos;
QList<TSubWindowView *> TAbstractSubWindow::freeFrameList;

namespace {
// Room kept free at the bottom of the main window for the touch keyboard.
const int KeyboardRoomHeight = 228;
// Event-information windows cascade over this many slots, StepPerSlot pixels apart.
const int EventInfoSlots = 5;
const int StepPerSlot = 50;

bool isForwardKey(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Right || key == Qt::Key_Down;
}

bool isBackwardKey(int key)
{
    return key == Qt::Key_Backtab || key == Qt::Key_Left || key == Qt::Key_Up;
}
} // namespace

TAbstractSubWindow::TAbstractSubWindow(ShowEffects effect, OptionFlags flags)
    : QFrame(nullptr)
    , foldUpDown(false)
    , eventInfoSlot(0)
    , closing(false)
    , useEscapeClose(true)
    , priority(0)
    , pDefaultOptionButton(nullptr)
    , windowSize(0, 0)
    , showEffect(effect)
    , optionFlags(flags)
    , pView(nullptr)
    , pDefaultFocusWidget(nullptr)
{
    setMaximumSize(776, 526);
    // No sheet of its own yet: it is given when the window has entered its view and can be compared
    // with the one it inherits there.
    setAutoFillBackground(true);
    hide();
}

TAbstractSubWindow::~TAbstractSubWindow()
{
    if (pView) {
        qDebug() << "Window frame not freed before destroy";
        // Leave the view and the stack while this is still a whole widget; the view's handling of a destroyed
        // window would meet a half-destroyed one.
        closing = true;
        if (!pView->isClosing())
            pView->close();
        closing = false;
        returnView();
    }
    // A window deleted without closing must not stay in the cascade.
    currentEventInfos.removeAll(this);
}

void TAbstractSubWindow::takeView()
{
    if (!pView) {
        // A free view still holding this window from its last showing takes it back: no move (a
        // move repolishes every child), and never a second view holding the same window.
        for (int i = freeFrameList.count() - 1; i >= 0 && !pView; --i) {
            if (freeFrameList.at(i)->holds(this))
                pView = freeFrameList.takeAt(i);
        }
        if (!pView && !freeFrameList.isEmpty()) {
            pView = freeFrameList.takeLast();
        } else if (!pView) {
            pView = newView();
        }
    }
    pView->setWindow(this);
}

TSubWindowView *TAbstractSubWindow::newView()
{
    TSubWindowView *view = new TSubWindowView();
    // Views outlive their windows; one destroyed with its main window leaves the pool.
    connect(view, &QObject::destroyed, [](QObject *destroyed) {
        // Compared as QObject: the view is no longer a TSubWindowView here.
        for (int i = freeFrameList.count() - 1; i >= 0; --i)
            if (static_cast<QObject *>(freeFrameList.at(i)) == destroyed)
                freeFrameList.removeAt(i);
    });
    return view;
}

void TAbstractSubWindow::prepareView()
{
    if (!freeFrameList.isEmpty() || !TMainWindow::getInstance())
        return;
    TSubWindowView *view = newView();
    view->prepare();
    freeFrameList.append(view);
}

// Into the view before the first polish, so the children are polished once, where they are shown.
void TAbstractSubWindow::holdInView()
{
    takeView();
    pView->holdWindow(this);
}

void TAbstractSubWindow::returnView()
{
    if (!freeFrameList.contains(pView))
        freeFrameList.append(pView);
    pView = nullptr;
}

void TAbstractSubWindow::showWindow(QWidget *pFromCenterOf)
{
    static const char *const function = "void TAbstractSubWindow::showWindow(QWidget*)";
    qDebug() << function << ": Start of function. this=" << this << ", pFromCenterOf=" << static_cast<void *>(pFromCenterOf);
    if (!pFromCenterOf) {
        qDebug() << function << ": ERROR!!!! pFromCenterOf == null. Now showing window from fixed QPoint(400,300).";
        showWindow(QPoint(400, 300));
    } else {
        if (!pFromCenterOf->inherits("QWidget"))
            qDebug() << function << ": ERROR: pFromCenterOf does not inherit QWidget!!!!";
        const QPoint center = pFromCenterOf->rect().center();
        qDebug() << function << ": Centerpoint (" << center.x() << "," << center.y() << ")";
        const QPoint mainWindowPoint = TMainWindow::posWithinMainWindow(pFromCenterOf, center);
        qDebug() << function << ": mainWindowPoint (" << mainWindowPoint.x() << "," << mainWindowPoint.y() << ")";
        showWindow(mainWindowPoint);
    }
    qDebug() << function << ": window seems to have been shown successfully. this=" << this;
    qDebug() << function << ": End of function. this=" << this;
}

void TAbstractSubWindow::showWindow(const QPoint &startPoint)
{
    holdInView();
    emit aboutToShow();

    const QSize size = getWindowSize();
    const int w = size.width();
    const int h = size.height();
    int x = startPoint.x() - w / 2;
    int y = startPoint.y() - h / 2;

    TMainWindow *mainWindow = TMainWindow::getInstance();
    const int availableWidth = mainWindow ? mainWindow->width() : 800;
    int availableHeight = mainWindow ? mainWindow->height() : 600;
    if (optionFlags & KeyboardRoom)
        availableHeight -= KeyboardRoomHeight;

    // Keep clear of the screen edges; what is too large for that is centred.
    if (w + 150 >= availableWidth)
        x = (availableWidth - w) / 2;
    else if (x + w + 74 >= availableWidth)
        x = availableWidth - w - 75;
    else
        x = qMax(x, 74);

    if (h + 200 >= availableHeight)
        y = (availableHeight - h + 50) / 2;
    else if (y + h + 74 >= availableHeight)
        y = availableHeight - h - 75;
    else
        y = qMax(y, 124);

    pView->showWindow(this, startPoint, QPoint(x, y), size, nullptr);
}

void TAbstractSubWindow::showWindow(const QPoint &start, const QPoint &end, QWidget *pExtra)
{
    qDebug() << "void TAbstractSubWindow::showWindow(const QPoint&, const QPoint&, QWidget*)"
             << ": Start of function. start=(" << start.x() << "," << start.y() << "), end=(" << end.x() << "," << end.y()
             << "), pExtra=" << static_cast<void *>(pExtra);
    holdInView();
    emit aboutToShow();
    pView->showWindow(this, start, end, getWindowSize(), pExtra);
}

void TAbstractSubWindow::showEventInfo()
{
    currentEventInfos.removeAll(this);
    eventInfoSlot = currentEventInfos.isEmpty() ? 1 : currentEventInfos.last()->eventInfoSlot % EventInfoSlots + 1;
    currentEventInfos.append(this);
    const int n = eventInfoSlot * StepPerSlot;
    showWindow(QPoint(800, n + 20), QPoint(n, n + 20), nullptr);
}

QSize TAbstractSubWindow::getWindowSize()
{
    if (windowSize.width() < 1) {
        applyCurrentStyleSheet();
        ensurePolished();
        const QSize hint = sizeHint();
        // Where no minimum is set, the view's scroll area never makes the window smaller than its
        // layout's minimum. With text that wraps, that can exceed the hint (a label's least width
        // means most lines), and a frame cut to the hint would hide the window's lower part. The
        // maximum still wins: a menu without room is cut to the room there is.
        const QSize least = minimumSizeHint();
        const int minWidth = qMin(minimumWidth() > 0 ? minimumWidth() : least.width(), maximumWidth());
        const int minHeight = qMin(minimumHeight() > 0 ? minimumHeight() : least.height(), maximumHeight());
        windowSize = QSize(qBound(minWidth, hint.width(), maximumWidth()), qBound(minHeight, hint.height(), maximumHeight()));
    }
    return windowSize;
}

void TAbstractSubWindow::setDefaultOptionButton(TOptionButton *b)
{
    if (pDefaultOptionButton) {
        pDefaultOptionButton->setDefaultOptionButton(false);
        disconnect(pDefaultOptionButton, SIGNAL(destroyed(QObject *)), this, SLOT(handleObjectDestroy(QObject *)));
    }
    pDefaultOptionButton = b;
    if (pDefaultOptionButton) {
        pDefaultOptionButton->setDefaultOptionButton(true);
        connect(pDefaultOptionButton, SIGNAL(destroyed(QObject *)), this, SLOT(handleObjectDestroy(QObject *)));
    }
}

void TAbstractSubWindow::handleObjectDestroy(QObject *pObject)
{
    if (pObject == pDefaultOptionButton)
        pDefaultOptionButton = nullptr;
}

bool TAbstractSubWindow::forwardReturnToDefaultButton(QKeyEvent *event)
{
    if (!pDefaultOptionButton || !pDefaultOptionButton->isEnabled())
        return false;
    // The button's own key handling turns Space into a press and its release into a click.
    QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), event->text(), event->isAutoRepeat(), event->count());
    QApplication::sendEvent(pDefaultOptionButton, &space);
    return true;
}

void TAbstractSubWindow::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        if (useEscapeClose)
            close();
        event->accept();
    } else if (isForwardKey(key)) {
        focusNextChild();
        event->accept();
    } else if (isBackwardKey(key)) {
        focusPreviousChild();
        event->accept();
    } else if (key == Qt::Key_Return) {
        if (forwardReturnToDefaultButton(event))
            event->accept();
        else
            event->ignore();
    } else {
        event->ignore();
    }
}

void TAbstractSubWindow::keyReleaseEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape || isForwardKey(key) || isBackwardKey(key)) {
        event->accept();
    } else if (key == Qt::Key_Return && forwardReturnToDefaultButton(event)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TAbstractSubWindow::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
    if (pDefaultFocusWidget)
        pDefaultFocusWidget->setFocus(event->reason());
}

void TAbstractSubWindow::applyCurrentStyleSheet()
{
    // Inside a main window that already carries the current sheet the window needs none of its own:
    // a copy would be parsed again, repolish every child on each move, and be matched twice for each
    // of them. Only a main window not restyled since a day/night change leaves the window one.
    const QString sheet = TStyleSheet::styleSheetHandler.getStyleSheet();
    QString inherited;
    for (const QWidget *w = parentWidget(); w && inherited.isEmpty(); w = w->parentWidget())
        inherited = w->styleSheet();
    const QString own = inherited == sheet ? QString() : sheet;
    // Setting the same sheet again would parse it anew and repolish every child.
    if (styleSheet() != own)
        setStyleSheet(own);
}

void TAbstractSubWindow::closeEvent(QCloseEvent *event)
{
    applyCurrentStyleSheet();
    closing = true;
    if (pView) {
        if (!pView->isClosing())
            pView->close();
        returnView();
    }
    QFrame::closeEvent(event);
    closing = false;
    windowSize = QSize(0, 0);
    currentEventInfos.removeAll(this);
}
