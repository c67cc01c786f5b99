// tst_abstract_sub_window.cpp: the sub-window base: placement, pooled views, event information and
// keys. (The configuration window base and the default focus widget are driven through the
// selection window in tst_select_system_cfg_window; a pooled view is borrowed again in
// tst_sub_window_view.)
#include "gui_test_support.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"

class TestAbstractSubWindow : public GuiFixture
{
    Q_OBJECT
private slots:
    void placement_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<QString>("via"); // opened from the point, from a widget centred on it, or from no widget
        QTest::newRow("small window pushed in from the corner") << QSize(200, 100) << QPoint(10, 10) << 0 << QPoint(74, 124) << "point";
        QTest::newRow("wide window centred") << QSize(700, 100) << QPoint(10, 300) << 0 << QPoint(50, 250) << "point";
        QTest::newRow("kept off the right edge") << QSize(200, 100) << QPoint(790, 300) << 0 << QPoint(525, 250) << "point";
        QTest::newRow("kept off the bottom edge") << QSize(200, 100) << QPoint(400, 590) << 0 << QPoint(300, 425) << "point";
        QTest::newRow("tall window centred below the title") << QSize(200, 450) << QPoint(400, 10) << 0 << QPoint(300, 100) << "point";
        QTest::newRow("keyboard room centres in the upper part") << QSize(200, 200) << QPoint(400, 500) << 1 << QPoint(300, 111) << "point";
        QTest::newRow("keyboard room keeps a small window above it")
            << QSize(200, 100) << QPoint(400, 350) << 1 << QPoint(300, 197) << "point";
        QTest::newRow("opened from the centre of a widget") << QSize(200, 100) << QPoint(150, 220) << 0 << QPoint(74, 170) << "widget";
        QTest::newRow("without a widget centred on the middle") << QSize(200, 100) << QPoint(400, 300) << 0 << QPoint(300, 250) << "null";
    }
    void placement()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, from);
        QFETCH(int, flags);
        QFETCH(QPoint, topLeft);
        QFETCH(QString, via);
        TestSubWindow *window = newWindow(0, size, int(TAbstractSubWindow::GrowFromPoint), flags);
        QWidget source(mainWindow);
        source.setGeometry(from.x() - 50, from.y() - 20, 101, 41);
        if (via == "point")
            window->showWindow(from);
        else
            window->showWindow(via == "widget" ? &source : nullptr);
        QCOMPARE(window->getView()->getStartRect().topLeft(), from);
        QTRY_COMPARE(finalTopLeft(window), topLeft);
    }

    void viewGoesBackToThePoolOnce_data()
    {
        QTest::addColumn<bool>("closeTwice");
        QTest::newRow("closing twice returns one view") << true;
        QTest::newRow("a window deleted while shown returns its view") << false;
    }
    void viewGoesBackToThePoolOnce()
    {
        QFETCH(bool, closeTwice);
        auto *window = new TestSubWindow;
        window->showEventInfo();
        TSubWindowView *view = window->getView();
        QVERIFY(mainWindow->getSubWindows().contains(view) && !TAbstractSubWindow::freeFrameList.contains(view));
        if (closeTwice) {
            window->close();
            window->close();
            QVERIFY(!window->getView());
        }
        delete window;
        QCOMPARE(TAbstractSubWindow::freeFrameList.count(view), 1);
        QVERIFY(!mainWindow->getSubWindows().contains(view));
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("choices");
        QTest::addColumn<bool>("stillShown");
        const int ret = Qt::Key_Return, esc = Qt::Key_Escape;
        QTest::newRow("Return presses the enabled default button") << ret << "default button" << true << 1 << true;
        QTest::newRow("Return on a disabled default button does nothing") << ret << "disabled default button" << false << 0 << true;
        QTest::newRow("Return without a default button goes on to the parent") << ret << "no default button" << false << 0 << true;
        QTest::newRow("Return after the default button is deleted goes on") << ret << "deleted default button" << false << 0 << true;
        QTest::newRow("Escape closes the window") << esc << "default button" << true << 0 << false;
        QTest::newRow("Escape is swallowed without escape-close") << esc << "no escape-close" << true << 0 << true;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(QString, setup);
        QFETCH(bool, accepted);
        QFETCH(int, choices);
        QFETCH(bool, stillShown);
        TestSubWindow *window = newWindow();
        auto *option = new TOption(QStringLiteral("&OK"), window);
        auto *button = new TOptionButton(option, window);
        if (setup != "no default button")
            window->setDefaultOptionButton(button);
        if (setup == "deleted default button")
            delete button;
        option->setEnabled(setup != "disabled default button");
        window->setUseEscapeClose(setup != "no escape-close");
        window->showWindow(QPoint(400, 300));
        QSignalSpy selected(option, SIGNAL(selected(QWidget *)));
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window, &press);
        QCOMPARE(press.isAccepted(), accepted);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(window, &release);
        QCOMPARE(selected.count(), choices);
        QCOMPARE(window->getView() != nullptr, stillShown);
    }
};

QTEST_MAIN(TestAbstractSubWindow)
#include "tst_abstract_sub_window.moc"
