// gallery_screenshots.cpp: review pictures of framework controls that the configuration screens do
// not use, above and below the configuration menu: icon buttons with and without their text, option
// buttons with an icon, checked and disabled, a disabled icon button, and a minimisable button bar; then
// the icon button's menu opened over them, the bar minimised, and an error message with its time stamp
// under later events; last the other button kinds with the transition layers and an eliding label.
#include "kvgui_abstract_menu_shower.h"
#include "kvgui_animation_pixmap_widget.h"
#include "kvgui_button_bar.h"
#include "kvgui_elide_label.h"
#include "kvgui_icon_button.h"
#include "kvgui_main_window.h"
#include "kvgui_message_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_icon_button.h"

#include <QPainter>
#include <QTest>

bool saveScreenshot(TMainWindow &window, const QString &dir, const QString &name);
void closeSubWindows(TMainWindow &window);

// Option buttons of the other kinds and looks: sort column headers, a left-aligned and a centred
// button with an icon, an elided text, a default button, and menu buttons with each direction's arrow.
static bool saveButtonKinds(TMainWindow &window, QWidget *screen, const QString &dir, const QString &suffix)
{
    QWidget layer(screen);
    layer.setGeometry(screen->rect());
    const auto button = [&layer](const char *text, const char *icon, TOptionButton::ButtonType type, const QRect &at) {
        auto *b = new TOptionButton(new TOption(QObject::tr(text), QLatin1String(icon), &layer), &layer, type);
        b->setGeometry(at);
        return b;
    };
    button("Name", "", TOptionButton::SortColumnButton, QRect(20, 10, 180, 58))->setSortOrder(TOptionButton::SortAscending);
    button("Time", "", TOptionButton::SortColumnButton, QRect(210, 10, 180, 58))->setSortOrder(TOptionButton::SortDescending);
    button("&Information", "kvgui_message_info", TOptionButton::LeftAlignedButton, QRect(400, 10, 380, 58));
    button("&Warning", "kvgui_message_warning", TOptionButton::StandardButton, QRect(20, 80, 380, 58))->setAlignment(Qt::AlignCenter);
    button("&A text far too long for its button", "", TOptionButton::StandardButton, QRect(410, 80, 180, 58))->setElideMode(Qt::ElideRight);
    button("&Default", "", TOptionButton::StandardButton, QRect(600, 80, 180, 58))->setDefaultOptionButton(true);
    const TAbstractMenuShower::MenuDirections directions[]
        = { TAbstractMenuShower::DropUp, TAbstractMenuShower::DropDown, TAbstractMenuShower::ToTheLeft, TAbstractMenuShower::ToTheRight };
    for (int i = 0; i < 4; ++i) {
        TOptionButton *menu
            = button("&Menu", i == 3 ? "kvgui_tools" : "", TOptionButton::StandardButton, QRect(20 + 190 * i, 350, 180, 58));
        menu->getOption()->appendSubOption(new TOption(QObject::tr("Entry"), menu->getOption()));
        menu->setMenuDirection(directions[i]);
        emit menu->getOption()->updated();
    }

    // The layers a transition is drawn with, stopped midway: a back picture, a middle one at half
    // strength (at its own place, then following the front) and a front one scaled into its frame.
    const auto picture = [](const QSize &size, const QColor &colour, bool round) {
        QPixmap p(size);
        p.fill(round ? Qt::white : colour);
        QPainter painter(&p);
        painter.setBrush(colour);
        if (round)
            painter.drawEllipse(p.rect().adjusted(4, 4, -5, -5));
        return p;
    };
    for (const bool follows : { false, true }) {
        auto *layers = new TAnimationPixmapWidget(&layer);
        layers->setGeometry(follows ? 280 : 20, 420, 240, 100);
        layers->setMidGeoEqualFroGeo(follows);
        layers->setBackPixmap(picture(QSize(240, 100), QColor(40, 90, 160), false));
        layers->setMiddelPixmap(picture(QSize(120, 60), QColor(240, 160, 0), false));
        layers->setMiddelOpacity(0.5);
        layers->setFrontGeometry(QRect(100, 30, 120, 60));
        layers->setFrontPixmap(picture(QSize(60, 40), QColor(0, 150, 60), true));
        layers->setFrontOpacity(follows ? 0.6 : 1.0);
    }
    auto *label = new TElideLabel(QObject::tr("A label far too long for its place"), Qt::ElideMiddle, &layer);
    label->setGeometry(560, 450, 170, 40);
    layer.show();
    return saveScreenshot(window, dir, "gallery_buttons" + suffix);
}

bool saveGalleryScreenshots(TMainWindow &window, QWidget *screen, const QString &dir, const QString &suffix)
{
    TIconButton keys(QObject::tr("Keys"), QStringLiteral("kvgui_keyboard"), screen);
    keys.setGeometry(20, 10, 80, 120);

    TOption devices(QObject::tr("&Storage devices"), QStringLiteral("kvgui_device_usb"), nullptr);
    for (const char *text : { "&USB stick", "&SD card", "&Message terminal" })
        devices.appendSubOption(new TOption(QObject::tr(text), &devices));
    devices.setMenuHeading(QObject::tr("Save the log to"));
    TOptionIconButton withText(&devices, screen);
    withText.setDrawFlags(TOptionIconButton::DrawBackground | TOptionIconButton::DrawText);
    withText.setMenuDirection(TAbstractMenuShower::DropDown);
    withText.move(120, 10);
    withText.resize(withText.sizeHint());

    // Without its text flag the button keeps to its icon, however long the option's text.
    TOption card(QObject::tr("A memory card of the unit"), QStringLiteral("kvgui_device_sdcard"), nullptr);
    TOptionIconButton iconOnly(&card, screen);
    iconOnly.move(230, 10);
    iconOnly.resize(iconOnly.sizeHint());

    TOption info(QObject::tr("&Information"), QStringLiteral("kvgui_message_info"), nullptr);
    TOptionButton withIcon(&info, screen);
    withIcon.setGeometry(320, 10, 220, 58);
    TOption checked(QObject::tr("C&hecked"), nullptr);
    TOptionButton checkedButton(&checked, screen);
    checkedButton.setCheckable(true);
    checkedButton.setChecked(true);
    checkedButton.setGeometry(560, 10, 220, 58);
    TOption disabled(QObject::tr("&Disabled"), nullptr);
    disabled.setEnabled(false);
    TOptionButton disabledButton(&disabled, screen);
    disabledButton.setGeometry(560, 80, 220, 58);

    TOption printer(QObject::tr("&Printer"), QStringLiteral("kvgui_tools"), nullptr);
    printer.setEnabled(false);
    TOptionIconButton faded(&printer, screen);
    faded.setDrawFlags(TOptionIconButton::DrawBackground | TOptionIconButton::DrawText);
    faded.move(20, 150);
    faded.resize(faded.sizeHint());

    TButtonBar bar(screen, true);
    TOption edit(QObject::tr("&Edit"), nullptr);
    TOption tools(QObject::tr("T&ools"), QStringLiteral("kvgui_tools"), nullptr);
    bar.addNewOptionButton(&edit, 1);
    bar.addNewOptionIconButton(&tools);
    bar.addLabel(QObject::tr("Label"), 1, Qt::AlignCenter);
    bar.addIcon(QStringLiteral("kvgui_message_warning"));
    bar.setFullyShown();
    // In a layout the bar would widen itself; here it is placed once it may.
    bar.setGeometry(0, screen->height() - 70, 800, 58);
    // A minimisable bar as it starts: its tools button alone.
    TButtonBar fresh(screen, true);
    TOption print(QObject::tr("&Print"), nullptr);
    fresh.addNewOptionButton(&print);
    fresh.move(720, 360);
    for (QWidget *w :
        std::initializer_list<QWidget *> { &keys, &withText, &iconOnly, &faded, &withIcon, &checkedButton, &disabledButton, &bar, &fresh })
        w->show();

    bool ok = saveScreenshot(window, dir, "gallery" + suffix);
    QTest::mouseClick(&withText, Qt::LeftButton);
    ok &= saveScreenshot(window, dir, "gallery_menu" + suffix);
    closeSubWindows(window);
    bar.setMinimized();
    ok &= saveScreenshot(window, dir, "gallery_minimized" + suffix);

    // An error as the terminal reports one that arrived earlier: with its time stamp.
    TMessageWindow::error(
        QObject::tr("Printer error"), QObject::tr("The printer is out of paper."), QDateTime(QDate(2026, 3, 14), QTime(9, 26)));
    // Later events stack over it, each a step further in; one time stamp on the 24-hour clock.
    TMessageWindow::use24HourClock = true;
    TMessageWindow::warning(QObject::tr("Antenna"), QObject::tr("No satellite in view."), QDateTime(QDate(2026, 3, 14), QTime(21, 5)));
    TMessageWindow::use24HourClock = false;
    TMessageWindow::message(TMessageWindow::NewDistressMessage, QObject::tr("Distress alert"),
        QObject::tr("A distress alert was received."), QDateTime(QDate(2026, 3, 14), QTime(21, 7)), nullptr, nullptr, nullptr);
    ok &= saveScreenshot(window, dir, "gallery_error" + suffix);
    closeSubWindows(window);
    for (QWidget *w :
        std::initializer_list<QWidget *> { &keys, &withText, &iconOnly, &faded, &withIcon, &checkedButton, &disabledButton, &bar, &fresh })
        w->hide();
    return ok && saveButtonKinds(window, screen, dir, suffix);
}
