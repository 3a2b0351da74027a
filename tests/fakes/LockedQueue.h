#pragma once
// Posted messages from other threads (the history writer, the search
// worker), run when the test says, on the test's thread.
#include <deque>
#include <functional>
#include <mutex>

#include "platform/shell/MessageQueue.h"

namespace fern::test {

class LockedQueue : public IMessageQueue {
public:
    void Post(std::function<void()> work) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_work.push_back(std::move(work));
    }
    // Runs everything posted so far, and what that posts in turn.
    void RunAll() {
        while (true) {
            std::function<void()> work;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_work.empty()) return;
                work = std::move(m_work.front());
                m_work.pop_front();
            }
            work();
        }
    }

private:
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_work;
};

}  // namespace fern::test
