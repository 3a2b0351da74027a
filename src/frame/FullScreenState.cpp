#include "frame/FullScreenState.h"

namespace fern {

CFullScreenState CFullScreenState::FromStored(int value) {
    CFullScreenState state;
    state.m_on = (value & 0x1) != 0;
    state.m_kept.bands = (value & 0x2) != 0;
    state.m_kept.statusBar = (value & 0x4) != 0;
    return state;
}

bool CFullScreenState::Enter(const FullScreenBars& now) {
    if (m_on) return false;
    m_on = true;
    m_kept = now;
    return true;
}

FullScreenBars CFullScreenState::Leave() {
    if (m_on) m_on = false;
    return m_kept;
}

int CFullScreenState::StoredValue() const {
    return (m_on ? 1 : 0) + (m_kept.bands ? 2 : 0) + (m_kept.statusBar ? 4 : 0);
}

}  // namespace fern
