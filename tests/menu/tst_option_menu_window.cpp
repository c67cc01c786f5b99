// tst_option_menu_window.cpp: layout, placement, pooling and keypad use of option menus.
#include "gui_test_support.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_menu_window.h"
#include "kvgui_screen.h"
#include "kvgui_stylesheet.h"

#include <QGridLayout>
#include <QtTest>

using Direction = TAbstractMenuShower::MenuDirections;
using Ints = QList<int>;
Q_DECLARE_METATYPE(TAbstractMenuShower::MenuDirections)

// The pictures of tests/screenshots show a menu opened in each direction with room to open.
class TestOptionMenuWindow : public GuiFixture
{
    Q_OBJECT
private slots:
    void init()
    {
        GuiFixture::init();
        screen = new QWidget(mainWindow->getWindowView());
        screen->setGeometry(0, 0, 800, 600);
        screen->show();
        menu = new TOption("&Menu", screen);
    }
    // The rows run in order on one pooled window, so a narrower menu after a wider one would show stale
    // entries or column widths.
    void opening_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<Direction>("direction");
        QTest::addColumn<QPoint>("at"); // the 150 x 58 button's top left
        QTest::addColumn<Ints>("columns"); // entries per column, left to right
        QTest::addColumn<QString>("opens"); // the side, as the menu-shown button's object name gives it
        QTest::addColumn<QString>("walk"); // focused entry after each of Down Down Up Up Up Right Left, from none
        // Dropping up from y = 200 leaves room for three rows.
        QTest::newRow("seven entries in three columns") << 7 << Direction::DropUp << QPoint(300, 200) << Ints { 3, 3, 1 } << "dropUp"
                                                        << "0 1 0 6 5 5 2";
        QTest::newRow("twelve entries in two even columns") << 12 << Direction::DropDown << QPoint(300, 10) << Ints { 6, 6 } << "dropDown"
                                                            << "0 1 0 11 10 10 4";
        QTest::newRow("one row per column without room") << 3 << Direction::DropUp << QPoint(300, 40) << Ints { 1, 1, 1 } << "dropUp"
                                                         << "0 1 0 2 1 2 1";
        QTest::newRow("to the right at the right edge flips")
            << 3 << Direction::ToTheRight << QPoint(640, 200) << Ints { 3 } << "toTheLeft" << QString();
        QTest::newRow("to the left, too wide for the room, is cut to it")
            << 30 << Direction::ToTheLeft << QPoint(640, 200) << Ints { 8, 8, 8, 6 } << "toTheLeft" << QString();
        QTest::newRow("to the left at the left edge flips")
            << 3 << Direction::ToTheLeft << QPoint(10, 200) << Ints { 3 } << "toTheRight" << QString();
    }
    void opening()
    {
        QFETCH(int, entries);
        QFETCH(Direction, direction);
        QFETCH(QPoint, at);
        QFETCH(Ints, columns);
        QFETCH(QString, opens);
        QFETCH(QString, walk);
        const QRect button(at, QSize(150, 58));
        TOptionMenuWindow *window = openFrom(menuButton(entries, direction, button));
        QVERIFY(window);

        QGridLayout *grid = window->getGridLayout();
        QMap<int, int> perColumn;
        for (int i = 0; i < entries; ++i) {
            TOptionButton *entry = window->getMenuButtons().at(i);
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(grid->indexOf(entry), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(row, perColumn[column]++); // filled column by column
        }
        QCOMPARE(perColumn.values(), columns);
        for (int column = 0; column < 4; ++column)
            QCOMPARE(grid->columnMinimumWidth(column), column < perColumn.size() ? 180 : 0);
        const QList<TOptionButton *> &all = window->getMenuButtons();
        QCOMPARE(int(std::count_if(all.begin(), all.end(), [](QWidget *entry) { return !entry->isHidden(); })), entries);
        QCOMPARE(window->getFoldUpDown(), opens.startsWith("drop"));

        // The checked copy lies exactly over the activating button, the menu beside it.
        auto *shown = qobject_cast<TOptionButton *>(window->getMenuShownWidget());
        QVERIFY(shown && shown->isVisible() && shown->isChecked() && shown->objectName() == opens + "MenuButton");
        QCOMPARE(QRect(TMainWindow::posWithinMainWindow(shown, QPoint(0, 0)), shown->size()), button);
        const QRect menuRect(TMainWindow::posWithinMainWindow(window, QPoint(0, 0)), window->size());
        const QMap<QString, int> gap { { "toTheRight", menuRect.left() - button.right() },
            { "toTheLeft", button.left() - menuRect.right() }, { "dropUp", button.top() - menuRect.bottom() },
            { "dropDown", menuRect.top() - button.bottom() } };
        QCOMPARE(gap.value(opens), 1);

        // The key panel: Down and Up go round the entries, Right and Left a column over.
        QStringList focused;
        for (Qt::Key key : { Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Left }) {
            QTest::keyClick(window, key);
            focused << QString::number(window->getMenuButtons().indexOf(qobject_cast<TOptionButton *>(QApplication::focusWidget())));
        }
        if (!walk.isEmpty())
            QCOMPARE(focused.join(' '), walk);
    }
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("touch beside the menu closes it") << "beside";
        QTest::newRow("touch on the menu-shown button closes it") << "shown";
        QTest::newRow("a leaf entry chosen closes it") << "leaf";
        QTest::newRow("touch inside the menu keeps it") << "inside";
        QTest::newRow("Left in the first column closes it") << "left";
        QTest::newRow("two touches during a screen change open one menu, which Escape closes") << "twice";
    }
    // However closed, the window goes back to the pool once, and the next menu, from another button, has it
    // before the event loop has run: the last menu-shown button must not stay in sight (nor in the dimmed
    // picture), and a day/night change made meanwhile must reach it.
    void closing()
    {
        QFETCH(QString, how);
        TOptionButton *shower = menuButton(3, Direction::DropDown, QRect(100, 80, 150, 58));
        TOptionButton *other = menuButton(0, Direction::DropDown, QRect(500, 80, 150, 58));
        QSignalSpy leaf(shower, SIGNAL(leafSelected()));
        TOptionMenuWindow *window = nullptr;
        if (how == "twice") {
            QSignalSpy forced(mainWindow, SIGNAL(instantAnimationCompletion()));
            TScreen *next = new TScreen("NEXT", QString(), nullptr);
            owned << next;
            mainWindow->showNewScreen(next);
            // The first forces the change to its end and waits a turn of the event loop; the second opens
            // the menu meanwhile, so the first finds the menu unfolding and gives up.
            QTest::mouseClick(shower, Qt::LeftButton);
            QTest::mouseClick(shower, Qt::LeftButton);
            settle();
            // Forced once; every window but the open menu is in the pool, the one that gave up too.
            QCOMPARE(forced.count() + TOptionMenuWindow::freeOptionWindows.size(), TOptionMenuWindow::allWindows().size());
            window = openMenus().size() == 1 ? openMenus().first() : nullptr;
            how = "escape";
        } else {
            window = openFrom(shower);
        }
        QVERIFY(window);
        QPointer<QWidget> lastShown = window->getMenuShownWidget();
        QWidget *view = window->getView();
        if (how == "beside" || how == "inside")
            QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, how == "beside" ? QPoint(5, 590) : window->mapTo(view, QPoint(2, 2)));
        else if (how == "shown")
            QTest::mouseClick(qobject_cast<QAbstractButton *>(lastShown.data()), Qt::LeftButton);
        else if (how == "escape" || how == "left")
            QTest::keyClick(window, how == "left" ? Qt::Key_Left : Qt::Key_Escape);
        else
            QTest::mouseClick(window->getMenuButtons().at(1), Qt::LeftButton);
        if (how == "inside") {
            QCoreApplication::processEvents();
            QCOMPARE(openMenus().size(), 1);
            return;
        }
        QTRY_VERIFY(openMenus().isEmpty() && leaf.count() == (how == "leaf" ? 1 : 0));
        window->close();
        QCOMPARE(TOptionMenuWindow::freeOptionWindows.count(window), 1);

        TStyleSheet::styleSheetHandler.setMode(NightMode);
        const QString night = TStyleSheet::styleSheetHandler.getStyleSheet();
        TOptionMenuWindow::displayOptionMenu(other);
        TStyleSheet::styleSheetHandler.setMode(DayMode);
        QCOMPARE(openMenus(), QList<TOptionMenuWindow *> { window });
        QVERIFY(lastShown && lastShown != window->getMenuShownWidget() && lastShown->isHidden() && window->styleSheet() == night);
        // Back in a main window that carries the current sheet, it drops its own copy.
        window->close();
        TOptionMenuWindow::displayOptionMenu(other);
        QVERIFY(openMenus() == QList<TOptionMenuWindow *> { window } && window->styleSheet().isEmpty());
    }

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
        for (TSubWindowView *view : mainWindow->getSubWindows())
            if (auto *window = qobject_cast<TOptionMenuWindow *>(view->getWindow()))
                menus << window;
        return menus;
    }
    TOptionMenuWindow *openFrom(TOptionButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        mainWindow->forceInstantAnimationCompletion();
        return openMenus().size() == 1 ? openMenus().first() : nullptr;
    }

    QWidget *screen = nullptr; // holds the activating buttons
    TOption *menu = nullptr;
};

QTEST_MAIN(TestOptionMenuWindow)
#include "tst_option_menu_window.moc"
