#include "frame/gtk/MenuBuilder.h"

#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

std::string MnemonicLabel(const std::string& sjisText) {
    std::string text = sjisText;
    std::size_t tab = SjisFind(text, '\t');
    if (tab != std::string::npos) text.erase(tab);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        SjisByteClass cls = SjisByteClassAt(text, i);
        if (cls != SjisByteClass::Single) {
            out += text[i];
            continue;
        }
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            } else {
                out += '_';
            }
        } else if (text[i] == '_') {
            out += "__";
        } else {
            out += text[i];
        }
    }
    return ToUtf8(out);
}

namespace {

// "Ctrl+Shift+T" style accelerators as GTK parses them ("<Control><Shift>t").
bool ParseAccelerator(const std::string& text, guint& key, Gdk::ModifierType& mods) {
    std::string gtkForm;
    std::string rest = text;
    const std::pair<const char*, const char*> prefixes[] = {
        {"Ctrl+", "<Control>"}, {"Shift+", "<Shift>"}, {"Alt+", "<Alt>"}};
    bool found = true;
    while (found) {
        found = false;
        for (const auto& [word, tag] : prefixes)
            if (rest.rfind(word, 0) == 0) {
                gtkForm += tag;
                rest.erase(0, std::string(word).size());
                found = true;
            }
    }
    if (rest.size() == 1) rest = std::string(1, static_cast<char>(g_ascii_tolower(rest[0])));
    gtkForm += rest;
    Gtk::AccelGroup::parse(gtkForm, key, mods);
    return key != 0;
}

}  // namespace

Gtk::Menu* BuildMenu(const std::vector<MenuEntry>& entries, const CommandHandler& onCommand,
                     const CheckQuery& isChecked, const EnableQuery& isEnabled,
                     const Glib::RefPtr<Gtk::AccelGroup>& accel) {
    auto* menu = Gtk::manage(new Gtk::Menu());
    if (accel) menu->set_accel_group(accel);
    struct Checkable {
        Gtk::CheckMenuItem* item;
        int id;
    };
    auto checks = std::make_shared<std::vector<Checkable>>();
    auto all = std::make_shared<std::vector<std::pair<Gtk::MenuItem*, int>>>();
    for (const MenuEntry& entry : entries) {
        if (entry.id == 0 && entry.text.empty()) {
            menu->append(*Gtk::manage(new Gtk::SeparatorMenuItem()));
            continue;
        }
        Gtk::MenuItem* item = nullptr;
        if (entry.check) {
            auto* check = Gtk::manage(new Gtk::CheckMenuItem(MnemonicLabel(entry.text), true));
            checks->push_back({check, entry.id});
            item = check;
        } else {
            item = Gtk::manage(new Gtk::MenuItem(MnemonicLabel(entry.text), true));
        }
        if (entry.fill) {
            // Rebuilt when its parent opens, so it shows the state of that moment.
            auto fill = entry.fill;
            item->set_submenu(*Gtk::manage(new Gtk::Menu()));
            menu->signal_show().connect([item, fill, onCommand, isChecked, isEnabled] {
                std::vector<MenuEntry> entries = fill();
                item->set_sensitive(!entries.empty());
                item->set_submenu(*BuildMenu(entries, onCommand, isChecked, isEnabled, {}));
            });
        } else if (!entry.children.empty()) {
            item->set_submenu(*BuildMenu(entry.children, onCommand, isChecked, isEnabled, accel));
        } else {
            int id = entry.id;
            item->signal_activate().connect([onCommand, id, item] {
                // A check item toggles itself when its state is set on open.
                if (auto* c = dynamic_cast<Gtk::CheckMenuItem*>(item); c && c->get_data("fern-syncing")) return;
                onCommand(id);
            });
            all->push_back({item, id});
            std::size_t tab = SjisFind(entry.text, '\t');
            guint key = 0;
            Gdk::ModifierType mods{};
            if (accel && tab != std::string::npos &&
                ParseAccelerator(entry.text.substr(tab + 1), key, mods))
                item->add_accelerator("activate", accel, key, mods, Gtk::ACCEL_VISIBLE);
        }
        menu->append(*item);
    }
    // Check marks and availability are asked each time the menu opens.
    menu->signal_show().connect([checks, all, isChecked, isEnabled] {
        for (auto& c : *checks) {
            c.item->set_data("fern-syncing", reinterpret_cast<void*>(1));
            c.item->set_active(isChecked && isChecked(c.id));
            c.item->set_data("fern-syncing", nullptr);
        }
        for (auto& [item, id] : *all) item->set_sensitive(!isEnabled || isEnabled(id));
    });
    menu->show_all();
    return menu;
}

}  // namespace fern
