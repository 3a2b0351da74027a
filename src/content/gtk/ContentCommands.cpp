#include "content/gtk/ContentCommands.h"

#include "content/ContentCommandIds.h"

namespace fern {

bool ContentCommands::Command(int id) {
    if (id == ID_OFFLINE) {
        m_offline.Toggle();
        return true;
    }
    return m_control.Command(id);
}

std::optional<bool> ContentCommands::IsChecked(int id) const {
    if (id == ID_OFFLINE) return m_offline.IsOffline();
    if (!m_control.IsOurs(id)) return std::nullopt;
    return m_control.IsChecked(id).value_or(false);
}

std::optional<bool> ContentCommands::IsEnabled(int id) const {
    if (id == ID_OFFLINE || m_control.IsOurs(id)) return true;
    return std::nullopt;
}

}  // namespace fern
