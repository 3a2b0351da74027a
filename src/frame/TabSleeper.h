#pragma once
// Puts background tabs to sleep by the rules of TabSleep, on a timer: asks
// each chosen page whether it may rest (nothing playing, no typed text) and
// has the frame give its page up when it may. Its clock is its own ticks.
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "frame/TabSleep.h"
#include "platform/shell/TimerService.h"

namespace fern {

class CFernView;

class TabSleeper {
public:
    static constexpr unsigned kTickMs = 15'000;

    struct Hooks {
        std::function<std::vector<CFernView*>()> tabs;  // the views in the tab bar
        std::function<CFernView*()> active;
        std::function<bool(CFernView*)> awake;  // has a page it can give up
        std::function<void(CFernView*)> rest;   // gives the page up
        std::function<TabSleepRules()> rules;
        std::function<std::uint64_t()> memory;  // bytes in use; 0 when unknown
    };

    TabSleeper(ITimerService& timers, Hooks hooks);
    ~TabSleeper();
    TabSleeper(const TabSleeper&) = delete;
    TabSleeper& operator=(const TabSleeper&) = delete;

    // `view` was selected: its idle time starts again when it is left.
    void Selected(const CFernView* view);
    // Tabs changed: the rounds run while a background tab has a page.
    void Wake();
    void Remove(const CFernView* view);
    // One round now (the timer runs them every kTickMs).
    void Tick();
    bool Running() const { return m_timer != 0; }

private:
    ITimerService& m_timers;
    Hooks m_hooks;
    TimerId m_timer = 0;
    std::uint64_t m_now = 0;
    std::map<const CFernView*, std::uint64_t> m_lastSelected;
    const CFernView* m_selected = nullptr;
    std::set<const CFernView*> m_asking;  // pages asked whether they may rest

    void Answer(CFernView* view, bool may);
    void StopRounds();
};

}  // namespace fern
