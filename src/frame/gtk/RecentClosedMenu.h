#pragma once
// The submenu "最近閉じたURL(&E)": its fixed items come from the menu table;
// the entries of the recently closed list are put in front of them each
// time the File menu or the submenu opens.
#include <gtkmm.h>

#include <string>
#include <vector>

#include "frame/ClosedTabs.h"
#include "frame/gtk/MenuBuilder.h"

namespace fern {

inline constexpr char kRecentClosedMenuText[] = "最近閉じたURL(&E)";

// The submenu's entry for the File menu, with its fixed items.
MenuEntry RecentClosedMenuEntry();

// The submenu of the item labelled `sjisText` anywhere under `shell`.
Gtk::Menu* FindSubmenu(Gtk::MenuShell& shell, const std::string& sjisText);

// Fills the submenu under `menuBar` on demand; false when it is not there.
bool AttachRecentClosedMenu(Gtk::MenuShell& menuBar, const CClosedTabs& closed, CommandHandler onCommand);

}  // namespace fern
