#include "sidebar/gtk/PanelMenuWidget.h"

#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

void Fill(Gtk::Menu& menu, const std::vector<PanelMenuItem>& items,
          const std::shared_ptr<std::function<void(int)>>& chosen) {
    for (const PanelMenuItem& item : items) {
        Gtk::MenuItem* entry = nullptr;
        if (item.id == 0 && item.text.empty()) {
            entry = Gtk::manage(new Gtk::SeparatorMenuItem());
        } else if (item.check) {
            auto* check = Gtk::manage(new Gtk::CheckMenuItem(MnemonicLabel(item.text), true));
            check->set_active(item.checked);
            entry = check;
        } else {
            entry = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(item.text), true));
        }
        if (item.isDefault)
            if (auto* label = dynamic_cast<Gtk::Label*>(entry->get_child()))
                label->set_markup_with_mnemonic("<b>" + Glib::Markup::escape_text(label->get_label()) +
                                                "</b>");
        if (item.id == -1) {
            auto* sub = Gtk::manage(new Gtk::Menu());
            Fill(*sub, item.children, chosen);
            entry->set_submenu(*sub);
        } else if (item.id != 0) {
            int id = item.id;
            // Run from the main loop once the menu is gone, so a dialog the
            // item opens does not hold whoever chose it.
            entry->signal_activate().connect(
                [chosen, id] { Glib::signal_idle().connect_once([chosen, id] { (*chosen)(id); }); });
        }
        menu.append(*entry);
    }
}

}  // namespace

void PopUpPanelMenu(Gtk::Widget& owner, const std::vector<PanelMenuItem>& items, const GdkEvent* event,
                    std::function<void(int id)> chosen) {
    auto* menu = new Gtk::Menu();
    Fill(*menu, items, std::make_shared<std::function<void(int)>>(std::move(chosen)));
    menu->attach_to_widget(owner);
    menu->show_all();
    // The menu deletes itself once closed and its item has run.
    menu->signal_deactivate().connect([menu] { Glib::signal_idle().connect_once([menu] { delete menu; }); });
    if (event) menu->popup_at_pointer(event);
    else menu->popup_at_widget(&owner, Gdk::GRAVITY_CENTER, Gdk::GRAVITY_NORTH_WEST, nullptr);
}

}  // namespace fern
