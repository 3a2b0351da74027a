#pragma once
// GTK menus that mirror a bookmark menu model: the top popup is refilled
// from its folder each time it opens, and a folder submenu is filled when
// its parent opens, so a screen reader finds the items before it enters.
// Names are shown as written: an "&" or "_" in a name is no mnemonic.
#include <gtkmm.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bookmarks/BookmarkMenu.h"

namespace fern {

class BookmarkMenuWidget {
public:
    struct Hooks {
        // A fixed command's item (33000, 33001); null leaves it out.
        std::function<Gtk::MenuItem*(int commandId)> commandItem;
        // A bookmark item was chosen; the model's highlighted entry is it.
        std::function<void(int entry)> activate;
        // The prompt of the item under the pointer ("" when none).
        std::function<void(const std::string& sjisPrompt)> prompt;
        // A right click on a bookmark or folder item: its property sheet.
        std::function<void(int entry)> properties;
    };

    BookmarkMenuWidget(BookmarkMenu& model, Hooks hooks);
    ~BookmarkMenuWidget();
    BookmarkMenuWidget(const BookmarkMenuWidget&) = delete;
    BookmarkMenuWidget& operator=(const BookmarkMenuWidget&) = delete;

    // A new top popup (the old one, if any, is no longer refilled).
    Gtk::Menu* MakeMenu();
    // Refills the top popup now (and its folders' submenus).
    void Refill();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace fern
