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

class TestOptionMenuWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void entryGrid_data();
    void entryGrid();
    void placement_data();
    void placement();
    void closing_data();
    void closing();
    void twoActivationsDuringAnimationShowOneMenu();
    void closingTwiceKeepsOnePoolEntry();
    void reopeningFromAnotherButton();
    void keypadWalkThroughTwoLevels();

private:
    TOptionButton *menuButton(int entries, TAbstractMenuShower::MenuDirections direction, const QRect &geometry);
    QList<TOptionMenuWindow *> openMenus() const;
    TOptionMenuWindow *openFrom(TOptionButton *button);

    MainWindow *mainWindow = nullptr;
    QWidget *screen = nullptr; // holds the activating buttons
    TOption *menu = nullptr;
};

void TestOptionMenuWindow::init()
{
    mainWindow = new MainWindow();
    screen = new QWidget(mainWindow->getWindowView());
    screen->setGeometry(0, 0, 800, 600);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    menu = new TOption("&Menu", screen);
}

void TestOptionMenuWindow::cleanup()
{
    for (TOptionMenuWindow *window : openMenus())
        window->close();
    delete mainWindow;
    mainWindow = nullptr;
}

TOptionButton *TestOptionMenuWindow::menuButton(int entries, TAbstractMenuShower::MenuDirections direction, const QRect &geometry)
{
    for (int i = 0; i < entries; ++i)
        menu->appendSubOption(new TOption(i + 1, QString("Entry %1").arg(i + 1), menu));
    TOptionButton *button = new TOptionButton(menu, screen);
    button->setMenuDirection(direction);
    button->setGeometry(geometry);
    button->show();
    return button;
}

QList<TOptionMenuWindow *> TestOptionMenuWindow::openMenus() const
{
    QList<TOptionMenuWindow *> menus;
    for (TSubWindowView *view : mainWindow->getSubWindows()) {
        if (auto *window = qobject_cast<TOptionMenuWindow *>(view->getWindow()))
            menus << window;
    }
    return menus;
}

TOptionMenuWindow *TestOptionMenuWindow::openFrom(TOptionButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    mainWindow->forceInstantAnimationCompletion();
    const QList<TOptionMenuWindow *> menus = openMenus();
    return menus.size() == 1 ? menus.first() : nullptr;
}

void TestOptionMenuWindow::entryGrid_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QRect>("button");
    QTest::addColumn<QString>("columns"); // entries per column, left to right

    // Dropping up from y = 200 leaves room for three rows.
    QTest::newRow("seven entries with room for three rows fill three columns")
        << 7 << int(TAbstractMenuShower::DropUp) << QRect(300, 200, 150, 58) << "3 3 1";
    QTest::newRow("twelve entries dropping down share two columns evenly")
        << 12 << int(TAbstractMenuShower::DropDown) << QRect(300, 10, 150, 58) << "6 6";
    QTest::newRow("less than one row of room still shows one row per column")
        << 3 << int(TAbstractMenuShower::DropUp) << QRect(300, 40, 150, 58) << "1 1 1";
}

void TestOptionMenuWindow::entryGrid()
{
    QFETCH(int, entries);
    QFETCH(int, direction);
    QFETCH(QRect, button);
    QFETCH(QString, columns);

    TOptionMenuWindow *window = openFrom(menuButton(entries, TAbstractMenuShower::MenuDirections(direction), button));
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
    QStringList counts;
    for (int count : perColumn)
        counts << QString::number(count);
    QCOMPARE(counts.join(' '), columns);
    for (int column = 0; column < 4; ++column)
        QCOMPARE(grid->columnMinimumWidth(column), column < perColumn.size() ? 180 : 0);
}

void TestOptionMenuWindow::placement_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QRect>("button");
    QTest::addColumn<QString>("shownName");
    QTest::addColumn<QString>("side"); // where the opened menu lies against the button

    const int right = TAbstractMenuShower::ToTheRight;
    const int left = TAbstractMenuShower::ToTheLeft;
    QTest::newRow("to the right with room") << right << QRect(20, 200, 150, 58) << "toTheRightMenuButton"
                                            << "right";
    QTest::newRow("to the right at the right edge flips left") << right << QRect(640, 200, 150, 58) << "toTheLeftMenuButton"
                                                               << "left";
    QTest::newRow("to the left with room") << left << QRect(600, 200, 150, 58) << "toTheLeftMenuButton"
                                           << "left";
    QTest::newRow("to the left at the left edge flips right") << left << QRect(10, 200, 150, 58) << "toTheRightMenuButton"
                                                              << "right";
    QTest::newRow("drop up opens above") << int(TAbstractMenuShower::DropUp) << QRect(300, 500, 150, 58) << "dropUpMenuButton"
                                         << "above";
    QTest::newRow("drop down opens below") << int(TAbstractMenuShower::DropDown) << QRect(300, 80, 150, 58) << "dropDownMenuButton"
                                           << "below";
}

void TestOptionMenuWindow::placement()
{
    QFETCH(int, direction);
    QFETCH(QRect, button);
    QFETCH(QString, shownName);
    QFETCH(QString, side);

    TOptionButton *shower = menuButton(3, TAbstractMenuShower::MenuDirections(direction), button);
    TOptionMenuWindow *window = openFrom(shower);
    QVERIFY(window);
    // The checked copy lies exactly over the activating button.
    auto *shown = qobject_cast<TOptionButton *>(window->getMenuShownWidget());
    QVERIFY(shown);
    QCOMPARE(shown->objectName(), shownName);
    QVERIFY(shown->isVisible() && shown->isChecked());
    QCOMPARE(QRect(TMainWindow::posWithinMainWindow(shown, QPoint(0, 0)), shown->size()), button);

    const QRect menuRect(TMainWindow::posWithinMainWindow(window, QPoint(0, 0)), window->size());
    QVERIFY2(QRect(0, 0, 800, 600).contains(menuRect),
        qPrintable(QString("%1,%2 %3x%4").arg(menuRect.x()).arg(menuRect.y()).arg(menuRect.width()).arg(menuRect.height())));
    if (side == "right")
        QCOMPARE(menuRect.left(), button.right() + 1);
    else if (side == "left")
        QCOMPARE(menuRect.right() + 1, button.left());
    else if (side == "above")
        QCOMPARE(menuRect.bottom() + 1, button.top());
    else
        QCOMPARE(menuRect.top(), button.bottom() + 1);
}

void TestOptionMenuWindow::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("touch beside the menu") << "beside";
    QTest::newRow("touch on the menu-shown button") << "shown";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("leaf entry chosen") << "leaf";
}

void TestOptionMenuWindow::closing()
{
    QFETCH(QString, how);
    TOptionButton *shower = menuButton(3, TAbstractMenuShower::DropDown, QRect(300, 80, 150, 58));
    QSignalSpy leaf(shower, SIGNAL(leafSelected()));
    TOptionMenuWindow *window = openFrom(shower);
    QVERIFY(window);
    if (how == "beside")
        QTest::mouseClick(window->getView(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 590));
    else if (how == "shown")
        QTest::mouseClick(qobject_cast<QAbstractButton *>(window->getMenuShownWidget()), Qt::LeftButton);
    else if (how == "escape")
        QTest::keyClick(window, Qt::Key_Escape);
    else
        QTest::mouseClick(window->getMenuButtons().at(1), Qt::LeftButton);
    QTRY_VERIFY(openMenus().isEmpty());
    QCOMPARE(TOptionMenuWindow::freeOptionWindows.count(window), 1);
    QCOMPARE(leaf.count(), how == "leaf" ? 1 : 0);

    // A touch inside an open menu keeps it.
    window = openFrom(shower);
    QVERIFY(window);
    QTest::mouseClick(window->getView(), Qt::LeftButton, Qt::NoModifier, window->mapTo(window->getView(), QPoint(2, 2)));
    QCOMPARE(openMenus().size(), 1);
}

void TestOptionMenuWindow::twoActivationsDuringAnimationShowOneMenu()
{
    TOptionButton *shower = menuButton(3, TAbstractMenuShower::DropDown, QRect(300, 80, 150, 58));
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

void TestOptionMenuWindow::closingTwiceKeepsOnePoolEntry()
{
    TOptionMenuWindow *window = openFrom(menuButton(2, TAbstractMenuShower::DropDown, QRect(300, 80, 150, 58)));
    QVERIFY(window);
    window->close();
    QTest::ignoreMessage(QtDebugMsg, "!!!!!! Option window allready free");
    window->close();
    QCOMPARE(TOptionMenuWindow::freeOptionWindows.count(window), 1);
}

// The pooled window and view serve the next menu before the event loop has run: the last
// menu-shown button must not stay in sight (nor in the dimmed picture), and a day/night change
// made while the window was closed must reach it.
void TestOptionMenuWindow::reopeningFromAnotherButton()
{
    TOptionButton *first = menuButton(2, TAbstractMenuShower::DropDown, QRect(100, 80, 150, 58));
    TOptionButton *second = new TOptionButton(menu, screen);
    second->setMenuDirection(TAbstractMenuShower::DropDown);
    second->setGeometry(500, 80, 150, 58);
    second->show();
    TOptionMenuWindow *window = openFrom(first);
    QVERIFY(window);
    QPointer<QWidget> lastShown = window->getMenuShownWidget();
    window->close();
    TStyleSheet::styleSheetHandler.setMode(NightMode);
    const QString night = TStyleSheet::styleSheetHandler.getStyleSheet();
    TOptionMenuWindow::displayOptionMenu(second);
    TStyleSheet::styleSheetHandler.setMode(DayMode);
    QCOMPARE(openMenus().size(), 1);
    QCOMPARE(openMenus().first(), window);
    QVERIFY(lastShown && lastShown != window->getMenuShownWidget());
    QVERIFY(lastShown->isHidden());
    QCOMPARE(window->styleSheet(), night);
}

void TestOptionMenuWindow::keypadWalkThroughTwoLevels()
{
    TOptionButton *shower = menuButton(3, TAbstractMenuShower::DropDown, QRect(300, 80, 150, 58));
    TOption *sub = menu->subOptions->at(1);
    sub->appendSubOption(new TOption(7, "Seven", sub));
    sub->appendSubOption(new TOption(8, "Eight", sub));
    QSignalSpy chosen(menu, SIGNAL(leafSelected(int)));
    QSignalSpy showerLeaf(shower, SIGNAL(leafSelected()));

    shower->setFocus();
    QTest::keyClick(shower, Qt::Key_Down);
    mainWindow->forceInstantAnimationCompletion();
    QCOMPARE(openMenus().size(), 1);
    TOptionMenuWindow *first = openMenus().first();
    QCOMPARE(QApplication::focusWidget(), first->getMenuButtons().at(0));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), first->getMenuButtons().at(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); // nested menus open to the right
    QTRY_COMPARE(openMenus().size(), 2);
    mainWindow->forceInstantAnimationCompletion();
    TOptionMenuWindow *second = openMenus().last();
    QCOMPARE(QApplication::focusWidget(), second->getMenuButtons().at(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QTRY_VERIFY(openMenus().isEmpty());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.first().first().toInt(), 8);
    QCOMPARE(showerLeaf.count(), 1);
}

QTEST_MAIN(TestOptionMenuWindow)
#include "tst_option_menu_window.moc"
