// tst_abstract_sub_window.cpp: the sub-window base: placement, pooled views and event information.
// (Its keys are sent beside its view's, and a pooled view is borrowed again, in tst_sub_window_view;
// the configuration window base and the default focus widget are driven through the selection
// window in tst_select_system_cfg_window.)
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
        QTest::newRow("as large as the edges allow is centred") << QSize(650, 400) << QPoint(10, 300) << 0 << QPoint(75, 125) << "point";
        QTest::newRow("tall window centred below the title") << QSize(200, 450) << QPoint(400, 10) << 0 << QPoint(300, 100) << "point";
        QTest::newRow("keyboard room centres in the upper part") << QSize(200, 200) << QPoint(400, 500) << 1 << QPoint(300, 111) << "point";
        QTest::newRow("keyboard room keeps small windows above") << QSize(200, 100) << QPoint(400, 350) << 1 << QPoint(300, 197) << "point";
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
        QCOMPARE(window->getWindowSize(), size); // measurable before it has a view or any styled parent
        if (via == "point")
            window->showWindow(from);
        else
            window->showWindow(via == "widget" ? &source : nullptr);
        QCOMPARE(window->getView()->getStartRect().topLeft(), from);
        QTRY_COMPARE(finalTopLeft(window), topLeft);
    }

    // An option bound to a window reports its choice, with id 0, then opens the window from its button.
    // A window has one default button at a time.
    void popUpOption_data()
    {
        QTest::addColumn<QString>("icon");
        QTest::newRow("text only") << QString();
        QTest::newRow("with an icon") << "kvgui_tools";
    }
    void popUpOption()
    {
        QFETCH(QString, icon);
        TestSubWindow *window = newWindow();
        QScopedPointer<TOption> option(icon.isEmpty() ? new TOption(window, "Open", nullptr) : new TOption(window, "Open", icon, nullptr));
        TOptionButton button(option.data(), mainWindow), first(option.data(), window), second(option.data(), window);
        button.show();
        QSignalSpy leaf(option.data(), SIGNAL(leafSelected()));
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(leaf.count() == 1 && window->getView() && option->getId() == 0 && option->getIconName() == icon);
        window->setDefaultOptionButton(&first);
        window->setDefaultOptionButton(&second);
        QVERIFY(!first.isDefaultOptionButton() && second.isDefaultOptionButton());
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
        }
        delete window;
        // Nor does it stay in the cascade of event information, where the next one would read it.
        QVERIFY(TAbstractSubWindow::freeFrameList.count(view) == 1 && !mainWindow->getSubWindows().contains(view)
            && !TAbstractSubWindow::currentEventInfos.contains(window));
    }
};

QTEST_MAIN(TestAbstractSubWindow)
#include "tst_abstract_sub_window.moc"
