#pragma once
// The menus as lists of command ids: their texts come from the catalogue and
// their keys from the key table, so a menu is only an order.
#include <string>
#include <vector>

namespace fern {

struct MenuNode {
    enum class Kind { Command, Separator, Submenu, Dynamic };
    Kind kind = Kind::Separator;
    int id = 0;  // Command
    // Submenu: its title, "&" marks the mnemonic. Command: a text of its own
    // for this menu, instead of the catalogue's (empty: the catalogue's).
    std::string text;
    std::vector<MenuNode> children;  // Submenu
    // Dynamic: the router's menu fill of this name. In a submenu of its own
    // when `text` is set (filled when its parent opens), else its items
    // stand in its place.
    std::string fill;
};

MenuNode CommandItem(int id, std::string text = {});
MenuNode MenuSeparator();
MenuNode Submenu(std::string text, std::vector<MenuNode> children);
MenuNode DynamicMenu(std::string text, std::string fill);
MenuNode DynamicItems(std::string fill);

// Names of the dynamic menus the router is asked for.
inline constexpr char kBackListMenu[] = "back-list";
inline constexpr char kForwardListMenu[] = "forward-list";
inline constexpr char kRecentClosedMenu[] = "recent-closed";
inline constexpr char kRecentClosedMenuText[] = "最近閉じたURL(&E)";
// The bookmark menu is built by the bookmarks' own menu (its folders are
// submenus), not by the router's flat fills.
inline constexpr char kBookmarkMenu[] = "bookmarks";
inline constexpr char kBookmarkMenuText[] = "ブックマーク(&B)";
inline constexpr char kProxyEntriesMenu[] = "proxy-entries";
// The task tray's item, whose text shows the hot key of the moment.
inline constexpr char kTaskTrayMenu[] = "task-tray";

// The menu bar: one submenu per top-level menu.
std::vector<MenuNode> MainMenuBar();
// A tab's right-click menu and the tab bar's own menu.
std::vector<MenuNode> TabMenu();
std::vector<MenuNode> TabBarMenu();
// The bookmark panel's context menu.
std::vector<MenuNode> BookmarkPanelMenu();
// The task-tray icon's menu ("TRAY").
std::vector<MenuNode> TrayMenu();
// The bars' switches, the fixed bands and the tool bar's customise dialog.
std::vector<MenuNode> BarsMenu();

// Every command id a menu shows, for checks.
std::vector<int> MenuCommandIds(const std::vector<MenuNode>& menu);

}  // namespace fern
