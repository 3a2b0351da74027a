#include "platform/store/HistoryStore.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <vector>

#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// "history.db.broken-20250131-235959", numbered when that name is taken.
std::string AsideName(const std::string& path) {
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string base = path + ".broken-" + stamp;
    std::string name = base;
    for (int n = 2; Exists(name) || Exists(name + "-wal"); ++n) name = base + "-" + std::to_string(n);
    return name;
}

std::string Format(const char* format, const std::string& a, const std::string& b = std::string()) {
    std::vector<char> text(format ? std::string(format).size() + a.size() + b.size() + 1 : 1);
    std::snprintf(text.data(), text.size(), format, a.c_str(), b.c_str());
    return text.data();
}

}  // namespace

HistoryStore::HistoryStore(Config config, IMessageQueue& queue, ProblemSink problems)
    : m_config(std::move(config)), m_queue(queue), m_problems(std::move(problems)) {
    m_thread = std::thread([this] { Run(); });
}

HistoryStore::~HistoryStore() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void HistoryStore::Tell(std::string message) {
    std::fprintf(stderr, "fern: %s\n", ToUtf8(message).c_str());
    if (!m_problems) return;
    ProblemSink problems = m_problems;
    m_queue.Post([problems, message = std::move(message)] { problems(message); });
}

void HistoryStore::SetChangeListener(std::function<void()> listener) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_changed = listener ? std::make_shared<std::function<void()>>(std::move(listener)) : nullptr;
}

void HistoryStore::Enqueue(Job job) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void HistoryStore::RecordVisit(std::string url, HistoryTime when) {
    Enqueue({[url = std::move(url), when](HistoryDb& db) { return db.RecordVisit(url, when); }, {}, "visit"});
}

void HistoryStore::SetTitle(std::string url, std::string title) {
    Enqueue(
        {[url = std::move(url), title = std::move(title)](HistoryDb& db) { return db.SetTitle(url, title); },
         {},
         "title"});
}

void HistoryStore::StorePage(std::string url, std::string bytes, HistoryTime when) {
    Enqueue({[url = std::move(url), bytes = std::move(bytes), when](HistoryDb& db) {
                 return db.StorePage(url, bytes, when);
             },
             {},
             "page"});
}

void HistoryStore::Delete(HistoryScope scope, std::function<void(bool)> done) {
    Enqueue(
        {[scope = std::move(scope)](HistoryDb& db) { return db.Delete(scope); }, std::move(done), "delete"});
}

void HistoryStore::DeleteAll(std::function<void(bool)> done) {
    Enqueue({[](HistoryDb& db) { return db.DeleteAll(); }, std::move(done), "delete"});
}

void HistoryStore::Flush() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

bool HistoryStore::WaitUntilOpen() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_opened; });
    return Usable();
}

std::unique_ptr<HistoryDb> HistoryStore::OpenReader() {
    if (!WaitUntilOpen()) return nullptr;
    auto db = std::make_unique<HistoryDb>();
    db->SetCodec(m_config.codec);
    db->SetLimits(m_config.limits);
    if (db->Open(m_config.path, HistoryDb::Mode::Read) != HistoryDb::OpenResult::Ok) return nullptr;
    return db;
}

bool HistoryStore::MoveAside(HistoryDb& db) {
    db.Close();
    const std::string& path = m_config.path;
    std::string aside = AsideName(path);
    if (std::rename(path.c_str(), aside.c_str()) != 0) return false;
    for (const char* suffix : {"-wal", "-shm"})
        if (Exists(path + suffix)) std::rename((path + suffix).c_str(), (aside + suffix).c_str());
    m_generation.fetch_add(1);
    Tell(Format("履歴ファイル %s は壊れていたので %s に移し、新しく作りました。", PathForDisplay(path),
                PathForDisplay(aside)));
    return true;
}

bool HistoryStore::OpenWriter(HistoryDb& db) {
    const std::string shown = PathForDisplay(m_config.path);
    HistoryDb::OpenResult result = db.Open(m_config.path, HistoryDb::Mode::Write);
    if (result == HistoryDb::OpenResult::Ok && !db.Verify()) result = HistoryDb::OpenResult::Damaged;
    if (result == HistoryDb::OpenResult::Damaged) {
        if (!MoveAside(db)) {
            Tell(Format("履歴ファイル %s は壊れていて、移すこともできません。今回は履歴を残しません。",
                        shown));
            return false;
        }
        result = db.Open(m_config.path, HistoryDb::Mode::Write);
    }
    switch (result) {
        case HistoryDb::OpenResult::Ok: return true;
        case HistoryDb::OpenResult::Busy:
            Tell(Format("履歴ファイル %s は他のプログラムが使っています。今回は履歴を残しません。", shown));
            return false;
        case HistoryDb::OpenResult::TooNew:
            Tell(Format(
                "履歴ファイル %s はこのプログラムより新しい版で作られています。今回は履歴を残しません。",
                shown));
            return false;
        default:
            Tell(Format("履歴ファイル %s を開けません (%s)。今回は履歴を残しません。", shown,
                        FromUtf8(db.ErrorMessage())));
            return false;
    }
}

void HistoryStore::Run() {
    HistoryDb db;
    db.SetCodec(m_config.codec);
    db.SetLimits(m_config.limits);
    bool usable = OpenWriter(db);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!usable) m_disabled = true;
        m_opened = true;
    }
    m_idle.notify_all();

    while (true) {
        std::deque<Job> batch;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            if (m_jobs.empty()) break;
            batch.swap(m_jobs);
            m_busy = true;
        }
        // One transaction for everything that came in meanwhile.
        std::vector<bool> results(batch.size(), false);
        bool begun = usable && db.Begin();
        if (usable && !begun)
            std::fprintf(stderr, "fern: history not saved: %s\n", db.ErrorMessage().c_str());
        if (begun) {
            for (std::size_t i = 0; i < batch.size(); ++i) {
                results[i] = batch[i].run(db);
                if (!results[i]) {
                    std::fprintf(stderr, "fern: history %s not saved: %s\n", batch[i].what,
                                 db.ErrorMessage().c_str());
                    if (db.LastErrorIsDamage()) break;
                }
            }
            if (db.LastErrorIsDamage() || !db.Commit()) {
                std::fprintf(stderr, "fern: history not saved: %s\n", db.ErrorMessage().c_str());
                db.Rollback();
                results.assign(batch.size(), false);
            }
            if (db.CompactPending()) db.CompactAfterDelete();
            // A file found damaged while in use is replaced like one found
            // damaged at the start; what this batch wrote is lost with it.
            if (db.LastErrorIsDamage()) {
                usable = MoveAside(db) &&
                         db.Open(m_config.path, HistoryDb::Mode::Write) == HistoryDb::OpenResult::Ok;
                if (!usable) m_disabled = true;
            }
        }
        std::shared_ptr<std::function<void()>> changed;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            changed = m_changed;
        }
        bool anyDone = false;
        for (std::size_t i = 0; i < batch.size(); ++i) {
            anyDone = anyDone || results[i];
            if (batch[i].done)
                m_queue.Post(
                    [done = std::move(batch[i].done), ok = static_cast<bool>(results[i])] { done(ok); });
        }
        if (anyDone && changed) m_queue.Post([changed] { (*changed)(); });
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_busy = false;
        }
        m_idle.notify_all();
    }
    db.Close();
}

}  // namespace fern
