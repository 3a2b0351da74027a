#pragma once
// "キー設定(&K)": the dialog on the program's keys; after OK the new keys
// work at once and the menus show them.
#include <gtkmm.h>

#include <functional>

#include "commands/CommandRouter.h"
#include "commands/KeySettings.h"

namespace fern {

class KeyCommandPart {
public:
    // `keysChanged` runs (from the main loop) after the keys were replaced.
    KeyCommandPart(Gtk::Window& parent, CKeySettings& keys, std::function<void()> keysChanged)
        : m_parent(parent), m_keys(keys), m_keysChanged(std::move(keysChanged)) {}

    void RegisterCommands(CCommandRouter& router);

private:
    Gtk::Window& m_parent;
    CKeySettings& m_keys;
    std::function<void()> m_keysChanged;
};

}  // namespace fern
