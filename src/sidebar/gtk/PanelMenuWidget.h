#pragma once
// A panel's menu (PanelMenus) as a GTK pop-up menu: plain, check and
// submenu items with their Japanese texts, the default item in bold; a
// chosen item's id goes to `chosen` once the menu has closed.
#include <gtkmm.h>

#include <functional>
#include <vector>

#include "sidebar/PanelMenus.h"

namespace fern {

// Pops the menu up at the pointer (`event` may be null: at the widget).
void PopUpPanelMenu(Gtk::Widget& owner, const std::vector<PanelMenuItem>& items, const GdkEvent* event,
                    std::function<void(int id)> chosen);

}  // namespace fern
