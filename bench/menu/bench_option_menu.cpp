// bench_option_menu.cpp: the time from activating a menu button to the start of the menu's animation.
#include "kvgui_main_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_menu_window.h"
#include "kvgui_sub_window_view.h"

#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>

class BenchOptionMenu : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstOpening();
    void pooledOpening();

private:
    TMainWindow *mainWindow = nullptr;
    TOptionButton *button = nullptr;
};

void BenchOptionMenu::init()
{
    mainWindow = new TMainWindow(nullptr, "MainWindow", true);
    QWidget *holder = new QWidget(mainWindow->getWindowView());
    holder->setGeometry(0, 70, 800, 530);
    TOption *menu = new TOption("&Settings", holder);
    for (int i = 0; i < 12; ++i)
        menu->appendSubOption(new TOption(i, QString("Setting number %1").arg(i + 1), menu));
    button = new TOptionButton(menu, holder);
    button->setMenuDirection(TAbstractMenuShower::DropUp);
    button->setGeometry(300, 460, 150, 58);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    // A touch comes after the first screen is up, when the idle work after its first frame is done:
    // a free view, and a pooled window for the button's menu.
    QTRY_VERIFY(!TAbstractSubWindow::freeFrameList.isEmpty());
    QTRY_VERIFY(!TOptionMenuWindow::freeOptionWindows.isEmpty());
}

void BenchOptionMenu::cleanup()
{
    for (TSubWindowView *view : mainWindow->getSubWindows())
        view->close();
    delete mainWindow;
}

// The first menu of the process, in the window made for it after the first frame: the opening code
// runs for the first time, and the frame's picture is new memory. QtTest runs a benchmark twice, so
// the first run's time is kept.
void BenchOptionMenu::firstOpening()
{
    static qint64 first = -1;
    QElapsedTimer timer;
    timer.start();
    TOptionMenuWindow::displayOptionMenu(button);
    if (first < 0)
        first = timer.nsecsElapsed();
    QVERIFY(mainWindow->isAnimating());
    QTest::setBenchmarkResult(first, QTest::WalltimeNanoseconds);
}

// The usual case: a pooled window that reuses its entry buttons. Only the opening is timed (the
// closing between two openings is not); the median of many openings is reported.
void BenchOptionMenu::pooledOpening()
{
    TOptionMenuWindow::displayOptionMenu(button);
    mainWindow->forceInstantAnimationCompletion();
    mainWindow->getSubWindows().last()->close();
    QVector<qint64> times;
    for (int i = 0; i < 41; ++i) {
        QElapsedTimer timer;
        timer.start();
        TOptionMenuWindow::displayOptionMenu(button);
        times << timer.nsecsElapsed();
        QVERIFY(mainWindow->isAnimating());
        mainWindow->forceInstantAnimationCompletion();
        mainWindow->getSubWindows().last()->close();
        // The event loop between two touches deletes the last menu-shown button.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::sort(times.begin(), times.end());
    QTest::setBenchmarkResult(times.at(times.size() / 2), QTest::WalltimeNanoseconds);
}

QTEST_MAIN(BenchOptionMenu)
#include "bench_option_menu.moc"
