// bench_window.cpp
#include "kvgui_abstract_sub_window.h"
#include "kvgui_main_window.h"
#include "kvgui_screen.h"
#include "kvgui_sub_window_view.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

class MainWindow : public TMainWindow
{
public:
    MainWindow()
        : TMainWindow(nullptr, "MainWindow", true)
    { }
    using TMainWindow::showNewScreen;
    using TMainWindow::updateScalingStep;
};

// A screen of the size and make of the configuration menu: a column of touch buttons.
class MenuScreen : public TScreen
{
public:
    explicit MenuScreen(const QString &heading)
        : TScreen(heading, "Menu", nullptr)
    {
        QVBoxLayout *layout = new QVBoxLayout(this);
        for (const char *text : { "Select GMDSS system", "Calibrate touch screen", "Exit configuration" }) {
            QPushButton *button = new QPushButton(text, this);
            button->setMinimumHeight(58);
            layout->addWidget(button);
        }
    }
};

class ConfigWindow : public TAbstractSubWindow
{
public:
    ConfigWindow()
        : TAbstractSubWindow(1, 0)
    {
        setFixedSize(500, 300);
        QVBoxLayout *layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel("Role of this terminal in the GMDSS installation", this));
        layout->addWidget(new QPushButton("Primary", this));
        layout->addWidget(new QPushButton("Duplicated", this));
    }
};

// With KV_BENCH_SAVE set to a folder, the last painted step is saved there to be looked at.
static void saveForLooking(const QPixmap &picture, const QString &name)
{
    const QString folder = qEnvironmentVariable("KV_BENCH_SAVE");
    if (!folder.isEmpty())
        picture.save(folder + "/" + name);
}

class BenchWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void screenZoomStep();
    void subWindowOpeningStep();

private:
    MainWindow *mainWindow = nullptr;
    MenuScreen *first = nullptr;
    MenuScreen *second = nullptr;
};

void BenchWindow::init()
{
    mainWindow = new MainWindow;
    first = new MenuScreen("FIRST");
    second = new MenuScreen("SECOND");
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    mainWindow->showNewScreen(first);
    QTRY_VERIFY(!mainWindow->isAnimating());
}

void BenchWindow::cleanup()
{
    delete mainWindow;
    mainWindow = nullptr;
    first = second = nullptr;
}

// Half-way through the zoom of the second screen over the first; no events run meanwhile, so
// the time line stands still.
void BenchWindow::screenZoomStep()
{
    mainWindow->showNewScreen(second);
    QPixmap target(800, 600);
    QBENCHMARK
    {
        mainWindow->updateScalingStep(0.5);
        mainWindow->render(&target);
    }
    saveForLooking(target, "zoom_step.png");
}

// Half-way through the growth of a 500 x 300 window from a point, over the dimmed still picture.
void BenchWindow::subWindowOpeningStep()
{
    ConfigWindow *window = new ConfigWindow;
    window->showWindow(QPoint(200, 200));
    TSubWindowView *view = window->getView();
    QVERIFY(mainWindow->isAnimating());
    const QRect start = view->getStartRect();
    const QRect end = view->getEndRect();
    const QRect halfWay(QPoint((start.left() + end.left()) / 2, (start.top() + end.top()) / 2),
        QSize((start.width() + end.width()) / 2, (start.height() + end.height()) / 2));
    QPixmap target(800, 600);
    QBENCHMARK
    {
        view->setFrontGeometry(halfWay);
        mainWindow->render(&target);
    }
    saveForLooking(target, "opening_step.png");
    delete window;
}

QTEST_MAIN(BenchWindow)
#include "bench_window.moc"
