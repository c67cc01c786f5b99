// kvgui_window_view.cpp
#include "kvgui_window_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>

TWindowView::TWindowView(QWidget *parent)
    : TAnimationPixmapWidget(parent)
    , pDefaultFocusWidget(this)
    , pLastFocusWidget(this)
{ }

TWindowView::~TWindowView()
{
    // Children die after this part of the view: their destruction must not reach it any more.
    if (pLastFocusWidget && pLastFocusWidget != this)
        disconnect(pLastFocusWidget, SIGNAL(destroyed(QObject *)), this, SLOT(handleLastFocusWidgetDestroyed(QObject *)));
}

int TWindowView::getPriority() const
{
    return 0;
}

void TWindowView::setWindowOnTop(bool onTop)
{
    if (onTop) {
        if (isEnabled() && isVisible())
            return;
        setEnabled(true);
        show();
        setUpdatesEnabled(true);
        QWidget *focus = pLastFocusWidget ? pLastFocusWidget : this;
        focus->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!isEnabled())
        return;
    QWidget *focus = QApplication::focusWidget();
    if (!focus || (focus != this && !isAncestorOf(focus)))
        focus = focusWidget();
    if (!focus)
        focus = this;
    if (pLastFocusWidget && pLastFocusWidget != focus)
        disconnect(pLastFocusWidget, SIGNAL(destroyed(QObject *)), this, SLOT(handleLastFocusWidgetDestroyed(QObject *)));
    if (focus != pLastFocusWidget || focus == this)
        connect(focus, SIGNAL(destroyed(QObject *)), this, SLOT(handleLastFocusWidgetDestroyed(QObject *)), Qt::UniqueConnection);
    pLastFocusWidget = focus;
    setEnabled(false);
}

void TWindowView::closeEvent(QCloseEvent *event)
{
    setEnabled(false);
    hide();
    if (pLastFocusWidget && pLastFocusWidget != this)
        disconnect(pLastFocusWidget, SIGNAL(destroyed(QObject *)), this, SLOT(handleLastFocusWidgetDestroyed(QObject *)));
    pLastFocusWidget = this;
    event->accept();
}

void TWindowView::handleLastFocusWidgetDestroyed(QObject *pDestroyedObject)
{
    // The widget is half destroyed: compare addresses only.
    if (static_cast<void *>(pDestroyedObject) == static_cast<void *>(pLastFocusWidget)) {
        pLastFocusWidget = nullptr;
        return;
    }
    qDebug() << "TWindowView::handleLastFocusWidgetDestroyed: ERROR !!!!!!!!!! UNEXPECTED OBJECT DESTROYED !!!!!!!!!.";
    qDebug() << "TWindowView::handleLastFocusWidgetDestroyed: pLastFocusWidget=" << static_cast<void *>(pLastFocusWidget)
             << ", pDestroyedObject=" << static_cast<void *>(pDestroyedObject);
}
