#include "frame/TabSleeper.h"

#include "page/FernView.h"

namespace fern {

namespace {

// Locked, refreshing by itself or closing: its page stays whatever the rules.
bool KeepsItsPage(const CFernView& view) {
    return view.IsNavigateLocked() || view.AutoRefreshRunning() || view.IsClosing();
}

}  // namespace

TabSleeper::TabSleeper(ITimerService& timers, Hooks hooks) : m_timers(timers), m_hooks(std::move(hooks)) {}

TabSleeper::~TabSleeper() { StopRounds(); }

void TabSleeper::Wake() {
    if (m_timer) return;
    m_timer = m_timers.Start(kTickMs, [this] {
        m_now += kTickMs;
        Tick();
    });
}

void TabSleeper::StopRounds() {
    if (m_timer) m_timers.Stop(m_timer);
    m_timer = 0;
}

void TabSleeper::Selected(const CFernView* view) {
    // The tab left now is idle from now on.
    if (m_selected) m_lastSelected[m_selected] = m_now;
    m_selected = view;
    if (view) m_lastSelected[view] = m_now;
    Wake();
}

void TabSleeper::Remove(const CFernView* view) {
    m_lastSelected.erase(view);
    m_asking.erase(view);
    if (m_selected == view) m_selected = nullptr;
}

void TabSleeper::Tick() {
    if (!m_hooks.tabs || !m_hooks.rules) return;
    const TabSleepRules rules = m_hooks.rules();
    if (rules.minutes <= 0 && rules.budgetBytes == 0) {
        StopRounds();
        return;
    }
    const std::vector<CFernView*> views = m_hooks.tabs();
    CFernView* active = m_hooks.active ? m_hooks.active() : nullptr;
    std::vector<SleepCandidate> tabs;
    bool anyAwake = false;
    for (CFernView* view : views) {
        // A tab first seen now (opened in the background) is idle from now.
        auto [seen, added] = m_lastSelected.try_emplace(view, m_now);
        SleepCandidate tab;
        tab.awake = m_hooks.awake && m_hooks.awake(view) && !m_asking.count(view);
        tab.selected = view == active;
        IBrowserEngine* engine = view->Engine();
        tab.keep = KeepsItsPage(*view) || (engine && engine->Busy());
        tab.idleMs = m_now - seen->second;
        anyAwake = anyAwake || (tab.awake && !tab.selected);
        tabs.push_back(tab);
    }
    // Nothing could fall asleep until the tabs change: no idle wake-ups.
    if (!anyAwake && m_asking.empty()) {
        StopRounds();
        return;
    }
    const std::uint64_t memory = rules.budgetBytes && m_hooks.memory ? m_hooks.memory() : 0;
    for (std::size_t i : ChooseTabsToSleep(tabs, rules, memory)) {
        CFernView* view = views[i];
        m_asking.insert(view);
        // The answer never comes once the page is gone.
        view->Engine()->MayRest([this, view](bool may) { Answer(view, may); });
    }
}

void TabSleeper::Answer(CFernView* view, bool may) {
    if (!m_asking.erase(view)) return;
    CFernView* active = m_hooks.active ? m_hooks.active() : nullptr;
    // Selected, locked or busy again while the page was asked: it stays.
    if (!may || view == active || KeepsItsPage(*view)) return;
    if (m_lastSelected.count(view) && m_now - m_lastSelected[view] < kSleepGraceMs) return;
    if (m_hooks.rest) m_hooks.rest(view);
}

}  // namespace fern
