#pragma once
// Menus from tables of command ids and the program's texts: "(&N)" becomes
// GTK's mnemonic, the text after "\t" the accelerator.
#include <gtkmm.h>

#include <functional>
#include <string>
#include <vector>

namespace fern {

struct MenuEntry {
    int id = 0;               // 0 with no text: a separator
    std::string text;         // Shift-JIS, "&" marks the mnemonic
    std::vector<MenuEntry> children;
    bool check = false;       // a check item (its state is asked when it opens)
    // A submenu filled each time it opens (its entries replace `children`).
    std::function<std::vector<MenuEntry>()> fill;
};

using CommandHandler = std::function<void(int id)>;
using CheckQuery = std::function<bool(int id)>;
using EnableQuery = std::function<bool(int id)>;

// "&&" is a literal "&", "_" is doubled; UTF-8 for GTK.
std::string MnemonicLabel(const std::string& sjisText);

// Builds the menu; items with an accelerator after "\t" are added to `accel`.
Gtk::Menu* BuildMenu(const std::vector<MenuEntry>& entries, const CommandHandler& onCommand,
                     const CheckQuery& isChecked, const EnableQuery& isEnabled,
                     const Glib::RefPtr<Gtk::AccelGroup>& accel);

}  // namespace fern
