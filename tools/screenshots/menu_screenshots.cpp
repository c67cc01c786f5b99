// menu_screenshots.cpp: review pictures of an option menu opened in each direction, with a heading and
// a nested entry, over the configuration menu; then a menu in two columns without heading over a
// button wider than both, pushed off the right edge, and one that flips sideways under a long heading.
#include "kvgui_abstract_menu_shower.h"
#include "kvgui_main_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"

#include <QTest>

bool saveScreenshot(TMainWindow &window, const QString &dir, const QString &name);
void closeSubWindows(TMainWindow &window);

bool saveMenuScreenshots(TMainWindow &window, QWidget *screen, const QString &dir, const QString &suffix)
{
    struct Placement
    {
        TAbstractMenuShower::MenuDirections direction;
        const char *name;
        QRect button; // in the screen's coordinates
        const char *heading;
        int channels; // entries after the five display entries
    };
    const Placement placements[] = {
        { TAbstractMenuShower::DropUp, "up", QRect(320, 460, 160, 58), "Display settings", 0 },
        { TAbstractMenuShower::DropDown, "down", QRect(320, 10, 160, 58), "Display settings", 0 },
        { TAbstractMenuShower::ToTheLeft, "left", QRect(620, 200, 160, 58), "Display settings", 0 },
        { TAbstractMenuShower::ToTheRight, "right", QRect(20, 200, 160, 58), "Display settings", 0 },
        { TAbstractMenuShower::DropUp, "wide", QRect(190, 460, 600, 58), "", 9 },
        { TAbstractMenuShower::ToTheLeft, "flipped", QRect(20, 470, 160, 58), "Display settings of the screen and of the keyboard", 0 },
    };
    bool ok = true;
    for (const Placement &placement : placements) {
        TOption menu(QObject::tr("&Display"), nullptr);
        menu.setMenuHeading(QObject::tr(placement.heading));
        for (const char *text : { "&Brightness", "&Contrast", "Day &mode", "&Night mode", "&Language" })
            menu.appendSubOption(new TOption(QObject::tr(text), &menu));
        TOption *language = menu.subOptions->at(4);
        for (int i = 1; i <= placement.channels; ++i)
            menu.appendSubOption(new TOption(QObject::tr("Channel %1").arg(i), &menu));
        for (const char *text : { "English", "Deutsch", "Русский" })
            language->appendSubOption(new TOption(QString::fromUtf8(text), language));
        TOptionButton button(&menu, screen);
        button.setMenuDirection(placement.direction);
        button.setGeometry(placement.button);
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        ok &= saveScreenshot(window, dir, QString("menu_") + placement.name + suffix);
        closeSubWindows(window);
    }
    return ok;
}
