// kvgui_abstract_sub_window.cpp
#include "kvgui_abstract_sub_window.h"

QList<TAbstractSubWindow *> TAbstractSubWindow::currentEventInfos;
QList<TSubWindowView *> TAbstractSubWindow::freeFrameList;

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
{ }

TAbstractSubWindow::~TAbstractSubWindow() { }

void TAbstractSubWindow::showWindow(QWidget *) { }
void TAbstractSubWindow::showWindow(const QPoint &) { }
void TAbstractSubWindow::showWindow(const QPoint &, const QPoint &, QWidget *) { }
void TAbstractSubWindow::showEventInfo() { }
QSize TAbstractSubWindow::getWindowSize()
{
    return windowSize;
}
void TAbstractSubWindow::setDefaultOptionButton(TOptionButton *b)
{
    pDefaultOptionButton = b;
}
void TAbstractSubWindow::keyPressEvent(QKeyEvent *e)
{
    QFrame::keyPressEvent(e);
}
void TAbstractSubWindow::keyReleaseEvent(QKeyEvent *e)
{
    QFrame::keyReleaseEvent(e);
}
void TAbstractSubWindow::focusInEvent(QFocusEvent *e)
{
    QFrame::focusInEvent(e);
}
void TAbstractSubWindow::closeEvent(QCloseEvent *e)
{
    QFrame::closeEvent(e);
}
void TAbstractSubWindow::handleObjectDestroy(QObject *) { }
void TAbstractSubWindow::takeView() { }
void TAbstractSubWindow::returnView() { }
bool TAbstractSubWindow::forwardReturnToDefaultButton(QKeyEvent *)
{
    return false;
}
