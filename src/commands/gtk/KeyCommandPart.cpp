#include "commands/gtk/KeyCommandPart.h"

#include "commands/CommandIds.h"
#include "commands/gtk/KeySettingsDialog.h"

namespace fern {

KeyCommandPart::KeyCommandPart(Gtk::Window& parent, CKeySettings& keys, std::function<void()> keysChanged)
    : m_parent(parent), m_keys(keys), m_keysChanged(std::move(keysChanged)) {}

KeyCommandPart::~KeyCommandPart() = default;

void KeyCommandPart::RegisterCommands(CCommandRouter& router) {
    router.Add(ID_KEY_SETTINGS, [this, &router] {
        if (m_dialog) {
            m_dialog->Widget().present();  // one at a time
            return;
        }
        m_dialog = std::make_unique<KeySettingsDialog>(m_parent, m_keys.Keys(), router);
        m_dialog->Show([this](std::optional<CKeyManager> edited) {
            if (edited) m_keys.Replace(*edited);
            // The dialog goes, and the menus are made again, from the loop:
            // both may still be on the stack here.
            Glib::signal_idle().connect_once([this, changed = edited.has_value()] {
                m_dialog.reset();
                if (changed && m_keysChanged) m_keysChanged();
            });
        });
    });
}

}  // namespace fern
