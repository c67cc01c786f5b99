// kvgui_abstract_menu_shower.cpp
#include "kvgui_abstract_menu_shower.h"

TAbstractMenuShower::TAbstractMenuShower()
    : keyActivated(false)
    , pOption(nullptr)
    , menuDirection(DropUp)
{ }

TAbstractMenuShower::~TAbstractMenuShower() = default;

const char *TAbstractMenuShower::menuShownObjectName(MenuDirections direction)
{
    switch (direction) {
    case DropUp:
        return "dropUpMenuButton";
    case DropDown:
        return "dropDownMenuButton";
    case ToTheLeft:
        return "toTheLeftMenuButton";
    case ToTheRight:
        return "toTheRightMenuButton";
    }
    return "";
}

const char *TAbstractMenuShower::closedArrowImage(MenuDirections direction)
{
    switch (direction) {
    case DropUp:
        return "kvgui_option_menu_arrow_up";
    case DropDown:
        return "kvgui_option_menu_arrow_down";
    case ToTheLeft:
        return "kvgui_option_menu_arrow_left";
    case ToTheRight:
        return "kvgui_option_menu_arrow_right";
    }
    return "";
}

const char *TAbstractMenuShower::openArrowImage(MenuDirections direction)
{
    switch (direction) {
    case DropUp:
        return "kvgui_option_menu_arrow_down";
    case DropDown:
        return "kvgui_option_menu_arrow_up";
    case ToTheLeft:
        return "kvgui_option_menu_arrow_right";
    case ToTheRight:
        return "kvgui_option_menu_arrow_left";
    }
    return "";
}
