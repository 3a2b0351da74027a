#include "frame/ViewScheduler.h"

#include <algorithm>

#include "page/FernView.h"
#include "platform/engine/LazyEngine.h"

namespace fern {

ViewScheduler::~ViewScheduler() {
    if (m_selectTimer) m_timers.Stop(m_selectTimer);
    if (m_tickTimer) m_timers.Stop(m_tickTimer);
}

void ViewScheduler::Add(CFernView* view) {
    if (!view || IsWaiting(view)) return;
    m_waiting.push_back(view);
    StartTicks();
}

void ViewScheduler::AddAsleep(CFernView* view) {
    if (!view || IsWaiting(view)) return;
    m_asleep.push_back(view);
}

bool ViewScheduler::IsAsleep(const CFernView* view) const {
    return std::find(m_asleep.begin(), m_asleep.end(), view) != m_asleep.end();
}

void ViewScheduler::Remove(CFernView* view) {
    std::erase(m_waiting, view);
    std::erase(m_asleep, view);
    std::erase_if(m_loading, [view](const Loading& l) { return l.view == view; });
}

bool ViewScheduler::IsWaiting(const CFernView* view) const {
    return std::find(m_waiting.begin(), m_waiting.end(), view) != m_waiting.end() || IsAsleep(view);
}

void ViewScheduler::SelectionChanged() {
    CFernView* active = m_hooks.active ? m_hooks.active() : nullptr;
    // Made from the loop, once: a bulk close selects tab after tab on its
    // way, and only the tab selected in the end needs its page.
    if (!IsWaiting(active) || m_selectTimer) return;
    m_selectTimer = m_timers.Start(0, [this] { MakeSelected(); });
}

void ViewScheduler::MakeSelected() {
    m_timers.Stop(m_selectTimer);
    m_selectTimer = 0;
    CFernView* active = m_hooks.active ? m_hooks.active() : nullptr;
    if (IsWaiting(active)) Make(active);
}

void ViewScheduler::Make(CFernView* view) {
    std::erase(m_waiting, view);
    std::erase(m_asleep, view);
    m_loading.push_back({view, 0});
    StartTicks();
    if (m_hooks.materialise) m_hooks.materialise(view);
}

void ViewScheduler::StartTicks() {
    if (!m_tickTimer) m_tickTimer = m_timers.Start(kTickMs, [this] { Tick(); });
}

bool ViewScheduler::Settled(const Loading& loading) const {
    if (loading.ticks >= kGiveUpTicks) return true;
    IBrowserEngine* engine = RealEngine(loading.view->Engine());
    return loading.ticks >= kSettleTicks && (!engine || (!engine->Busy() && !engine->LocationURL().empty()));
}

bool ViewScheduler::Room() {
    if (!m_hooks.room) return true;
    if (m_roomAge == 0) {
        m_room = m_hooks.room();
        m_roomAge = kRoomTicks;
    }
    return m_room;
}

void ViewScheduler::Tick() {
    for (Loading& loading : m_loading) ++loading.ticks;
    std::erase_if(m_loading, [this](const Loading& l) { return Settled(l); });
    while (static_cast<int>(m_loading.size()) < kAtOnce && !m_waiting.empty() && Room())
        Make(m_waiting.front());
    if (m_roomAge > 0) --m_roomAge;
    if (m_waiting.empty() && m_loading.empty()) {
        m_timers.Stop(m_tickTimer);
        m_tickTimer = 0;
    }
}

}  // namespace fern
