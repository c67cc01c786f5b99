// tst_abstract_sub_window.cpp
#include "kv_log_capture.h"
#include "kvgui_abstract_sub_window.h"
#include "kvgui_main_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_sub_window_view.h"
#include "kvgui_window_view.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// A window of one exact size.
class TSizedWindow : public TAbstractSubWindow
{
public:
    explicit TSizedWindow(const QSize &size, OptionFlags flags = 0)
        : TAbstractSubWindow(GrowFromPoint, flags)
    {
        setFixedSize(size);
    }
};

class TestAbstractSubWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void placement_data();
    void placement();
    void placementFromWidgetCentre();
    void placementFromNoWidget();
    void aboutToShowBeforeEveryShowing();
    void closingTwiceReturnsOneView();
    void destroyedWindowReturnsItsView();
    void eventInfoCascade_data();
    void eventInfoCascade();
    void returnPressesDefaultButton_data();
    void returnPressesDefaultButton();
    void escapeCloses_data();
    void escapeCloses();
    void defaultButtonMark();
    void focusGoesToDefaultFocusWidget();

private:
    QScopedPointer<TMainWindow> mainWindow;
};

void TestAbstractSubWindow::initTestCase()
{
    mainWindow.reset(new TMainWindow(nullptr, QStringLiteral("mainWindow"), true));
    mainWindow->show();
    QApplication::setActiveWindow(mainWindow.data());
    QVERIFY(QTest::qWaitForWindowActive(mainWindow.data()));
    QCOMPARE(mainWindow->size(), QSize(800, 600));
}

void TestAbstractSubWindow::cleanup()
{
    const QList<TSubWindowView *> shown = mainWindow->getSubWindows();
    for (TSubWindowView *view : shown)
        view->close();
    QVERIFY(mainWindow->getSubWindows().isEmpty());
    QVERIFY(TAbstractSubWindow::currentEventInfos.isEmpty());
}

void TestAbstractSubWindow::placement_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QPoint>("topLeft");

    QTest::newRow("small window pushed in from the corner") << QSize(200, 100) << QPoint(10, 10) << 0 << QPoint(74, 124);
    QTest::newRow("wide window centred") << QSize(700, 100) << QPoint(10, 300) << 0 << QPoint(50, 250);
    QTest::newRow("centred on the start point when it fits") << QSize(200, 100) << QPoint(400, 300) << 0 << QPoint(300, 250);
    QTest::newRow("kept off the right edge") << QSize(200, 100) << QPoint(790, 300) << 0 << QPoint(525, 250);
    QTest::newRow("kept off the bottom edge") << QSize(200, 100) << QPoint(400, 590) << 0 << QPoint(300, 425);
    QTest::newRow("tall window centred below the title") << QSize(200, 450) << QPoint(400, 10) << 0 << QPoint(300, 100);
    QTest::newRow("keyboard room centres in the upper part") << QSize(200, 200) << QPoint(400, 500) << 1 << QPoint(300, 111);
    QTest::newRow("keyboard room, opened from the top") << QSize(200, 200) << QPoint(400, 10) << 1 << QPoint(300, 111);
    QTest::newRow("keyboard room keeps a small window off the keyboard") << QSize(200, 100) << QPoint(400, 350) << 1 << QPoint(300, 197);
}

void TestAbstractSubWindow::placement()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, from);
    QFETCH(int, flags);
    QFETCH(QPoint, topLeft);

    TSizedWindow window(size, flags);
    window.showWindow(from);
    QVERIFY(window.getView());
    QCOMPARE(window.getWindowSize(), size);
    QCOMPARE(window.getView()->getEndRect().topLeft() + QPoint(25, 25), topLeft);
    QCOMPARE(window.getView()->getStartRect().topLeft(), from);
    mainWindow->forceInstantAnimationCompletion();
    QTRY_COMPARE(TMainWindow::posWithinMainWindow(&window, QPoint(0, 0)), topLeft);
    window.close();
}

void TestAbstractSubWindow::placementFromWidgetCentre()
{
    TLogCapture log;
    TLogCapture::lines().clear();
    QPushButton source(mainWindow->getWindowView());
    source.setGeometry(100, 200, 100, 40);
    source.show();
    const QPoint centre = TMainWindow::posWithinMainWindow(&source, source.rect().center());

    TSizedWindow window(QSize(200, 100));
    window.showWindow(&source);
    QCOMPARE(window.getView()->getStartRect().topLeft(), centre);
    QCOMPARE(window.getView()->getEndRect().topLeft() + QPoint(25, 25), QPoint(74, centre.y() - 50));
    QVERIFY(TLogCapture::contains(QStringLiteral("void TAbstractSubWindow::showWindow(QWidget*) : Start of function. this=")));
    QVERIFY(TLogCapture::contains(QStringLiteral("void TAbstractSubWindow::showWindow(QWidget*) : End of function. this=")));
    window.close();
}

void TestAbstractSubWindow::placementFromNoWidget()
{
    TLogCapture log;
    TLogCapture::lines().clear();
    TSizedWindow window(QSize(200, 100));
    window.showWindow(static_cast<QWidget *>(nullptr));
    QCOMPARE(window.getView()->getStartRect().topLeft(), QPoint(400, 300));
    QVERIFY(TLogCapture::contains(QStringLiteral("void TAbstractSubWindow::showWindow(QWidget*) : ERROR!!!! pFromCenterOf == null. Now "
                                                 "showing window from fixed QPoint(400,300).")));
    window.close();
}

void TestAbstractSubWindow::aboutToShowBeforeEveryShowing()
{
    TSizedWindow window(QSize(200, 100));
    QSignalSpy spy(&window, SIGNAL(aboutToShow()));
    window.showWindow(QPoint(400, 300));
    window.close();
    window.showEventInfo();
    window.close();
    window.showWindow(QPoint(0, 0), QPoint(10, 10), nullptr);
    QCOMPARE(spy.count(), 3);
    window.close();
}

void TestAbstractSubWindow::closingTwiceReturnsOneView()
{
    TSizedWindow window(QSize(200, 100));
    window.showWindow(QPoint(400, 300));
    TSubWindowView *view = window.getView();
    QVERIFY(view);
    QVERIFY(!TAbstractSubWindow::freeFrameList.contains(view));
    QVERIFY(mainWindow->getSubWindows().contains(view));
    const int pooled = TAbstractSubWindow::freeFrameList.count();

    window.close();
    window.close();
    QCOMPARE(TAbstractSubWindow::freeFrameList.count(), pooled + 1);
    QCOMPARE(TAbstractSubWindow::freeFrameList.count(view), 1);
    QVERIFY(!window.getView());
    QVERIFY(!mainWindow->getSubWindows().contains(view));

    // The next window borrows the returned view.
    TSizedWindow next(QSize(200, 100));
    next.showWindow(QPoint(400, 300));
    QCOMPARE(next.getView(), view);
    next.close();
}

void TestAbstractSubWindow::destroyedWindowReturnsItsView()
{
    TLogCapture log;
    TLogCapture::lines().clear();
    auto *window = new TSizedWindow(QSize(200, 100));
    window->showEventInfo();
    TSubWindowView *view = window->getView();
    delete window;

    QVERIFY(TLogCapture::contains(QStringLiteral("Window frame not freed before destroy")));
    QCOMPARE(TAbstractSubWindow::freeFrameList.count(view), 1);
    QVERIFY(!mainWindow->getSubWindows().contains(view));
    QVERIFY(TAbstractSubWindow::currentEventInfos.isEmpty());
}

void TestAbstractSubWindow::eventInfoCascade_data()
{
    QTest::addColumn<QList<int>>("shows");
    QTest::addColumn<QList<int>>("cascadeSlots");

    QTest::newRow("six windows in a row use slots 1 to 5, then 1") << QList<int> { 0, 1, 2, 3, 4, 5 } << QList<int> { 1, 2, 3, 4, 5, 1 };
    QTest::newRow("a window shown again moves to the end of the cascade") << QList<int> { 0, 1, 0 } << QList<int> { 1, 2, 3 };
}

void TestAbstractSubWindow::eventInfoCascade()
{
    QFETCH(QList<int>, shows);
    QFETCH(QList<int>, cascadeSlots);

    std::vector<std::unique_ptr<TSizedWindow>> windows;
    for (int i = 0; i < 6; ++i) {
        windows.emplace_back(new TSizedWindow(QSize(200, 100)));
        windows.back()->setShowEffect(TAbstractSubWindow::SlideIn);
    }
    for (int i = 0; i < shows.count(); ++i) {
        TSizedWindow *window = windows[shows[i]].get();
        window->showEventInfo();
        const int n = cascadeSlots[i] * 50;
        QCOMPARE(window->getView()->getEndRect().topLeft() + QPoint(25, 25), QPoint(n, n + 20));
        QCOMPARE(window->getView()->getStartRect().topLeft() + QPoint(25, 25), QPoint(800, n + 20));
        QCOMPARE(TAbstractSubWindow::currentEventInfos.last(), window);
        QVERIFY(window->getView()->getShownAsEventInfo());
    }
    for (auto &window : windows)
        window->close();
    QVERIFY(TAbstractSubWindow::currentEventInfos.isEmpty());
}

void TestAbstractSubWindow::returnPressesDefaultButton_data()
{
    QTest::addColumn<bool>("withButton");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");

    QTest::newRow("Return presses the enabled default button") << true << true << 1;
    QTest::newRow("Return on a disabled default button does nothing") << true << false << 0;
    QTest::newRow("Return without a default button does nothing") << false << true << 0;
}

void TestAbstractSubWindow::returnPressesDefaultButton()
{
    QFETCH(bool, withButton);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);

    TSizedWindow window(QSize(300, 150));
    auto *option = new TOption(QStringLiteral("&OK"), &window);
    auto *button = new TOptionButton(option, &window);
    if (withButton)
        window.setDefaultOptionButton(button);
    option->setEnabled(enabled);
    QSignalSpy selected(option, SIGNAL(selected(QWidget *)));

    QTest::keyClick(&window, Qt::Key_Return);
    QCOMPARE(selected.count(), clicks);
    QVERIFY(!button->isDown());
}

void TestAbstractSubWindow::escapeCloses_data()
{
    QTest::addColumn<bool>("useEscapeClose");

    QTest::newRow("Escape closes the window") << true;
    QTest::newRow("Escape is swallowed without escape-close") << false;
}

void TestAbstractSubWindow::escapeCloses()
{
    QFETCH(bool, useEscapeClose);

    TSizedWindow window(QSize(200, 100));
    window.setUseEscapeClose(useEscapeClose);
    window.showWindow(QPoint(400, 300));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
    QVERIFY(escape.isAccepted());
    QCOMPARE(window.getView() == nullptr, useEscapeClose);
    window.close();
}

void TestAbstractSubWindow::defaultButtonMark()
{
    TSizedWindow window(QSize(300, 150));
    auto *first = new TOptionButton(&window);
    auto *second = new TOptionButton(&window);
    window.setDefaultOptionButton(first);
    QVERIFY(first->isDefaultOptionButton());
    window.setDefaultOptionButton(second);
    QVERIFY(!first->isDefaultOptionButton());
    QVERIFY(second->isDefaultOptionButton());
    delete second;
    QVERIFY(!window.getDefaultOptionButton());
    // Return with the button gone must not reach it.
    QTest::keyClick(&window, Qt::Key_Return);
}

void TestAbstractSubWindow::focusGoesToDefaultFocusWidget()
{
    TSizedWindow window(QSize(300, 150));
    auto *other = new QLineEdit(&window);
    auto *edit = new QLineEdit(&window);
    other->move(0, 50);
    window.setDefaultFocusWidget(edit);
    window.showWindow(QPoint(400, 300));
    QTRY_COMPARE(QApplication::focusWidget(), edit);

    // A default focus widget that is gone no longer takes the focus.
    delete edit;
    window.setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(window.hasFocus() || other->hasFocus());
    window.close();
}

QTEST_MAIN(TestAbstractSubWindow)
#include "tst_abstract_sub_window.moc"
