#pragma once
// The menus of the main window: the menu bar, the tab menu of a tab's right
// click and the tab bar's own menu.
#include <functional>
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

class CFernView;

// The menu bar; the back and forward lists ask for the active page.
std::vector<MenuEntry> MainMenuBar(std::function<CFernView*()> activePage);
// Entries of the back or forward list of a page: ids 34288.. go back
// (id - 34286) steps, 34293.. forward (id - 34291) steps.
std::vector<MenuEntry> HistoryListMenu(CFernView* page, bool back);
std::vector<MenuEntry> TabMenu();
std::vector<MenuEntry> TabBarMenu();

}  // namespace fern
