#pragma once
// Keeps the session on disk while the browser runs: every beat it takes the
// state of the tabs and, when it differs from what was last written, hands
// the new bytes to the writer. A clean exit writes the state once more,
// marked closed, and waits for the disk.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/shell/TimerService.h"
#include "session/SessionState.h"

namespace fern {

// Beat of the saver: a change reaches the disk within this and one write.
inline constexpr unsigned kSessionBeatMs = 400;

class ISessionWriter {
public:
    virtual ~ISessionWriter() = default;
    // Writes `bytes` as the newest session; a later call may replace bytes
    // still waiting.
    virtual void Write(std::string bytes) = 0;
    // Waits until the last bytes given are written; false when that failed.
    virtual bool Flush() = 0;
};

// Writes the generations in `folder` on a thread of its own, so the disk never
// holds up the main loop; only the newest bytes waiting are written. A failed
// write is logged once, and again only after a write has succeeded.
class SessionFileWriter final : public ISessionWriter {
public:
    explicit SessionFileWriter(std::string folder);
    ~SessionFileWriter() override;
    SessionFileWriter(const SessionFileWriter&) = delete;
    SessionFileWriter& operator=(const SessionFileWriter&) = delete;

    void Write(std::string bytes) override;
    bool Flush() override;

private:
    std::string m_folder;
    std::mutex m_mutex;
    std::condition_variable m_wake, m_done;
    std::optional<std::string> m_waiting;
    bool m_writing = false;
    bool m_lastOk = true;
    bool m_stop = false;
    std::thread m_thread;

    void Run();
};

class SessionSaver {
public:
    SessionSaver(ITimerService& timers, std::function<SessionState()> snapshot, ISessionWriter& writer);
    ~SessionSaver();
    SessionSaver(const SessionSaver&) = delete;
    SessionSaver& operator=(const SessionSaver&) = delete;

    // Starts the beat; the first beat writes the state as it is then.
    void Start();
    // One beat now: writes when the state changed.
    void Check();
    // The clean exit: the beat stops, the state is written marked closed and
    // the disk waited for. False when that write failed.
    bool Close();

private:
    ITimerService& m_timers;
    std::function<SessionState()> m_snapshot;
    ISessionWriter& m_writer;
    TimerId m_timer = 0;
    std::optional<SessionState> m_written;
    bool m_closed = false;
};

}  // namespace fern
