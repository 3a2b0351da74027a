#include "app/StartupDeferrals.h"

#include "platform/trace/StartupTrace.h"

namespace fern {

CStartupDeferrals::~CStartupDeferrals() {
    *m_alive = false;
    if (m_fallback) m_timers.Stop(m_fallback);
}

void CStartupDeferrals::Add(std::string name, std::function<void()> task) {
    m_tasks.push_back({std::move(name), std::move(task)});
    if (m_released) PostNext();
}

void CStartupDeferrals::Arm(bool pageLoading, unsigned fallbackMs) {
    if (m_armed) return;
    m_armed = true;
    if (!pageLoading || m_pageDone) {
        Release();
        return;
    }
    m_fallback = m_timers.Start(fallbackMs, [this] { Release(); });
}

void CStartupDeferrals::FirstPageDone() {
    m_pageDone = true;
    if (m_armed) Release();
}

void CStartupDeferrals::Release() {
    if (m_fallback) {
        m_timers.Stop(m_fallback);
        m_fallback = 0;
    }
    if (m_released) return;
    m_released = true;
    PostNext();
}

void CStartupDeferrals::PostNext() {
    if (m_running || m_next >= m_tasks.size()) return;
    m_running = true;
    m_queue.Post([this, alive = m_alive] {
        if (!*alive) return;
        m_running = false;
        // Copied out: the task may add another and move the list.
        Task task = m_tasks[m_next++];
        task.run();
        TraceEvent("deferred: " + task.name);
        PostNext();
    });
}

}  // namespace fern
