#pragma once
// Timers driven by hand: Advance(ms) fires every tick that falls due, in
// time order, as the main loop would.
#include <map>

#include "platform/shell/TimerService.h"

namespace fern::test {

class ManualTimers : public ITimerService {
public:
    TimerId Start(unsigned periodMs, std::function<void()> tick) override {
        TimerId id = ++m_last;
        m_timers[id] = Timer{periodMs ? periodMs : 1, m_now + (periodMs ? periodMs : 1), std::move(tick)};
        return id;
    }
    void Stop(TimerId id) override { m_timers.erase(id); }

    bool Running(TimerId id) const { return m_timers.count(id) != 0; }
    std::size_t Count() const { return m_timers.size(); }

    void Advance(unsigned ms) {
        unsigned long long end = m_now + ms;
        while (true) {
            TimerId next = 0;
            unsigned long long due = end + 1;
            for (auto& [id, t] : m_timers)
                if (t.due < due) {
                    due = t.due;
                    next = id;
                }
            if (!next) break;
            m_now = due;
            auto& t = m_timers[next];
            t.due += t.period;
            auto tick = t.tick;  // the tick may stop its own timer
            tick();
        }
        m_now = end;
    }

private:
    struct Timer {
        unsigned period;
        unsigned long long due;
        std::function<void()> tick;
    };
    std::map<TimerId, Timer> m_timers;
    TimerId m_last = 0;
    unsigned long long m_now = 0;
};

}  // namespace fern::test
