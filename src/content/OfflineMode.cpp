#include "content/OfflineMode.h"

namespace fern {

void COfflineMode::SetOffline(bool offline) {
    if (offline == m_offline) return;
    m_offline = offline;
    if (m_block) m_block(offline);
    for (const auto& hook : m_hooks)
        if (hook) hook(offline);
}

}  // namespace fern
