// tst_option_menu_window.cpp: layout, placement, pooling and keypad use of option menus.
#include "kvgui_main_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_menu_window.h"
#include "kvgui_screen.h"
#include "kvgui_stylesheet.h"
#include "kvgui_sub_window_view.h"

#include <QGridLayout>
#include <QtTest>

class MainWindow : public TMainWindow
{
public:
    MainWindow()
        : TMainWindow(nullptr, "MainWindow", true)
    { }
    using TMainWindow::showNewScreen;
};

using Direction = TAbstractMenuShower::MenuDirections;
using Ints = QList<int>;
Q_DECLARE_METATYPE(TAbstractMenuShower::MenuDirections)

class TestOptionMenuWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        mainWindow = new MainWindow();
        screen = new QWidget(mainWindow->getWindowView());
        screen->setGeometry(0, 0, 800, 600);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        menu = new TOption("&Menu", screen);
    }
    void cleanup()
    {
        for (TOptionMenuWindow *window : openMenus())
            window->close();
        delete mainWindow;
    }
    void opening_data();
    void opening();
    void closing_data();
    void closing();
    void twoActivationsDuringAnimationShowOneMenu();
    void keypadWalkThroughTwoLevels();
    void firstMenuPrepared_data();
    void firstMenuPrepared();

private:
    // Adds `entries` sub-options to the one menu option and shows a button for it.
    TOptionButton *menuButton(int entries, Direction direction, const QRect &geometry)
    {
        for (int i = 0; i < entries; ++i)
            menu->appendSubOption(new TOption(i + 1, QString("Entry %1").arg(i + 1), menu));
        TOptionButton *button = new TOptionButton(menu, screen);
        button->setMenuDirection(direction);
        button->setGeometry(geometry);
        button->show();
        return button;
    }
    QList<TOptionMenuWindow *> openMenus() const
    {
        QList<TOptionMenuWindow *> menus;
        for (TSubWindowView *view : mainWindow->getSubWindows()) {
            if (auto *window = qobject_cast<TOptionMenuWindow *>(view->getWindow()))
                menus << window;
        }
        return menus;
    }
    TOptionMenuWindow *openFrom(TOptionButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        mainWindow->forceInstantAnimationCompletion();
        return openMenus().size() == 1 ? openMenus().first() : nullptr;
    }

    MainWindow *mainWindow = nullptr;
    QWidget *screen = nullptr; // holds the activating buttons
    TOption *menu = nullptr;
};

// The rows run in order on one pooled window, so a narrower menu after a wider one would show stale
// column widths.
void TestOptionMenuWindow::opening_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<QPoint>("at"); // the 150 x 58 button's top left
    QTest::addColumn<Ints>("columns"); // entries per column, left to right
    QTest::addColumn<QString>("opens"); // the side, as the menu-shown button's object name gives it
    // Dropping up from y = 200 leaves room for three rows.
    QTest::newRow("seven entries in three columns") << 7 << Direction::DropUp << QPoint(300, 200) << Ints { 3, 3, 1 } << "dropUp";
    QTest::newRow("twelve entries in two even columns") << 12 << Direction::DropDown << QPoint(300, 10) << Ints { 6, 6 } << "dropDown";
    QTest::newRow("one row per column without room") << 3 << Direction::DropUp << QPoint(300, 40) << Ints { 1, 1, 1 } << "dropUp";
    QTest::newRow("to the right with room") << 3 << Direction::ToTheRight << QPoint(20, 200) << Ints { 3 } << "toTheRight";
    QTest::newRow("to the right at the right edge flips") << 3 << Direction::ToTheRight << QPoint(640, 200) << Ints { 3 } << "toTheLeft";
    QTest::newRow("to the left with room") << 3 << Direction::ToTheLeft << QPoint(600, 200) << Ints { 3 } << "toTheLeft";
    QTest::newRow("to the left at the left edge flips") << 3 << Direction::ToTheLeft << QPoint(10, 200) << Ints { 3 } << "toTheRight";
}

void TestOptionMenuWindow::opening()
{
    QFETCH(int, entries);
    QFETCH(Direction, direction);
    QFETCH(QPoint, at);
    QFETCH(Ints, columns);
    QFETCH(QString, opens);
    const QRect button(at, QSize(150, 58));
    TOptionMenuWindow *window = openFrom(menuButton(entries, direction, button));
    QVERIFY(window);

    QGridLayout *grid = window->getGridLayout();
    QMap<int, int> perColumn;
    for (int i = 0; i < entries; ++i) {
        TOptionButton *entry = window->getMenuButtons().at(i);
        QCOMPARE(entry->getOption(), menu->subOptions->at(i));
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(entry), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(row, perColumn[column]++); // filled column by column
    }
    QCOMPARE(perColumn.values(), columns);
    for (int column = 0; column < 4; ++column)
        QCOMPARE(grid->columnMinimumWidth(column) > 0, column < perColumn.size());

    // The checked copy lies exactly over the activating button, the menu beside it.
    auto *shown = qobject_cast<TOptionButton *>(window->getMenuShownWidget());
    QVERIFY(shown && shown->isVisible() && shown->isChecked());
    QCOMPARE(shown->objectName(), opens + "MenuButton");
    QCOMPARE(shown->text(), menu->getText());
    QCOMPARE(QRect(TMainWindow::posWithinMainWindow(shown, QPoint(0, 0)), shown->size()), button);
    const QRect menuRect(TMainWindow::posWithinMainWindow(window, QPoint(0, 0)), window->size());
    if (opens == "toTheRight")
        QCOMPARE(menuRect.left(), button.right() + 1);
    else if (opens == "toTheLeft")
        QCOMPARE(menuRect.right() + 1, button.left());
    else if (opens == "dropUp")
        QCOMPARE(menuRect.bottom() + 1, button.top());
    else
        QCOMPARE(menuRect.top(), button.bottom() + 1);
}

void TestOptionMenuWindow::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("touch beside the menu closes it") << "beside";
    QTest::newRow("touch on the menu-shown button closes it") << "shown";
    QTest::newRow("Escape closes it") << "escape";
    QTest::newRow("a leaf entry chosen closes it") << "leaf";
    QTest::newRow("touch inside the menu keeps it") << "inside";
}

// However closed, the window goes back to the pool once, and the next menu, from another button, has it
// before the event loop has run: the last menu-shown button must not stay in sight (nor in the dimmed
// picture), and a day/night change made meanwhile must reach it.
void TestOptionMenuWindow::closing()
{
    QFETCH(QString, how);
    TOptionButton *shower = menuButton(3, Direction::DropDown, QRect(100, 80, 150, 58));
    TOptionButton *other = menuButton(0, Direction::DropDown, QRect(500, 80, 150, 58));
    QSignalSpy leaf(shower, SIGNAL(leafSelected()));
    TOptionMenuWindow *window = openFrom(shower);
    QVERIFY(window);
    QPointer<QWidget> lastShown = window->getMenuShownWidget();
    QWidget *view = window->getView();
    if (how == "beside" || how == "inside")
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, how == "beside" ? QPoint(5, 590) : window->mapTo(view, QPoint(2, 2)));
    else if (how == "shown")
        QTest::mouseClick(qobject_cast<QAbstractButton *>(lastShown.data()), Qt::LeftButton);
    else if (how == "escape")
        QTest::keyClick(window, Qt::Key_Escape);
    else
        QTest::mouseClick(window->getMenuButtons().at(1), Qt::LeftButton);
    if (how == "inside") {
        QCoreApplication::processEvents();
        QCOMPARE(openMenus().size(), 1);
        return;
    }
    QTRY_VERIFY(openMenus().isEmpty());
    QCOMPARE(leaf.count(), how == "leaf" ? 1 : 0);
    window->close();
    QCOMPARE(TOptionMenuWindow::freeOptionWindows.count(window), 1);

    TStyleSheet::styleSheetHandler.setMode(NightMode);
    const QString night = TStyleSheet::styleSheetHandler.getStyleSheet();
    TOptionMenuWindow::displayOptionMenu(other);
    TStyleSheet::styleSheetHandler.setMode(DayMode);
    QCOMPARE(openMenus(), QList<TOptionMenuWindow *> { window });
    QVERIFY(lastShown && lastShown != window->getMenuShownWidget() && lastShown->isHidden());
    QCOMPARE(window->styleSheet(), night);
    // Back in a main window that carries the current sheet, it drops its own copy.
    window->close();
    TOptionMenuWindow::displayOptionMenu(other);
    QCOMPARE(openMenus(), QList<TOptionMenuWindow *> { window });
    QCOMPARE(window->styleSheet(), QString());
}

void TestOptionMenuWindow::twoActivationsDuringAnimationShowOneMenu()
{
    TOptionButton *shower = menuButton(3, Direction::DropDown, QRect(300, 80, 150, 58));
    const auto putOffMenusDone = [] {
        const QList<TOptionMenuWindow *> &windows = TOptionMenuWindow::allWindows();
        return std::none_of(windows.begin(), windows.end(), [](TOptionMenuWindow *w) { return w->findChild<QTimer *>()->isActive(); });
    };

    // During a screen change an activation is put off until the change has been forced to its end.
    mainWindow->showNewScreen(new TScreen("Next", "", mainWindow));
    QVERIFY(mainWindow->isAnimating());
    QTest::mouseClick(shower, Qt::LeftButton);
    QVERIFY(openMenus().isEmpty());
    QTRY_COMPARE(openMenus().size(), 1);
    openMenus().first()->close();

    // A second activation meanwhile opens the menu; the put-off one then finds its button covered.
    mainWindow->showNewScreen(new TScreen("Last", "", mainWindow));
    QVERIFY(mainWindow->isAnimating());
    QTest::mouseClick(shower, Qt::LeftButton);
    QTest::mouseClick(shower, Qt::LeftButton);
    QTRY_VERIFY(putOffMenusDone());
    QCOMPARE(openMenus().size(), 1);
}

// A leaf chosen in a nested menu is reported by every option above it, with its id.
void TestOptionMenuWindow::keypadWalkThroughTwoLevels()
{
    TOptionButton *shower = menuButton(3, Direction::DropDown, QRect(300, 80, 150, 58));
    TOption *sub = menu->subOptions->at(1);
    sub->appendSubOption(new TOption(7, "Seven", sub));
    sub->appendSubOption(new TOption(8, "Eight", sub));
    QSignalSpy chosen(menu, SIGNAL(leafSelected(int)));
    QSignalSpy showerLeaf(shower, SIGNAL(leafSelected()));

    shower->setFocus();
    QTest::keyClick(shower, Qt::Key_Down);
    mainWindow->forceInstantAnimationCompletion();
    QCOMPARE(openMenus().size(), 1);
    QCOMPARE(QApplication::focusWidget(), openMenus().first()->getMenuButtons().at(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), openMenus().first()->getMenuButtons().at(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); // nested menus open to the right
    QTRY_COMPARE(openMenus().size(), 2);
    mainWindow->forceInstantAnimationCompletion();
    QCOMPARE(QApplication::focusWidget(), openMenus().last()->getMenuButtons().at(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QTRY_VERIFY(openMenus().isEmpty());
    QCOMPARE(QList<QVariantList>(chosen), QList<QVariantList> { { 8 } });
    QCOMPARE(showerLeaf.count(), 1);
}

void TestOptionMenuWindow::firstMenuPrepared_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<bool>("goneBeforeIdle"); // the button and its option, before the event loop runs
    QTest::addColumn<bool>("prepared");
    QTest::newRow("a menu button prepares its menu") << 12 << false << true;
    QTest::newRow("a button without a menu prepares none") << 0 << false << false;
    QTest::newRow("a menu gone before the idle work prepares none") << 12 << true << false;
}

// As in a new process, no window is pooled when the menu button comes up.
void TestOptionMenuWindow::firstMenuPrepared()
{
    QFETCH(int, entries);
    QFETCH(bool, goneBeforeIdle);
    QFETCH(bool, prepared);
    const QList<TOptionMenuWindow *> pooled = TOptionMenuWindow::freeOptionWindows;
    TOptionMenuWindow::freeOptionWindows.clear();
    const auto restore = qScopeGuard([&] { TOptionMenuWindow::freeOptionWindows += pooled; });
    const int made = TOptionMenuWindow::allWindows().size();

    TOptionButton *shower = menuButton(entries, Direction::DropDown, QRect(300, 80, 150, 58));
    if (goneBeforeIdle) {
        delete shower;
        delete menu;
    }
    // The idle work runs in the order asked for.
    bool idle = false;
    mainWindow->whenFirstFrameDrawn([&idle] { idle = true; });
    QTRY_VERIFY(idle);
    QCOMPARE(TOptionMenuWindow::allWindows().size(), made + (prepared ? 1 : 0));
    if (!prepared)
        return;

    TOptionMenuWindow *window = TOptionMenuWindow::allWindows().last();
    QCOMPARE(TOptionMenuWindow::freeOptionWindows, QList<TOptionMenuWindow *> { window });
    QVERIFY(!window->isVisible());
    const QList<TOptionButton *> buttons = window->getMenuButtons();
    QCOMPARE(buttons.size(), entries);
    QCOMPARE(buttons.last()->text(), QString("Entry 12"));
    // The touch opens that window with the same entry buttons.
    QCOMPARE(openFrom(shower), window);
    QCOMPARE(window->getMenuButtons(), buttons);
}

QTEST_MAIN(TestOptionMenuWindow)
#include "tst_option_menu_window.moc"
