// kvgui_abstract_menu_shower.h
#pragma once

class QWidget;
class TOption;
class TOptionMenuWindow;

// Every widget that can open an option menu of its option's sub-options.
class TAbstractMenuShower
{
public:
    // The side on which the menu opens.
    enum MenuDirections
    {
        DropUp = 0,
        DropDown = 1,
        ToTheLeft = 2,
        ToTheRight = 3
    };

    TAbstractMenuShower();
    virtual ~TAbstractMenuShower();

    // The widget that the open menu lays over the shower; null when the shower cannot show one.
    virtual QWidget *createMenuShownWidget(TOptionMenuWindow *menu, MenuDirections direction) = 0;

    void setMenuDirection(MenuDirections direction) { menuDirection = direction; }
    MenuDirections getMenuDirection() const { return menuDirection; }
    bool isKeyActivated() const { return keyActivated; }
    TOption *getOption() const { return pOption; }

    // Object name of the menu-shown button and the arrow images, by direction.
    static const char *menuShownObjectName(MenuDirections direction);
    static const char *closedArrowImage(MenuDirections direction);
    static const char *openArrowImage(MenuDirections direction);

protected:
    bool keyActivated; // the keypad activated the shower; cleared when it loses the focus
    TOption *pOption; // not owned
    MenuDirections menuDirection;
};
