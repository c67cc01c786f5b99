// kvgui_screen.cpp
#include "kvgui_screen.h"

#include "kvgui_main_window.h"
#include "kvgui_update_object.h"

#include <QDebug>

TScreen::TScreen(const QString &headingText, const QString &subHeadingText, QWidget *parent)
    : QFrame(parent, Qt::WindowFlags())
    , pProxyItem(nullptr)
    , pSnapshotItem(nullptr)
    , headingText(headingText)
    , subHeadingText(subHeadingText)
    , useEscapeClose(true)
{ }

void TScreen::addUpdateObject(TUpdateObject *updateObject)
{
    updateObjects.prepend(updateObject);
}

void TScreen::prepareShow()
{
    for (TUpdateObject *updateObject : qAsConst(updateObjects))
        updateObject->start();
    refreshScreen();
}

void TScreen::prepareHide()
{
    for (TUpdateObject *updateObject : qAsConst(updateObjects))
        updateObject->stop();
}

void TScreen::handleHomeSelected()
{
    qDebug() << "virtual void TScreen::handleHomeSelected()"
             << ": Start of function TScreen::handleHomeSelected(). About to run showMainScreen().";
    if (TMainWindow *mainWindow = TMainWindow::getInstance())
        mainWindow->showMainScreen();
}

void TScreen::resetScreen() { }

void TScreen::refreshScreen() { }

void TScreen::setHeadingText(const QString &text)
{
    headingText = text;
    emit headingsChanged();
}

void TScreen::setSubHeadingText(const QString &text)
{
    subHeadingText = text;
    emit headingsChanged();
}
