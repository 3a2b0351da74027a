#include "session/SessionSaver.h"

#include "platform/fs/FileIo.h"
#include "session/SessionFile.h"
#include "session/SessionGenerations.h"

namespace fern {

SessionFileWriter::SessionFileWriter(std::string folder)
    : m_folder(std::move(folder)), m_thread([this] { Run(); }) {}

SessionFileWriter::~SessionFileWriter() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void SessionFileWriter::Write(std::string bytes) {
    {
        std::lock_guard lock(m_mutex);
        m_waiting = std::move(bytes);
    }
    m_wake.notify_all();
}

bool SessionFileWriter::Flush() {
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return !m_waiting && !m_writing; });
    return m_lastOk;
}

void SessionFileWriter::Run() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stop || m_waiting; });
        // Bytes still waiting are written before the thread ends.
        if (!m_waiting) return;
        std::string bytes = std::move(*m_waiting);
        m_waiting.reset();
        m_writing = true;
        lock.unlock();
        std::string error;
        bool ok = SaveSessionGeneration(m_folder, bytes, &error);
        if (!ok && m_lastOk) LogWriteFailure(SessionGenerationPath(m_folder, 1), error);
        lock.lock();
        m_lastOk = ok;
        m_writing = false;
        m_done.notify_all();
    }
}

SessionSaver::SessionSaver(ITimerService& timers, std::function<SessionState()> snapshot,
                           ISessionWriter& writer)
    : m_timers(timers), m_snapshot(std::move(snapshot)), m_writer(writer) {}

SessionSaver::~SessionSaver() {
    if (m_timer) m_timers.Stop(m_timer);
}

void SessionSaver::Start() {
    if (m_timer || m_closed) return;
    Check();
    m_timer = m_timers.Start(kSessionBeatMs, [this] { Check(); });
}

void SessionSaver::Check() {
    if (m_closed || !m_snapshot) return;
    SessionState state = m_snapshot();
    state.closed = false;
    if (m_written && *m_written == state) return;
    m_writer.Write(SerializeSession(state));
    m_written = std::move(state);
}

bool SessionSaver::Close() {
    if (m_timer) m_timers.Stop(m_timer);
    m_timer = 0;
    if (m_closed) return true;
    m_closed = true;
    SessionState state = m_snapshot ? m_snapshot() : SessionState();
    state.closed = true;
    m_writer.Write(SerializeSession(state));
    return m_writer.Flush();
}

}  // namespace fern
