// tst_main_screen.cpp: the configuration main window and its menu as built (what the buttons do is
// checked end to end on the real program by tst_kestra_config).
#include "gui_app.h"
#include "kvgui_elide_label.h"
#include "kvgui_option_button.h"
#include "kvgui_style.h"
#include "main_screen.h"
#include "main_window.h"

#include <QtTest>

class TestMainScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuShowsHeadingsAndThreeButtons_data();
    void menuShowsHeadingsAndThreeButtons();

private:
    QList<TOptionButton *> buttons() const;

    MainWindow *window = nullptr;
};

QList<TOptionButton *> TestMainScreen::buttons() const
{
    return window->findChild<MainScreen *>()->findChildren<TOptionButton *>();
}

void TestMainScreen::initTestCase()
{
    QApplication::setStyle(new TStyle);
    window = new MainWindow(nullptr);
    window->setVisible(true);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), QSize(800, 600));
    QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    // The menu zooms in; the live screen replaces the picture when the zoom ends.
    QTRY_VERIFY(window->findChild<MainScreen *>()->isVisible());
}

void TestMainScreen::menuShowsHeadingsAndThreeButtons_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("system selection") << 0 << "&Select GMDSS system" << true;
    QTest::newRow("touch calibration") << 1 << "&Calibrate touch screen" << true;
    QTest::newRow("leave configuration") << 2 << "&Exit configuration" << true;
}

void TestMainScreen::menuShowsHeadingsAndThreeButtons()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(bool, enabled);

    QCOMPARE(window->getScreenLabel()->text(), QString("KESTRA 4417 MESSAGE TERMINAL"));
    QCOMPARE(window->getPageLabel()->text(), QString("CONFIGURATION"));
    const QList<TOptionButton *> all = buttons();
    QCOMPARE(all.size(), 3);
    TOptionButton *button = all[index];
    QCOMPARE(button->text(), text);
    QCOMPARE(button->isEnabled(), enabled);
    QCOMPARE(button->size(), QSize(400, 58));

    // One column in the middle of the screen, the three buttons together.
    const QPoint topLeft = button->mapTo(window, QPoint(0, 0));
    QCOMPARE(topLeft.x(), 200);
    QCOMPARE(topLeft.y(), all[0]->mapTo(window, QPoint(0, 0)).y() + 58 * index);
    const int columnTop = all[0]->mapTo(window, QPoint(0, 0)).y();
    const int columnBottom = all[2]->mapTo(window, QPoint(0, 58)).y();
    QVERIFY(qAbs((columnTop - 70) - (600 - 50 - columnBottom)) <= 1);
}

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    TestMainScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_main_screen.moc"
