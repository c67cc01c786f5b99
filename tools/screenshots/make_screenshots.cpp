// make_screenshots.cpp: pictures of the configuration application as the operator sees it, for
// review: the menu, a warning and the yes/no question over it, the system selection with its
// password request, the touch keyboard under a window in each of its main layouts, and framework
// controls the configuration screens do not use, in day and night mode.
// Run in the unit sandbox (scripts/screenshots), which gives it res/ and a system log.
#include "gui_app.h"
#include "kvgui_abstract_cfg_window.h"
#include "kvgui_abstract_sub_window.h"
#include "kvgui_icon_button.h"
#include "kvgui_led_box.h"
#include "kvgui_line_edit.h"
#include "kvgui_main_window.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"
#include "kvgui_password_req_window.h"
#include "kvgui_style.h"
#include "kvgui_stylesheet.h"
#include "kvgui_touch_key.h"
#include "kvgui_touch_keyboard.h"
#include "main_screen.h"
#include "main_window.h"
#include "select_system_cfg_window.h"
#include "translations.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <cstdio>

static void settle(TMainWindow &window)
{
    // Let every opening finish and the live layers return (the dimmed still picture goes 100 ms
    // after the last animation).
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000 && window.isAnimating())
        QTest::qWait(20);
    QTest::qWait(400);
}

bool saveScreenshot(TMainWindow &window, const QString &dir, const QString &name)
{
    settle(window);
    const QString path = dir + "/" + name + ".png";
    const bool ok = window.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// A shown sub-window lives inside its view, a layer of the main window.
void closeSubWindows(TMainWindow &window)
{
    for (TAbstractSubWindow *subWindow : window.findChildren<TAbstractSubWindow *>()) {
        if (subWindow->isVisible())
            subWindow->close();
    }
}

namespace {

// In English the sample texts of the pictures; in another language the application's own, so
// the pictures show that language.
bool english = true;

// A configuration window with one text field that keeps the keyboard open under it.
class TextWindow : public TAbstractCfgWindow
{
public:
    TextWindow()
        : TAbstractCfgWindow(english ? QObject::tr("Enter password") : TPasswordReqWindow::tr("Password needed"), true)
    {
        QVBoxLayout *layout = new QVBoxLayout(pCfgEditingFrame);
        field = new QLineEdit(pCfgEditingFrame);
        layout->addWidget(field);
        setDefaultFocusWidget(field);
        setFixedSize(420, 200);
    }
    QLineEdit *field;

protected:
    void updateData() override { }
    void storeData() override { }
};

void tap(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

bool keyboardShots(MainWindow &window, QWidget *from, const QString &dir, const QString &suffix)
{
    bool ok = true;
    struct Shot
    {
        const char *name;
        TKeyboardCharacterSet set;
        int steps; // 0 plain, 1 Shift, 2 first symbol page, 3 second symbol page
    };
    // Digits last: the selection's password request follows with the keyboard as it is left.
    const Shot shots[] = { { "keyboard_latin", KEYBOARD_CHARACTER_SET_ASCII, 0 },
        { "keyboard_latin_shift", KEYBOARD_CHARACTER_SET_ASCII, 1 }, { "keyboard_russian", KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC, 0 },
        { "keyboard_radiotelex_cyrillic", KEYBOARD_CHARACTER_SET_RADIOTELEX_CYRILLIC, 0 },
        { "keyboard_5bit", KEYBOARD_CHARACTER_SET_INM_C_5BIT, 0 }, { "keyboard_5bit_symbols", KEYBOARD_CHARACTER_SET_INM_C_5BIT, 2 },
        { "keyboard_symbols_1", KEYBOARD_CHARACTER_SET_ASCII, 2 }, { "keyboard_symbols_2", KEYBOARD_CHARACTER_SET_ASCII, 3 },
        { "keyboard_digits_plus", KEYBOARD_CHARACTER_SET_DIGIT_PLUS, 0 }, { "keyboard_digits", KEYBOARD_CHARACTER_SET_DIGIT, 0 } };
    for (const Shot &shot : shots) {
        TextWindow *textWindow = new TextWindow;
        textWindow->setAttribute(Qt::WA_DeleteOnClose);
        textWindow->showWindow(from);
        settle(window);
        TTouchKeyboard *keyboard = nullptr;
        for (TTouchKeyboard *k : window.findChildren<TTouchKeyboard *>()) {
            if (k->isVisible())
                keyboard = k;
        }
        if (!keyboard) {
            std::printf("FAILED no keyboard for %s\n", shot.name);
            return false;
        }
        keyboard->setKeyboardCharacterSet(shot.set);
        const bool digits = shot.set == KEYBOARD_CHARACTER_SET_DIGIT || shot.set == KEYBOARD_CHARACTER_SET_DIGIT_PLUS;
        textWindow->field->setText(digits ? "4711" : "");
        if (shot.steps == 1)
            tap(keyboard->getShiftKey());
        if (shot.steps >= 2)
            tap(keyboard->getSymbolsKey());
        if (shot.steps == 3)
            tap(keyboard->getSymbolArrowDown());
        // A few keys typed through the keyboard itself, so the field shows what it received.
        if (shot.steps == 0 && !digits) {
            for (int i : { 0, 3, 5 })
                tap(keyboard->getKeys().at(i));
        }
        // In the plain layouts one key is held under the finger: it shows shifted.
        QWidget *held = shot.steps == 0 && !digits ? keyboard->getKeys().at(7) : nullptr;
        if (held)
            QTest::mousePress(held, Qt::LeftButton, Qt::NoModifier, held->rect().center());
        ok &= saveScreenshot(window, dir, QString::fromLatin1(shot.name) + suffix);
        if (held)
            QTest::mouseRelease(held, Qt::LeftButton, Qt::NoModifier, held->rect().center());
        closeSubWindows(window);
        settle(window);
    }
    return ok;
}

template<typename T> T *shown(MainWindow &window)
{
    for (T *w : window.findChildren<T *>()) {
        if (w->isVisible())
            return w;
    }
    return nullptr;
}

TOptionButton *button(QWidget *in, const QString &text)
{
    for (TOptionButton *b : in->findChildren<TOptionButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

// The operator's road through the system selection, touched on the windows' own buttons.
bool selectionShots(MainWindow &window, TOptionButton *select, const QString &dir, const QString &suffix)
{
    bool ok = true;
    tap(select);
    settle(window);
    auto *selection = shown<SelectSystemCfgWindow>(window);
    if (!selection) {
        std::printf("FAILED no selection window\n");
        return false;
    }
    ok &= saveScreenshot(window, dir, "selection" + suffix);

    tap(selection->getDuplicatedLed()->getLedButton());
    settle(window);
    auto *request = shown<TPasswordReqWindow>(window);
    auto *keyboard = shown<TTouchKeyboard>(window);
    if (!request || !keyboard) {
        std::printf("FAILED no password request with its keyboard\n");
        return false;
    }
    tap(keyboard->getSymbolsKey());
    request->getPasswordField()->setText("739");
    ok &= saveScreenshot(window, dir, "password_digits" + suffix);

    tap(button(request, TAbstractCfgWindow::tr("&OK")));
    ok &= saveScreenshot(window, dir, "password_wrong" + suffix);
    if (auto *warning = shown<TMessageWindow>(window))
        tap(button(warning, TMessageWindow::tr("&OK")));
    settle(window);
    request->getPasswordField()->setText("7391");
    tap(button(request, TAbstractCfgWindow::tr("&OK")));
    settle(window);
    tap(button(selection, SelectSystemCfgWindow::tr("&Store")));
    ok &= saveScreenshot(window, dir, "selection_question" + suffix);
    closeSubWindows(window);
    settle(window);
    return ok;
}

} // namespace

bool saveMenuScreenshots(TMainWindow &window, QWidget *screen, const QString &dir, const QString &suffix);
bool saveGalleryScreenshots(TMainWindow &window, QWidget *screen, const QString &dir, const QString &suffix);

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    english = installTranslations().isEmpty();
    QApplication::setStyle(new TStyle);
    // A steady text cursor: two pictures of the same screen are then the same, pixel for pixel
    // (tests/screenshots compares them with references).
    QApplication::setCursorFlashTime(0);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(dir);

    MainWindow window(nullptr);
    window.setVisible(true);
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // Without a window manager nothing activates it, and the keyboard types into the active window.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        std::printf("main window not active: the keyboard pictures show empty fields\n");
    const QList<TOptionButton *> buttons = window.findChild<MainScreen *>()->findChildren<TOptionButton *>();
    if (buttons.size() != 3)
        return 1;

    bool ok = true;
    for (TStyleSheetMode mode : { DayMode, NightMode }) {
        const QString suffix = mode == DayMode ? "_day" : "_night";
        TStyleSheet::styleSheetHandler.setMode(mode);
        QTest::qWait(100); // the new sheet is applied from the event loop
        ok &= saveScreenshot(window, dir, "menu" + suffix);

        if (english)
            TMessageWindow::warning(
                QObject::tr("Wrong password"), QObject::tr("The configuration password is not correct. Try again."), buttons[1]);
        else
            TMessageWindow::warning(TPasswordReqWindow::tr("Access denied"), TPasswordReqWindow::tr("Incorrect password"), buttons[1]);
        ok &= saveScreenshot(window, dir, "warning" + suffix);
        closeSubWindows(window);

        TMessageWindow::yesNoQuestion(SelectSystemCfgWindow::tr("Are you sure?"),
            SelectSystemCfgWindow::tr("From now on the message terminal will act as part of a primary GMDSS system."), buttons[0], &window,
            nullptr, nullptr);
        ok &= saveScreenshot(window, dir, "question" + suffix);
        closeSubWindows(window);
        settle(window);

        ok &= keyboardShots(window, buttons[0], dir, suffix);
        ok &= selectionShots(window, buttons[0], dir, suffix);
        ok &= saveMenuScreenshots(window, window.findChild<MainScreen *>(), dir, suffix);
        ok &= saveGalleryScreenshots(window, window.findChild<MainScreen *>(), dir, suffix);
    }
    return ok ? 0 : 1;
}
