#pragma once
// Start-up work the first page does not need, run after it: once the first
// page has committed (or failed), or after a fallback delay when it does
// neither, or at once when the start opened no page. Each task runs in its
// own turn of the main loop, in the order it was added, so none of them
// holds up the page or the input for long. A task added later runs at once.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FirstPageGate.h"
#include "platform/shell/MessageQueue.h"
#include "platform/shell/TimerService.h"

namespace fern {

class CStartupDeferrals {
public:
    CStartupDeferrals(ITimerService& timers, IMessageQueue& queue);
    ~CStartupDeferrals();
    CStartupDeferrals(const CStartupDeferrals&) = delete;
    CStartupDeferrals& operator=(const CStartupDeferrals&) = delete;

    // `name` goes to the start-up trace when the task runs.
    void Add(std::string name, std::function<void()> task);
    // The first tabs are open: wait for the first page unless none loads,
    // but never longer than `fallbackMs`.
    void Arm(bool pageLoading, unsigned fallbackMs) { m_gate.Arm(pageLoading, fallbackMs); }
    // The first page committed or failed; before Arm it is remembered.
    void FirstPageDone() { m_gate.FirstPageDone(); }
    bool Released() const { return m_gate.IsOpen(); }

private:
    struct Task {
        std::string name;
        std::function<void()> run;
    };
    IMessageQueue& m_queue;
    CFirstPageGate m_gate;
    std::vector<Task> m_tasks;
    std::size_t m_next = 0;
    bool m_running = false;  // a turn is posted
    // Posted turns check it: the queue may outlive us.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

    void PostNext();
};

}  // namespace fern
