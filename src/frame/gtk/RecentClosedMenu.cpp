#include "frame/gtk/RecentClosedMenu.h"

namespace fern {

namespace {

const char kDynamicItem[] = "fern-recent-closed";

void Refill(Gtk::Menu& menu, const CClosedTabs& closed, const CommandHandler& onCommand) {
    for (Gtk::Widget* child : menu.get_children())
        if (child->get_data(kDynamicItem)) menu.remove(*child);  // managed: removing destroys it
    int position = 0;
    for (const ClosedMenuItem& entry : closed.MenuItems()) {
        auto* item = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(entry.text), true));
        item->set_data(kDynamicItem, reinterpret_cast<void*>(1));
        int id = entry.id;
        item->signal_activate().connect([onCommand, id] { onCommand(id); });
        item->show();
        menu.insert(*item, position++);
    }
}

}  // namespace

MenuEntry RecentClosedMenuEntry() {
    return MenuEntry{-1,
                     kRecentClosedMenuText,
                     {MenuEntry{}, MenuEntry{ID_RECENT_SAVE, "保存する(&S)", {}, true, {}},
                      MenuEntry{ID_RECENT_OPEN_ALL, "すべて開く(&A)", {}, false, {}}},
                     false,
                     {}};
}

Gtk::Menu* FindSubmenu(Gtk::MenuShell& shell, const std::string& sjisText) {
    std::string label = MnemonicLabel(sjisText);
    for (Gtk::Widget* child : shell.get_children()) {
        auto* item = dynamic_cast<Gtk::MenuItem*>(child);
        if (!item) continue;
        Gtk::Menu* submenu = item->get_submenu();
        if (!submenu) continue;
        if (item->get_label() == label) return submenu;
        if (Gtk::Menu* found = FindSubmenu(*submenu, sjisText)) return found;
    }
    return nullptr;
}

bool AttachRecentClosedMenu(Gtk::MenuShell& menuBar, const CClosedTabs& closed, CommandHandler onCommand) {
    Gtk::Menu* submenu = FindSubmenu(menuBar, kRecentClosedMenuText);
    if (!submenu) return false;
    auto refill = [submenu, &closed, onCommand] { Refill(*submenu, closed, onCommand); };
    submenu->signal_show().connect(refill);
    // Filled when its parent opens, so the items are there for a screen
    // reader before the submenu is entered.
    if (Gtk::Widget* parentItem = submenu->get_attach_widget())
        if (auto* parentMenu = dynamic_cast<Gtk::Menu*>(parentItem->get_parent()))
            parentMenu->signal_show().connect(refill);
    refill();
    return true;
}

}  // namespace fern
