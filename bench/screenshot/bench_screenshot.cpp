// bench_screenshot.cpp: what Alt+F12 costs the GUI thread before the picture goes to the save thread.
#include "kvgui_main_window.h"
#include "kvgui_screen.h"

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
};

class BenchScreenshot : public QObject
{
    Q_OBJECT
private slots:
    void grabAndConvert();
};

void BenchScreenshot::grabAndConvert()
{
    MainWindow mainWindow;
    TScreen *screen = new TScreen("CONFIGURATION", "Menu", nullptr);
    QVBoxLayout *layout = new QVBoxLayout(screen);
    for (const char *text : { "Select GMDSS system", "Calibrate touch screen", "Exit configuration" })
        layout->addWidget(new QPushButton(text, screen));
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    mainWindow.showNewScreen(screen);
    mainWindow.forceInstantAnimationCompletion();
    QImage image;
    QBENCHMARK
    {
        // As TMainWindow::keyPressEvent and savePixmap do on the GUI thread.
        image = mainWindow.grab().toImage();
    }
    QCOMPARE(image.size(), QSize(800, 600));
}

QTEST_MAIN(BenchScreenshot)
#include "bench_screenshot.moc"
