// tst_window_view.cpp
#include "kvgui_main_window.h"
#include "kvgui_sub_window_view.h"
#include "window_test_support.h"

#include <QPointer>
#include <QtTest>

// Covering and uncovering layers: the focus a covered layer had comes back when it is uncovered.
class TestWindowView : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void focusMemory_data();
    void focusMemory();

private:
    TMainWindow *mainWindow = nullptr;
    QList<QPointer<TestSubWindow>> windows;
    LogCapture *log = nullptr;
};

void TestWindowView::init()
{
    log = new LogCapture;
    mainWindow = new TMainWindow(nullptr, "MainWindow", true);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    mainWindow->activateWindow();
}

void TestWindowView::cleanup()
{
    for (const QPointer<TestSubWindow> &window : qAsConst(windows))
        delete window.data();
    windows.clear();
    delete mainWindow;
    delete log;
}

void TestWindowView::focusMemory_data()
{
    QTest::addColumn<bool>("destroyFocused");

    QTest::newRow("uncovering gives the focus back to the remembered widget") << false;
    QTest::newRow("a destroyed remembered widget leaves the focus to the view") << true;
}

void TestWindowView::focusMemory()
{
    QFETCH(bool, destroyFocused);

    TestSubWindow *lower = new TestSubWindow(1, 0, QSize(200, 100));
    TestSubWindow *upper = new TestSubWindow(1, 0, QSize(200, 100));
    windows << lower << upper;
    lower->showWindow(QPoint(400, 300));
    QTRY_VERIFY(!mainWindow->isAnimating());
    lower->second->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(lower->second));

    TSubWindowView *lowerView = lower->getView();
    upper->showWindow(QPoint(400, 300));
    QVERIFY(!lowerView->isEnabled());
    QTRY_VERIFY(!mainWindow->isAnimating());

    if (destroyFocused)
        delete lower->second;
    upper->close();

    QVERIFY(lowerView->isEnabled());
    if (destroyFocused)
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(lowerView));
    else
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(lower->second));
    QVERIFY(!log->contains("UNEXPECTED OBJECT DESTROYED"));
}

QTEST_MAIN(TestWindowView)
#include "tst_window_view.moc"
