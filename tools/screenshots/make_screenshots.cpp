// make_screenshots.cpp: pictures of the configuration application as the operator sees it, for
// review: the menu, a warning and the yes/no question over it, in day and night mode.
// Run in the unit sandbox (scripts/screenshots), which gives it res/ and a system log.
#include "gui_app.h"
#include "kvgui_abstract_sub_window.h"
#include "kvgui_main_window.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"
#include "kvgui_style.h"
#include "kvgui_stylesheet.h"
#include "main_screen.h"
#include "main_window.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

namespace {

void settle(MainWindow &window)
{
    // Let every opening finish and the live layers return (the dimmed still picture goes 100 ms
    // after the last animation).
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000 && window.isAnimating())
        QTest::qWait(20);
    QTest::qWait(400);
}

bool save(MainWindow &window, const QString &dir, const QString &name)
{
    settle(window);
    const QString path = dir + "/" + name + ".png";
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// A shown sub-window lives inside its view, a layer of the main window.
void closeSubWindows(MainWindow &window)
{
    for (TAbstractSubWindow *subWindow : window.findChildren<TAbstractSubWindow *>()) {
        if (subWindow->isVisible())
            subWindow->close();
    }
}

} // namespace

bool saveMenuScreenshots(TMainWindow &window, QWidget *screen, const QString &dir, const QString &suffix);

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    QApplication::setStyle(new TStyle);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(dir);

    MainWindow window(nullptr);
    window.setVisible(true);
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const QList<TOptionButton *> buttons = window.findChild<MainScreen *>()->findChildren<TOptionButton *>();
    if (buttons.size() != 3)
        return 1;

    bool ok = true;
    for (TStyleSheetMode mode : { DayMode, NightMode }) {
        const QString suffix = mode == DayMode ? "_day" : "_night";
        TStyleSheet::styleSheetHandler.setMode(mode);
        QTest::qWait(100); // the new sheet is applied from the event loop
        ok &= save(window, dir, "menu" + suffix);

        TMessageWindow::warning(
            QObject::tr("Wrong password"), QObject::tr("The configuration password is not correct. Try again."), buttons[1]);
        ok &= save(window, dir, "warning" + suffix);
        closeSubWindows(window);

        TMessageWindow::yesNoQuestion(QObject::tr("Are you sure?"),
            QObject::tr("From now on the message terminal will act as part of a primary GMDSS system."), buttons[0], &window, nullptr,
            nullptr);
        ok &= save(window, dir, "question" + suffix);
        closeSubWindows(window);
        settle(window);

        ok &= saveMenuScreenshots(window, window.findChild<MainScreen *>(), dir, suffix);
    }
    return ok ? 0 : 1;
}
