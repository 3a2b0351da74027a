#pragma once
// The search in page texts runs on a thread of its own, on a reading
// connection of its own: it goes through the visited pages (today's or all,
// by the URL filter) and posts the pages that match to the main loop in small
// batches; the main loop adds them to the list (no widget is touched from the
// worker). Stop asks it to end before the next page; the owner's end waits
// for it without running the main loop, since the worker never waits for it.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "history/HistorySearch.h"
#include "platform/shell/MessageQueue.h"

namespace fern {

struct HistorySearchRequest {
    std::string text;  // the search string, Shift-JIS; empty searches nothing
    // The list's plain fill ("更新"): every page of the scope, no search.
    // Off the main loop too, since all the pages may be many.
    bool everyPage = false;
    HistoryMatchOptions match;
    HistoryScope scope;  // HistoryListScope
    std::string datePicture;
};

class CHistorySearchWorker {
public:
    using OpenReader = std::function<std::unique_ptr<HistoryDb>()>;
    using Rows = std::function<void(std::vector<HistoryRecord> rows)>;
    // `stopped` is true when the search was stopped before its end; false
    // also when the history could not be read.
    using Finished = std::function<void(bool stopped)>;

    explicit CHistorySearchWorker(IMessageQueue& queue) : m_queue(queue) {}
    // Stops a running search and waits for it.
    ~CHistorySearchWorker();
    CHistorySearchWorker(const CHistorySearchWorker&) = delete;
    CHistorySearchWorker& operator=(const CHistorySearchWorker&) = delete;

    // False (and nothing starts) while a search runs, or for an empty text
    // unless every page is asked for.
    // `rows` and `finished` are called on the main loop, never after this
    // object is gone.
    bool Start(HistorySearchRequest request, OpenReader openReader, Rows rows, Finished finished);
    // Asks the search to end; returns at once.
    void Stop() { m_stop = true; }
    // Waits for the thread (after Stop, or for the search to end).
    void Join();
    bool Running() const { return m_running.load(); }

    // How many pages go into one posted batch.
    static constexpr std::size_t kBatch = 32;

private:
    IMessageQueue& m_queue;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    // Checked by what the worker posted: false once the owner is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace fern
