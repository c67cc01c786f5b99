// gui_test_support.h: the one main window of the process that screens, sub-windows, menus and the
// touch keyboard live in, a plain sub-window to stack in it, and touches as the screen sends them.
#pragma once

#include "kvgui_abstract_sub_window.h"
#include "kvgui_main_window.h"
#include "kvgui_sub_window_view.h"

#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

// A sub-window of a fixed size with two buttons to move the focus between.
class TestSubWindow : public TAbstractSubWindow
{
public:
    explicit TestSubWindow(int priority = 0, const QSize &size = QSize(200, 100), int effect = GrowFromPoint, int flags = 0)
        : TAbstractSubWindow(effect, flags)
    {
        setPriority(priority);
        setFixedSize(size);
        QVBoxLayout *layout = new QVBoxLayout(this);
        layout->addWidget(first = new QPushButton("first", this));
        layout->addWidget(second = new QPushButton("second", this));
    }
    QPushButton *first;
    QPushButton *second;
};

// Exposes the protected screen change, as the application's own main window does.
class MainWindow : public TMainWindow
{
public:
    explicit MainWindow(bool withTitleArea = true)
        : TMainWindow(nullptr, "MainWindow", withTitleArea)
    { }
    using TMainWindow::pHomeScreen; // set as a subclass with a home screen would
    using TMainWindow::showNewScreen;
};

// Gives each test function a shown 800 x 600 main window with title area; the widgets in `owned`
// are deleted before it, and every sub-window still open is closed.
class GuiFixture : public QObject
{
    Q_OBJECT
protected slots:
    void init() { create(true); }
    void cleanup()
    {
        qDeleteAll(owned);
        owned.clear();
        const QList<TSubWindowView *> open = mainWindow ? mainWindow->getSubWindows() : QList<TSubWindowView *>(); // closing changes it
        for (TSubWindowView *view : open)
            view->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete mainWindow;
        mainWindow = nullptr;
    }

protected:
    void create(bool withTitleArea)
    {
        delete mainWindow;
        mainWindow = new MainWindow(withTitleArea);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        mainWindow->activateWindow();
        QApplication::setActiveWindow(mainWindow);
    }
    template<class W = TestSubWindow, class... A> W *newWindow(A... args)
    {
        W *window = new W(args...);
        owned << window;
        return window;
    }
    // Where a shown sub-window's top-left ends, in main-window coordinates, once its opening is over.
    QPoint finalTopLeft(TAbstractSubWindow *window)
    {
        mainWindow->forceInstantAnimationCompletion();
        return TMainWindow::posWithinMainWindow(window, QPoint(0, 0));
    }
    void settle() { QTRY_VERIFY(!mainWindow->isAnimating()); }

    MainWindow *mainWindow = nullptr;
    QList<QPointer<QWidget>> owned;
};

// Touches arrive as mouse events with the left button; built by hand so that moves carry the held
// button.
inline void touch(QWidget *w, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

inline void tap(QWidget *w)
{
    touch(w, QEvent::MouseButtonPress, w->rect().center());
    touch(w, QEvent::MouseButtonRelease, w->rect().center());
}
