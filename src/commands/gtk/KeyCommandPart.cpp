#include "commands/gtk/KeyCommandPart.h"

#include "commands/CommandIds.h"
#include "commands/gtk/KeySettingsDialog.h"

namespace fern {

void KeyCommandPart::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_KEY_SETTINGS, [this, &router] {
        KeySettingsDialog dialog(m_parent, m_keys.Keys(), router);
        std::optional<CKeyManager> edited = dialog.Run();
        if (!edited) return;
        m_keys.Replace(*edited);
        // The menu item that ran this may still be on the stack: the menus
        // are made again once it is done.
        Glib::signal_idle().connect_once([this] {
            if (m_keysChanged) m_keysChanged();
        });
    });
}

}  // namespace fern
