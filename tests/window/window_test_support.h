// window_test_support.h
#pragma once

#include "kvgui_abstract_sub_window.h"
#include "kvgui_main_window.h"

#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

// A plain sub-window of a fixed size with two buttons to move the focus between.
class TestSubWindow : public TAbstractSubWindow
{
    Q_OBJECT
public:
    TestSubWindow(int priority, const QSize &size, int effect)
        : TAbstractSubWindow(effect, 0)
    {
        setPriority(priority);
        setFixedSize(size);
        QVBoxLayout *layout = new QVBoxLayout(this);
        layout->addWidget(first = new QPushButton("first", this));
        layout->addWidget(second = new QPushButton("second", this));
    }
    void foldUpDown() { setFoldUpDown(true); }

    QPushButton *first;
    QPushButton *second;
};

// Exposes the protected screen change, as the application's own main window does.
class MainWindow : public TMainWindow
{
public:
    explicit MainWindow(bool withTitleArea)
        : TMainWindow(nullptr, "MainWindow", withTitleArea)
    { }
    using TMainWindow::showNewScreen;
};

// Gives each test function a shown main window with title area; the widgets in `owned` are
// deleted before it.
class WindowFixture : public QObject
{
    Q_OBJECT
protected slots:
    void init() { create(true); }
    void cleanup()
    {
        qDeleteAll(owned);
        owned.clear();
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
    }
    TestSubWindow *newWindow(int priority = 0, const QSize &size = QSize(200, 100), int effect = 1)
    {
        TestSubWindow *window = new TestSubWindow(priority, size, effect);
        owned << window;
        return window;
    }

    MainWindow *mainWindow = nullptr;
    QList<QPointer<QWidget>> owned;
};
