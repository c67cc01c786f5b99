// kvgui_option_menu_window.cpp
#include "kvgui_option_menu_window.h"

#include "kvgui_main_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

QList<TOptionMenuWindow *> TOptionMenuWindow::freeOptionWindows;

// Every window made. Never destroyed, so the pooled windows stay reachable to the end of the process
// (the pool itself is destroyed at exit).
static QList<TOptionMenuWindow *> &allOptionWindows()
{
    static QList<TOptionMenuWindow *> *windows = new QList<TOptionMenuWindow *>();
    return *windows;
}

const QList<TOptionMenuWindow *> &TOptionMenuWindow::allWindows()
{
    return allOptionWindows();
}

static const int EntryHeight = 58;
static const int ColumnWidth = 180;
static const int SizedColumns = 4;
// Room kept between a menu and the screen edges, and beside a menu opening sideways.
static const int EdgeMargin = 12;
static const int SideMargin = 25;

TOptionMenuWindow::TOptionMenuWindow()
    : TAbstractSubWindow(Unfold, 0)
    , animateEndTimer(nullptr)
    , pendingShower(nullptr)
    , pHeadingLabel(nullptr)
    , pSeparator(nullptr)
    , gridLayout(nullptr)
    , menuShownWidget(nullptr)
    , rowsPerColumn(1)
{
    allOptionWindows().append(this);
    animateEndTimer = new QTimer(this);
    animateEndTimer->setSingleShot(true);
    animateEndTimer->setInterval(1);
    connect(animateEndTimer, SIGNAL(timeout()), this, SLOT(animateEndTimeoutHandler()));

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    pHeadingLabel = new QLabel(this);
    pHeadingLabel->setObjectName("headingLabel");
    pHeadingLabel->setWordWrap(true);
    pHeadingLabel->setAlignment(Qt::AlignCenter);
    pHeadingLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    pSeparator = new QFrame(this);
    pSeparator->setObjectName("horizontalLineCenter");
    pSeparator->setFixedHeight(1);
    gridLayout = new QGridLayout();
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pHeadingLabel);
    layout->addWidget(pSeparator);
    layout->addLayout(gridLayout);
}

void TOptionMenuWindow::prepare(TOption *option)
{
    TMainWindow *mainWindow = TMainWindow::getInstance();
    if (!freeOptionWindows.isEmpty() || !mainWindow || !option || !option->hasSubOptions())
        return;
    // An open menu returns its window to the pool when it closes.
    for (const TOptionMenuWindow *shown : qAsConst(allOptionWindows()))
        if (shown->isVisible())
            return;
    TOptionMenuWindow *window = new TOptionMenuWindow();
    window->holdInView();
    // Laid out and drawn once out of sight with the menu's own entries: their glyphs, the style's
    // rules for them and their sizes are then ready for the first touch.
    window->layOutEntries(option, mainWindow->height() - window->showHeading(option));
    window->resize(window->getWindowSize());
    QPixmap picture(window->size());
    picture.fill(Qt::transparent);
    window->render(&picture, QPoint(), QRegion(), DrawChildren);
    // Closed like any menu: back in the pool, held in its view.
    window->close();
}

void TOptionMenuWindow::displayOptionMenu(TAbstractMenuShower *shower)
{
    TOptionMenuWindow *window = freeOptionWindows.isEmpty() ? new TOptionMenuWindow() : freeOptionWindows.takeLast();
    window->showOptionMenu(shower);
}

void TOptionMenuWindow::returnToPool()
{
    if (freeOptionWindows.contains(this)) {
        qDebug() << "!!!!!! Option window allready free";
        return;
    }
    qDebug() << "free option window";
    freeOptionWindows.append(this);
}

void TOptionMenuWindow::abandon()
{
    qDebug() << "Option window show aborted, free window";
    if (!freeOptionWindows.contains(this))
        freeOptionWindows.append(this);
}

void TOptionMenuWindow::showOptionMenu(TAbstractMenuShower *shower)
{
    TMainWindow *mainWindow = TMainWindow::getInstance();
    TOption *option = shower ? shower->getOption() : nullptr;
    // Without a main window or sub-options there is nothing to show the menu in or with.
    if (!mainWindow || !option || !option->subOptions || option->subOptions->isEmpty()) {
        abandon();
        return;
    }
    if (mainWindow->isAnimating()) {
        if (shower == pendingShower) {
            abandon();
            return;
        }
        pendingShower = shower;
        pendingShowerWidget = dynamic_cast<QWidget *>(shower);
        mainWindow->forceInstantAnimationCompletion();
        animateEndTimer->start();
        return;
    }

    const TAbstractMenuShower::MenuDirections direction = shower->getMenuDirection();
    menuShownWidget = shower->createMenuShownWidget(this, direction);
    if (!menuShownWidget) {
        abandon();
        return;
    }

    holdInView();
    const bool keyActivated = shower->isKeyActivated();
    const int W = mainWindow->width();
    const int H = mainWindow->height();
    // The menu-shown button has no parent yet: its position is in main-window coordinates.
    int x = menuShownWidget->x();
    int y = menuShownWidget->y();
    const int bw = menuShownWidget->width();
    const int bh = menuShownWidget->height();

    int available = 0;
    setMinimumSize(0, 0);
    switch (direction) {
    case TAbstractMenuShower::DropDown:
        available = H - y - bh;
        setMinimumWidth(bw);
        setMaximumSize(W - SideMargin, available);
        break;
    case TAbstractMenuShower::DropUp:
        available = y;
        setMinimumWidth(bw);
        setMaximumSize(W - SideMargin, available);
        break;
    case TAbstractMenuShower::ToTheLeft:
    case TAbstractMenuShower::ToTheRight:
        available = H - SideMargin;
        setMinimumHeight(bh);
        setMaximumSize(qMax(W - bw - x, x), available);
        break;
    }

    available -= showHeading(option);
    layOutEntries(option, available);
    layout()->invalidate();
    // The size the view will open the window at (measured afresh after each close).
    const QSize size = getWindowSize();
    const int w = size.width();
    const int h = size.height();

    QPoint start;
    QPoint end;
    switch (direction) {
    case TAbstractMenuShower::DropUp:
    case TAbstractMenuShower::DropDown:
        if (x + w + EdgeMargin >= W)
            x = W - w - EdgeMargin;
        x = qMax(x, EdgeMargin);
        setFoldUpDown(true);
        if (direction == TAbstractMenuShower::DropUp) {
            start = QPoint(x, y);
            end = QPoint(x, y - h);
        } else {
            start = end = QPoint(x, y + bh);
        }
        break;
    case TAbstractMenuShower::ToTheLeft:
    case TAbstractMenuShower::ToTheRight: {
        if (y + h + EdgeMargin >= H)
            y = H - h - EdgeMargin;
        y = qMax(y, EdgeMargin);
        setFoldUpDown(false);
        const int buttonX = x;
        const bool flip = direction == TAbstractMenuShower::ToTheRight ? buttonX + bw + w > W : buttonX - w < 0;
        TAbstractMenuShower::MenuDirections opened = direction;
        if (flip) {
            opened = direction == TAbstractMenuShower::ToTheRight ? TAbstractMenuShower::ToTheLeft : TAbstractMenuShower::ToTheRight;
            delete menuShownWidget;
            menuShownWidget = shower->createMenuShownWidget(this, opened);
            if (!menuShownWidget) {
                abandon();
                return;
            }
        }
        if (opened == TAbstractMenuShower::ToTheLeft) {
            start = QPoint(buttonX, y);
            end = QPoint(buttonX - w, y);
        } else {
            start = end = QPoint(buttonX + (flip ? menuShownWidget->width() : bw), y);
        }
        break;
    }
    }
    showWindow(start, end, menuShownWidget);

    if (keyActivated) {
        const QList<TOptionButton *> entries = shownEntries();
        if (!entries.isEmpty())
            entries.first()->setFocus(Qt::OtherFocusReason);
    }
}

void TOptionMenuWindow::layOutEntries(TOption *option, int available)
{
    for (TOptionButton *button : qAsConst(menuButtons)) {
        button->hide();
        button->setOption(nullptr);
        gridLayout->removeWidget(button);
    }

    const QList<TOption *> &entries = *option->subOptions;
    const int n = entries.size();
    // With less than one entry's height left the menu still shows one row per column.
    const int rows = qMax(1, available / EntryHeight);
    const int columns = (n - 1) / rows + 1;
    rowsPerColumn = (n - 1) / columns + 1;
    for (int i = 0; i < n; ++i) {
        TOptionButton *button;
        if (i < menuButtons.size()) {
            button = menuButtons.at(i);
            button->setOption(entries.at(i));
        } else {
            button = newEntry(entries.at(i));
        }
        gridLayout->addWidget(button, i % rowsPerColumn, i / rowsPerColumn);
        button->show();
    }
    for (int column = 0; column < SizedColumns; ++column)
        gridLayout->setColumnMinimumWidth(column, column < columns ? ColumnWidth : 0);
}

int TOptionMenuWindow::showHeading(TOption *option)
{
    if (option->getMenuHeading().isEmpty()) {
        pHeadingLabel->hide();
        pSeparator->hide();
        return 0;
    }
    pHeadingLabel->setText(option->getMenuHeading());
    pHeadingLabel->show();
    pSeparator->show();
    return pHeadingLabel->sizeHint().height() + pSeparator->height();
}

TOptionButton *TOptionMenuWindow::newEntry(TOption *option)
{
    TOptionButton *button = new TOptionButton(option, this, TOptionButton::MenuEntryButton);
    // Nested menus open to the right.
    button->setMenuDirection(TAbstractMenuShower::ToTheRight);
    menuButtons.append(button);
    connect(button, SIGNAL(leafSelected()), this, SLOT(close()));
    return button;
}

QList<TOptionButton *> TOptionMenuWindow::shownEntries() const
{
    QList<TOptionButton *> entries;
    for (TOptionButton *button : menuButtons) {
        if (button->getOption() && !button->isHidden())
            entries << button;
    }
    return entries;
}

void TOptionMenuWindow::animateEndTimeoutHandler()
{
    // Still pending while it is shown: should the main window be animating again, the same shower is
    // refused instead of forcing that animation to its end as well.
    if (pendingShower && !pendingShowerWidget.isNull())
        showOptionMenu(pendingShower);
    else if (pendingShower)
        abandon();
    pendingShower = nullptr;
    pendingShowerWidget = nullptr;
}

void TOptionMenuWindow::clickMenuShownWidget()
{
    if (QAbstractButton *button = qobject_cast<QAbstractButton *>(menuShownWidget))
        button->animateClick(); // shown pressed for 100 ms, Qt's fixed time since Qt 6
    else
        close();
}

void TOptionMenuWindow::keyPressEvent(QKeyEvent *event)
{
    const QList<TOptionButton *> entries = shownEntries();
    const int n = entries.size();
    const int current = entries.indexOf(qobject_cast<TOptionButton *>(QApplication::focusWidget()));
    auto focusEntry = [&](int index) {
        if (index >= 0 && index < n)
            entries.at(index)->setFocus(Qt::TabFocusReason);
    };
    switch (event->key()) {
    case Qt::Key_Escape:
        clickMenuShownWidget();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Down:
        if (n)
            focusEntry(current < 0 ? 0 : (current + 1) % n);
        break;
    case Qt::Key_Backtab:
    case Qt::Key_Up:
        if (n)
            focusEntry(current < 0 ? n - 1 : (current + n - 1) % n);
        break;
    case Qt::Key_Left:
        if (current >= rowsPerColumn)
            focusEntry(current - rowsPerColumn);
        else
            clickMenuShownWidget();
        break;
    case Qt::Key_Right:
        if (current >= 0 && current + rowsPerColumn < n)
            focusEntry(current + rowsPerColumn);
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void TOptionMenuWindow::keyReleaseEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->accept();
        break;
    default:
        event->ignore();
        break;
    }
}

void TOptionMenuWindow::closeEvent(QCloseEvent *event)
{
    TAbstractSubWindow::closeEvent(event);
    returnToPool();
}
