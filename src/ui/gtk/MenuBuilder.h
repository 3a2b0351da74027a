#pragma once
// GTK menus from the menu layouts: each item's text comes from the command
// catalogue, its key text from the key table, what it does, whether it is
// available and checked from the router (asked each time a menu opens).
#include <gtkmm.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/MenuLayout.h"

namespace fern {

class CCommandRouter;
class CKeyManager;

// "&&" is a literal "&", "_" is doubled, the text after "\t" goes; UTF-8.
std::string MnemonicLabel(const std::string& sjisText);

struct MenuContext {
    const CCommandRouter* router = nullptr;
    const CKeyManager* keys = nullptr;  // key texts beside the items
    std::function<void(int id)> run;    // an item was chosen
    // The prompt of the item under the pointer; "" when none is.
    std::function<void(const std::string& sjisPrompt)> prompt;
    // A menu that builds itself (the bookmarks, whose folders are submenus):
    // for a Dynamic node, a new menu, or null to use the router's fill.
    std::function<Gtk::Menu*(const std::string& fill)> ownMenu;
};
using SharedMenuContext = std::shared_ptr<const MenuContext>;

Gtk::Menu* BuildMenu(const std::vector<MenuNode>& nodes, const SharedMenuContext& context);
// One command's item as the menus show it (catalogue text, key text, prompt,
// running through `context`); its availability is set by the caller.
Gtk::MenuItem* CommandMenuItem(int id, const SharedMenuContext& context);
// The menu bar's top-level items, one per submenu node; replaces what the
// bar held.
void FillMenuBar(Gtk::MenuBar& bar, const std::vector<MenuNode>& nodes, const SharedMenuContext& context);

}  // namespace fern
