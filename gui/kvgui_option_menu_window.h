// kvgui_option_menu_window.h
#pragma once

#include "kvgui_abstract_menu_shower.h"
#include "kvgui_abstract_sub_window.h"

#include <QList>
#include <QPointer>

class QFrame;
class QGridLayout;
class QLabel;
class QTimer;
class TOptionButton;

// The menu of an option's sub-options: a grid of entry buttons that unfolds next to the activating
// button, with a checked copy of that button lying over it while the menu is open. Windows are pooled
// with their entry buttons and never deleted. GUI thread only.
class TOptionMenuWindow : public TAbstractSubWindow
{
    Q_OBJECT
public:
    TOptionMenuWindow();

    // Shows the shower's menu in a pooled window, or a new one when the pool is empty.
    static void displayOptionMenu(TAbstractMenuShower *shower);
    void showOptionMenu(TAbstractMenuShower *shower);
    // Pools a window that has shown the option's menu out of sight, unless a window is pooled or
    // shown already: so that a screen's first menu opens about as fast as a pooled one.
    static void prepare(TOption *option);

    QWidget *getMenuShownWidget() const { return menuShownWidget; }
    const QList<TOptionButton *> &getMenuButtons() const { return menuButtons; }
    QGridLayout *getGridLayout() const { return gridLayout; }
    // Every window made, pooled or shown.
    static const QList<TOptionMenuWindow *> &allWindows();

    // Windows that are not shown.
    static QList<TOptionMenuWindow *> freeOptionWindows;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void animateEndTimeoutHandler();

private:
    void abandon();
    void returnToPool();
    void layOutEntries(TOption *option, int available);
    // The heading's height with its separator; 0 when the menu has no heading.
    int showHeading(TOption *option);
    TOptionButton *newEntry(TOption *option);
    // The shown entry buttons, in entry order, and the rows per column.
    QList<TOptionButton *> shownEntries() const;
    void clickMenuShownWidget();

    QTimer *animateEndTimer; // child; single shot, 1 ms
    TAbstractMenuShower *pendingShower; // waits for a main-window animation to end
    QPointer<QWidget> pendingShowerWidget; // the same shower, to learn whether it still exists
    QLabel *pHeadingLabel; // child, "headingLabel"
    QFrame *pSeparator; // child, "horizontalLineCenter"
    QGridLayout *gridLayout;
    QWidget *menuShownWidget; // handed to the view while shown, which deletes it when replaced
    QList<TOptionButton *> menuButtons; // children, reused from menu to menu
    int rowsPerColumn;
};
