#pragma once
// Makes the pages of tabs that were opened without one (restored tabs): the
// selected tab's page soon after it is selected, the others in the
// background in tab-opening order, a few at a time, the next when one has
// loaded or has taken too long. Starting every page process at once would
// leave the machine unusable for seconds; so would starting them while the
// browser is over its memory budget: the background ones then wait (the
// selected tab's page is made all the same) until the budget has room.
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "platform/shell/TimerService.h"

namespace fern {

class CFernView;

class ViewScheduler {
public:
    static constexpr unsigned kTickMs = 150;
    // Background pages loading at the same time (two processors are common).
    static constexpr int kAtOnce = 2;
    // A page counts as loading at least this long, and at most the longer.
    static constexpr int kSettleTicks = 1;
    static constexpr int kGiveUpTicks = 20;
    // The memory is asked about at most once in this many ticks: measuring
    // it reads every web process's figures.
    static constexpr int kRoomTicks = 7;

    struct Hooks {
        std::function<CFernView*()> active;           // the selected tab's view
        std::function<void(CFernView*)> materialise;  // makes the view's page now
        std::function<bool()> room;                   // memory for background pages; none: always
    };

    ViewScheduler(ITimerService& timers, Hooks hooks) : m_timers(timers), m_hooks(std::move(hooks)) {}
    ~ViewScheduler();
    ViewScheduler(const ViewScheduler&) = delete;
    ViewScheduler& operator=(const ViewScheduler&) = delete;

    // `view` has no page yet; it gets one in its turn.
    void Add(CFernView* view);
    // `view` gave its page up (a sleeping tab): it gets one back only when
    // it is selected.
    void AddAsleep(CFernView* view);
    bool IsAsleep(const CFernView* view) const;
    // The view goes away.
    void Remove(CFernView* view);
    // Another tab was selected: its page comes first.
    void SelectionChanged();
    bool IsWaiting(const CFernView* view) const;
    std::size_t WaitingCount() const { return m_waiting.size(); }

private:
    struct Loading {
        CFernView* view;
        int ticks;
    };
    ITimerService& m_timers;
    Hooks m_hooks;
    std::vector<CFernView*> m_waiting;  // in the order they were opened
    std::vector<CFernView*> m_asleep;
    std::vector<Loading> m_loading;
    TimerId m_selectTimer = 0;
    TimerId m_tickTimer = 0;
    bool m_room = true;
    int m_roomAge = 0;  // ticks until the memory is asked about again

    void Make(CFernView* view);
    void MakeSelected();
    void Tick();
    bool Settled(const Loading& loading) const;
    void StartTicks();
    bool Room();
};

}  // namespace fern
