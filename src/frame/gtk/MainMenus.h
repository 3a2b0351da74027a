#pragma once
// The menus of the main window: the menu bar, the tab menu of a tab's right
// click and the tab bar's own menu.
#include <vector>

#include "frame/gtk/MenuBuilder.h"
#include "page/PageCommandIds.h"

namespace fern {

enum AppCommand : int {
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_TAB_AUTO_REFRESH_START = 33127,
    ID_TAB_AUTO_REFRESH_STOP = 33128,
};

std::vector<MenuEntry> MainMenuBar();
std::vector<MenuEntry> TabMenu();
std::vector<MenuEntry> TabBarMenu();

}  // namespace fern
