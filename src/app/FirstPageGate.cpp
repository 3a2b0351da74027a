#include "app/FirstPageGate.h"

namespace fern {

CFirstPageGate::~CFirstPageGate() {
    if (m_fallback) m_timers.Stop(m_fallback);
}

void CFirstPageGate::Arm(bool pageLoading, unsigned fallbackMs) {
    if (m_armed) return;
    m_armed = true;
    if (!pageLoading || m_pageDone) {
        Open();
        return;
    }
    m_fallback = m_timers.Start(fallbackMs, [this] { Open(); });
}

void CFirstPageGate::FirstPageDone() {
    m_pageDone = true;
    if (m_armed) Open();
}

void CFirstPageGate::Open() {
    if (m_fallback) {
        m_timers.Stop(m_fallback);
        m_fallback = 0;
    }
    if (!m_open) return;
    // Cleared first: what it opens may ask again.
    std::function<void()> open = std::move(m_open);
    m_open = nullptr;
    open();
}

}  // namespace fern
