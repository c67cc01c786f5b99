// tst_screen.cpp
#include "kvgui_main_window.h"
#include "kvgui_screen.h"
#include "kvgui_update_object.h"
#include "window_test_support.h"

#include <QtTest>

class Source : public QObject
{
    Q_OBJECT
signals:
    void changed();
};

// Records the order in which its hooks and update slots run.
class RecordingScreen : public TScreen
{
    Q_OBJECT
public:
    RecordingScreen()
        : TScreen("Heading", "Sub-heading", nullptr)
    { }
    QStringList calls;
    void goHome() { handleHomeSelected(); }
public slots:
    void refreshScreen() override { calls << "refresh"; }
    void fromFirst() { calls << "first"; }
    void fromSecond() { calls << "second"; }
};

class HomeMainWindow : public TMainWindow
{
    Q_OBJECT
public:
    HomeMainWindow()
        : TMainWindow(nullptr, "MainWindow", true)
    { }
    int mainScreenRequests = 0;
    void showMainScreen() override { ++mainScreenRequests; }
};

class TestScreen : public QObject
{
    Q_OBJECT
private slots:
    void showAndHide_data();
    void showAndHide();
    void homeSelected();
};

void TestScreen::showAndHide_data()
{
    QTest::addColumn<int>("updateObjects");
    QTest::addColumn<QStringList>("whileShown");

    QTest::newRow("refresh runs without update objects") << 0 << QStringList { "refresh" };
    QTest::newRow("update objects are live while shown, newest first") << 2 << QStringList { "refresh", "second", "first" };
}

void TestScreen::showAndHide()
{
    QFETCH(int, updateObjects);
    QFETCH(QStringList, whileShown);

    Source source;
    RecordingScreen screen;
    QVERIFY(screen.getUseEscapeClose());
    if (updateObjects > 0) {
        screen.addUpdateObject(new TUpdateObject(&source, SIGNAL(changed()), &screen, SLOT(fromFirst())));
        screen.addUpdateObject(new TUpdateObject(&source, SIGNAL(changed()), &screen, SLOT(fromSecond())));
    }
    emit source.changed();
    QVERIFY(screen.calls.isEmpty());

    screen.prepareShow();
    emit source.changed();
    QCOMPARE(screen.calls, whileShown);

    screen.calls.clear();
    screen.prepareHide();
    emit source.changed();
    QVERIFY(screen.calls.isEmpty());
}

void TestScreen::homeSelected()
{
    LogCapture log;
    HomeMainWindow mainWindow;
    RecordingScreen screen;
    screen.goHome();
    QCOMPARE(mainWindow.mainScreenRequests, 1);
    QVERIFY(log.contains("virtual void TScreen::handleHomeSelected() : Start of function TScreen::handleHomeSelected(). About to run "
                         "showMainScreen()."));
}

QTEST_MAIN(TestScreen)
#include "tst_screen.moc"
