#include "app/StartupDeferrals.h"

#include "platform/trace/StartupTrace.h"

namespace fern {

CStartupDeferrals::CStartupDeferrals(ITimerService& timers, IMessageQueue& queue)
    : m_queue(queue), m_gate(timers, [this] { PostNext(); }) {}

CStartupDeferrals::~CStartupDeferrals() { *m_alive = false; }

void CStartupDeferrals::Add(std::string name, std::function<void()> task) {
    m_tasks.push_back({std::move(name), std::move(task)});
    if (m_gate.IsOpen()) PostNext();
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
