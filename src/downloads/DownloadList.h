#pragma once
// The session's downloads. Every transfer the engine starts is a question
// first, and nothing is written until the user answers it; the answer to
// save (or open) makes it an entry of the list, which writes into a part
// file and gives the file its name once it is complete. Entries run, end as
// done, cancelled or failed (with the reason), can be tried again, opened,
// shown in their folder and removed. The engine and the desktop are passed
// in; the list runs without a main loop of its own.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "downloads/DownloadEngine.h"
#include "downloads/DownloadQuestionQueue.h"
#include "platform/shell/TimerService.h"

namespace fern {

enum class DownloadState { Running, Done, Cancelled, Failed };

struct DownloadItem {
    int id = 0;
    std::string url;   // Shift-JIS
    std::string site;  // Shift-JIS, the host it comes from
    std::string path;  // the file system's bytes: the file it goes to, or went to
    std::string mimeType;
    std::int64_t size = -1;  // -1 while unknown (or after the server's figure proved wrong)
    std::int64_t received = 0;
    double bytesPerSecond = 0;
    DownloadState state = DownloadState::Running;
    std::string reason;  // Shift-JIS, why it failed
    bool openWhenDone = false;
    // Internals of the list, kept here so the item is one record.
    bool replace = false;     // the user chose to replace a file at `path`
    TransferId transfer = 0;  // the engine's transfer while it lives
    std::string partPath;
    std::int64_t sampleBytes = 0;
    std::int64_t sampleMs = 0;
};

struct DownloadQuestion {
    int id = 0;
    DownloadResponse response;
    std::string site;          // Shift-JIS
    std::string proposedName;  // the suggested name made safe (file system's bytes, UTF-8)
    std::size_t waitingBehind = 0;
};

enum class DownloadAnswer {
    Save,  // to the path chosen
    Open,  // to a private folder, then with the desktop's handler
    Cancel,
    CancelAllOfPage,  // this question and every one waiting behind it
};

// Shows the questions, one per page at a time.
class IDownloadAsker {
public:
    virtual ~IDownloadAsker() = default;
    virtual void Ask(const DownloadQuestion& question) = 0;
    // The transfer of a shown question ended before it was answered.
    virtual void Withdraw(int questionId) = 0;
    // More (or fewer) questions now wait behind a shown one.
    virtual void WaitingChanged(int questionId, std::size_t waitingBehind) = 0;
};

class IDownloadListObserver {
public:
    virtual ~IDownloadListObserver() = default;
    virtual void DownloadAdded(const DownloadItem&) {}
    virtual void DownloadChanged(const DownloadItem&) {}
    virtual void DownloadRemoved(int /*id*/) {}
    virtual void RunningCountChanged(int /*running*/) {}
};

struct DownloadListServices {
    IDownloadEngine& engine;
    IDownloadShell& shell;
    ITimerService& timers;
    std::function<std::int64_t()> nowMs;
    // The folder that takes files to be opened (made when first asked);
    // empty when there is none.
    std::function<std::string()> openFolder;
};

class CDownloadList {
public:
    // Progress and speed are read this often while anything runs.
    static constexpr unsigned kTickMs = 500;

    explicit CDownloadList(DownloadListServices services);
    // Ends what still runs and removes its part files.
    ~CDownloadList();
    CDownloadList(const CDownloadList&) = delete;
    CDownloadList& operator=(const CDownloadList&) = delete;

    void SetAsker(IDownloadAsker* asker) { m_asker = asker; }
    void AddObserver(IDownloadListObserver* observer) { m_observers.push_back(observer); }
    void RemoveObserver(IDownloadListObserver* observer);

    // Events of the engine.
    void OnResponse(TransferId transfer, const DownloadResponse& response);
    void OnFinished(TransferId transfer, std::int64_t received);
    void OnFailed(TransferId transfer, DownloadFailure failure, const std::string& detail);

    // The answer to question `id`. For Save, `path` is the file chosen and
    // `replace` says the user agreed to replace a file of that name.
    // CancelAllOfPage also refuses the page's further downloads, unasked,
    // until it shows another document.
    void Answer(int id, DownloadAnswer answer, const std::string& path = {}, bool replace = false);
    // The page went to another document.
    void PageNavigated(std::uintptr_t page) { m_refusedPages.erase(page); }

    // The user's actions on entries.
    void Cancel(int id);
    void Retry(int id);
    void Remove(int id);
    bool Open(int id);
    bool OpenFolder(int id);
    bool CanRetry(int id) const;

    // Oldest first.
    const std::vector<DownloadItem>& Items() const { return m_items; }
    const DownloadItem* Find(int id) const;
    int RunningCount() const;
    std::size_t QuestionCount() const { return m_questions.size(); }
    // Ends every running transfer and unanswered question (the browser closes).
    void CancelAll();

private:
    struct Pending {
        TransferId transfer = 0;
        DownloadResponse response;
        std::string proposedName;
    };

    DownloadListServices m_s;
    IDownloadAsker* m_asker = nullptr;
    std::vector<IDownloadListObserver*> m_observers;
    std::vector<DownloadItem> m_items;
    std::map<int, Pending> m_questions;
    CDownloadQuestionQueue m_queue;
    // Transfers of entries removed while they ran: their files go when they end.
    std::map<TransferId, std::string> m_orphanParts;
    std::set<std::uintptr_t> m_refusedPages;
    int m_nextId = 1;
    int m_fetchingFor = 0;  // the entry whose retry is being fetched
    int m_running = 0;
    TimerId m_timer = 0;

    DownloadItem* Item(int id);
    DownloadItem* ItemOfTransfer(TransferId transfer);
    void AskNext(std::optional<int> next);
    void ShowWaiting(int anyQuestionOfPage);
    void EndQuestion(int id, bool cancelTransfer);
    void StartWriting(DownloadItem& item);
    void Fail(DownloadItem& item, const std::string& reason);
    void Changed(const DownloadItem& item);
    void UpdateRunning();
    void Tick();
};

}  // namespace fern
