// controls_test_support.h
#pragma once

#include "kvgui_abstract_sub_window.h"
#include "kvgui_main_window.h"
#include "kvgui_sub_window_view.h"

#include <QApplication>
#include <QtTest>

// Sub-windows are shown in the one main window of the process; an 800 x 600 one with its title area.
inline bool showMainWindow(QScopedPointer<TMainWindow> &mainWindow)
{
    mainWindow.reset(new TMainWindow(nullptr, QStringLiteral("mainWindow"), true));
    mainWindow->show();
    QApplication::setActiveWindow(mainWindow.data());
    return QTest::qWaitForWindowExposed(mainWindow.data()) && mainWindow->size() == QSize(800, 600);
}

// Closes every shown sub-window and runs the deletions that closing schedules; true when no window is
// left as event information.
inline bool closeSubWindows(TMainWindow *mainWindow)
{
    const QList<TSubWindowView *> shown = mainWindow->getSubWindows();
    for (TSubWindowView *view : shown)
        view->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return TAbstractSubWindow::currentEventInfos.isEmpty();
}

// Where a shown sub-window's top-left ends, in main-window coordinates, once its opening is over.
inline QPoint finalTopLeft(TMainWindow *mainWindow, TAbstractSubWindow *window)
{
    mainWindow->forceInstantAnimationCompletion();
    return TMainWindow::posWithinMainWindow(window, QPoint(0, 0));
}
