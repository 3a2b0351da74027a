#pragma once
// "キー設定(&K)": the dialog on the program's keys; after OK the new keys
// work at once and the menus show them.
#include <gtkmm.h>

#include <functional>
#include <memory>

#include "commands/CommandRouter.h"
#include "commands/KeySettings.h"

namespace fern {

class KeyCommandPart {
public:
    // `keysChanged` runs (from the main loop) after the keys were replaced.
    KeyCommandPart(Gtk::Window& parent, CKeySettings& keys, std::function<void()> keysChanged);
    ~KeyCommandPart();

    void RegisterCommands(CCommandRouter& router);

private:
    Gtk::Window& m_parent;
    CKeySettings& m_keys;
    std::function<void()> m_keysChanged;
    std::unique_ptr<class KeySettingsDialog> m_dialog;  // while it is open
};

}  // namespace fern
