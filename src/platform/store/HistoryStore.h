#pragma once
// history.db as the running program uses it: every write goes to a thread of
// its own, in order, so the main loop never waits on the disk; reads go
// through connections of their own (WAL lets them read while the writer
// writes). A file that is no database or is damaged is moved aside and a new
// one made; one that another program holds locked, or that cannot be opened,
// leaves the history off for this session. Either way the user is told once.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/shell/MessageQueue.h"
#include "platform/store/HistoryDb.h"
#include "platform/store/HistoryWriter.h"

namespace fern {

class HistoryStore : public IHistoryWriter, public IHistoryEraser {
public:
    struct Config {
        std::string path;  // history.db, the file system's bytes
        HistoryLimits limits;
        PageTextCodec codec;
    };
    // Gets each message for the user (Shift-JIS), on the main loop.
    using ProblemSink = std::function<void(const std::string& message)>;

    HistoryStore(Config config, IMessageQueue& queue, ProblemSink problems);
    // Finishes the writes already asked for, then closes.
    ~HistoryStore() override;
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Writes: queued, carried out in order on the writer thread. A write
    // that fails is logged on standard error.
    void RecordVisit(std::string url, HistoryTime when) override;
    void SetTitle(std::string url, std::string title) override;
    // The page's main-resource bytes, as they came.
    void StorePage(std::string url, std::string bytes, HistoryTime when) override;
    // `done` gets whether the pages are gone, on the main loop.
    void Delete(HistoryScope scope, std::function<void(bool ok)> done) override;
    void DeleteAll(std::function<void(bool ok)> done) override;

    // Waits until every write asked for so far is done (tests, and the end
    // of the program).
    void Flush();
    // False once the history is off for this session.
    bool Usable() const override { return !m_disabled.load(); }
    // Waits for the first open; true when the history can be used.
    bool WaitUntilOpen();
    // Counts the times the file was replaced by a new one, so readers know
    // to open it again.
    std::uint64_t Generation() const { return m_generation.load(); }
    const std::string& Path() const { return m_config.path; }

    // A connection for reading on the calling thread (with the codec and
    // limits of the store); null when the history is off. Open it again when
    // Generation() has moved on.
    std::unique_ptr<HistoryDb> OpenReader();

    // Called on the main loop after writes were committed (the panels
    // refresh).
    void SetChangeListener(std::function<void()> listener);

private:
    struct Job {
        std::function<bool(HistoryDb&)> run;
        std::function<void(bool)> done;  // on the main loop; may be empty
        const char* what = "";
    };

    Config m_config;
    IMessageQueue& m_queue;
    ProblemSink m_problems;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_stop = false;
    bool m_busy = false;
    bool m_opened = false;
    std::atomic<bool> m_disabled{false};
    std::atomic<std::uint64_t> m_generation{0};
    std::shared_ptr<std::function<void()>> m_changed;
    std::thread m_thread;

    void Enqueue(Job job);
    void Run();
    bool OpenWriter(HistoryDb& db);
    bool MoveAside(HistoryDb& db);
    void Tell(std::string message);
};

}  // namespace fern
