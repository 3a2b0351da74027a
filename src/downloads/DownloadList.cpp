#include "downloads/DownloadList.h"

#include <algorithm>

#include "downloads/DownloadFileName.h"
#include "downloads/DownloadFiles.h"
#include "downloads/DownloadText.h"

namespace fern {

namespace {

// The new figure counts for this share of the speed shown, so a short stall
// moves it without making it jump.
constexpr double kSpeedWeight = 0.4;
constexpr std::int64_t kMinSampleMs = 200;

// A name from the address when the engine suggests none.
std::string NameFromUrl(const std::string& url) {
    std::string path = url.substr(0, url.find_first_of("?#"));
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(slash + 1);
}

}  // namespace

CDownloadList::CDownloadList(DownloadListServices services) : m_s(std::move(services)) {}

CDownloadList::~CDownloadList() {
    m_observers.clear();
    m_asker = nullptr;
    CancelAll();
    if (m_timer) m_s.timers.Stop(m_timer);
}

void CDownloadList::RemoveObserver(IDownloadListObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

DownloadItem* CDownloadList::Item(int id) {
    for (DownloadItem& item : m_items)
        if (item.id == id) return &item;
    return nullptr;
}

const DownloadItem* CDownloadList::Find(int id) const { return const_cast<CDownloadList*>(this)->Item(id); }

DownloadItem* CDownloadList::ItemOfTransfer(TransferId transfer) {
    if (!transfer) return nullptr;
    for (DownloadItem& item : m_items)
        if (item.transfer == transfer) return &item;
    return nullptr;
}

int CDownloadList::RunningCount() const { return m_running; }

// Questions ------------------------------------------------------------------------

void CDownloadList::OnResponse(TransferId transfer, const DownloadResponse& response) {
    // A retry asked for this transfer: its question was answered before.
    if (DownloadItem* fetching = Item(m_fetchingFor); fetching && !fetching->transfer)
        fetching->transfer = transfer;
    if (DownloadItem* item = ItemOfTransfer(transfer)) {
        if (item->state != DownloadState::Running || !item->partPath.empty()) return;
        item->mimeType = response.mimeType;
        item->size = response.size;
        StartWriting(*item);
        return;
    }
    // Nobody can be asked, or the user refused this page's downloads.
    if (!m_asker || (response.page && m_refusedPages.count(response.page))) {
        m_s.engine.Cancel(transfer);
        return;
    }
    const int id = m_nextId++;
    Pending& pending = m_questions[id];
    pending.transfer = transfer;
    pending.response = response;
    pending.proposedName = SafeFileName(response.suggestedName, NameFromUrl(response.url));
    if (m_queue.Add(response.page, id)) AskNext(id);
    else ShowWaiting(id);
}

void CDownloadList::AskNext(std::optional<int> next) {
    if (!next || !m_asker) return;
    auto it = m_questions.find(*next);
    if (it == m_questions.end()) return;
    DownloadQuestion question;
    question.id = *next;
    question.response = it->second.response;
    question.site = DownloadSiteOfUrl(it->second.response.url);
    question.proposedName = it->second.proposedName;
    question.waitingBehind = m_queue.WaitingBehind(*next);
    m_asker->Ask(question);
}

void CDownloadList::ShowWaiting(int anyQuestionOfPage) {
    std::deque<int> page = m_queue.QuestionsOfPageOf(anyQuestionOfPage);
    if (!page.empty() && m_asker) m_asker->WaitingChanged(page.front(), page.size() - 1);
}

// Takes question `id` out of the queue; the page's next question is shown
// when this one was.
void CDownloadList::EndQuestion(int id, bool cancelTransfer) {
    auto it = m_questions.find(id);
    if (it == m_questions.end()) return;
    if (cancelTransfer) m_s.engine.Cancel(it->second.transfer);
    std::deque<int> page = m_queue.QuestionsOfPageOf(id);
    const bool shown = !page.empty() && page.front() == id;
    m_questions.erase(it);
    std::optional<int> next = m_queue.Remove(id);
    if (next) AskNext(next);
    else if (!shown && page.size() > 1) ShowWaiting(page.front());
}

void CDownloadList::Answer(int id, DownloadAnswer answer, const std::string& path, bool replace) {
    auto it = m_questions.find(id);
    if (it == m_questions.end()) return;
    if (answer == DownloadAnswer::CancelAllOfPage) {
        if (it->second.response.page) m_refusedPages.insert(it->second.response.page);
        // The shown question is the one answered; the others were never shown.
        for (int question : m_queue.QuestionsOfPageOf(id)) {
            m_s.engine.Cancel(m_questions[question].transfer);
            m_questions.erase(question);
            m_queue.Remove(question);
        }
        return;
    }
    std::string target;
    if (answer == DownloadAnswer::Save) target = path;
    else if (answer == DownloadAnswer::Open) {
        std::string folder = m_s.openFolder ? m_s.openFolder() : std::string();
        if (!folder.empty()) target = FreePathIn(folder, it->second.proposedName);
    }
    if (answer == DownloadAnswer::Cancel || target.empty()) {
        EndQuestion(id, true);
        return;
    }
    DownloadItem item;
    item.id = id;
    item.url = it->second.response.url;
    item.site = DownloadSiteOfUrl(item.url);
    item.path = target;
    item.mimeType = it->second.response.mimeType;
    item.size = it->second.response.size;
    item.openWhenDone = answer == DownloadAnswer::Open;
    item.replace = answer == DownloadAnswer::Save && replace;
    item.transfer = it->second.transfer;
    m_items.push_back(item);
    EndQuestion(id, false);
    DownloadItem& added = m_items.back();
    for (IDownloadListObserver* observer : m_observers) observer->DownloadAdded(added);
    StartWriting(*Item(id));
    UpdateRunning();
}

// Entries ----------------------------------------------------------------------------

void CDownloadList::StartWriting(DownloadItem& item) {
    std::string error;
    std::optional<std::string> part = ClaimPartFile(item.path, m_s.engine.SideFileSuffix(), &error);
    if (!part) {
        TransferId transfer = item.transfer;
        Fail(item, FailureText(DownloadFailure::Destination, error));
        // Its end is of no interest any more: nothing was written.
        item.transfer = 0;
        m_s.engine.Cancel(transfer);
        return;
    }
    item.partPath = *part;
    item.received = 0;
    item.sampleBytes = 0;
    item.sampleMs = m_s.nowMs ? m_s.nowMs() : 0;
    item.bytesPerSecond = 0;
    m_s.engine.Save(item.transfer, item.partPath);
    Changed(item);
}

void CDownloadList::Fail(DownloadItem& item, const std::string& reason) {
    item.state = DownloadState::Failed;
    item.reason = reason;
    item.bytesPerSecond = 0;
    Changed(item);
    UpdateRunning();
}

void CDownloadList::OnFinished(TransferId transfer, std::int64_t received) {
    if (auto orphan = m_orphanParts.find(transfer); orphan != m_orphanParts.end()) {
        RemovePartFiles(orphan->second, m_s.engine.SideFileSuffix());
        m_orphanParts.erase(orphan);
        return;
    }
    if (auto question = std::find_if(m_questions.begin(), m_questions.end(),
                                     [transfer](const auto& q) { return q.second.transfer == transfer; });
        question != m_questions.end()) {
        // Ended before the answer: nothing was written, the question goes.
        if (m_asker) m_asker->Withdraw(question->first);
        EndQuestion(question->first, false);
        return;
    }
    DownloadItem* item = ItemOfTransfer(transfer);
    if (!item) return;
    item->transfer = 0;
    if (item->state != DownloadState::Running || item->partPath.empty()) {
        RemovePartFiles(item->partPath, m_s.engine.SideFileSuffix());
        item->partPath.clear();
        Changed(*item);
        return;
    }
    item->received = std::max(item->received, received);
    std::string error;
    std::optional<std::string> placed = PlaceFinishedFile(item->partPath, item->path, item->replace, &error);
    if (!placed) {
        RemovePartFiles(item->partPath, m_s.engine.SideFileSuffix());
        item->partPath.clear();
        Fail(*item, FailureText(DownloadFailure::Destination, error));
        return;
    }
    item->path = *placed;
    item->partPath.clear();
    item->size = item->received;
    item->state = DownloadState::Done;
    item->bytesPerSecond = 0;
    if (item->openWhenDone) m_s.shell.OpenFile(item->path);
    Changed(*item);
    UpdateRunning();
}

void CDownloadList::OnFailed(TransferId transfer, DownloadFailure failure, const std::string& detail) {
    if (auto orphan = m_orphanParts.find(transfer); orphan != m_orphanParts.end()) {
        RemovePartFiles(orphan->second, m_s.engine.SideFileSuffix());
        m_orphanParts.erase(orphan);
        return;
    }
    for (auto& [id, pending] : m_questions)
        if (pending.transfer == transfer) {
            if (m_asker) m_asker->Withdraw(id);
            EndQuestion(id, false);
            return;
        }
    DownloadItem* item = ItemOfTransfer(transfer);
    if (!item) return;
    // What came before the end, for the row that tells of it.
    if (!item->partPath.empty()) item->received = std::max(item->received, m_s.engine.Received(transfer));
    item->transfer = 0;
    RemovePartFiles(item->partPath, m_s.engine.SideFileSuffix());
    item->partPath.clear();
    if (item->state != DownloadState::Running) {
        Changed(*item);
        return;
    }
    if (failure == DownloadFailure::Cancelled) {
        item->state = DownloadState::Cancelled;
        item->bytesPerSecond = 0;
        Changed(*item);
        UpdateRunning();
        return;
    }
    Fail(*item, FailureText(failure, detail));
}

void CDownloadList::Cancel(int id) {
    DownloadItem* item = Item(id);
    if (!item || item->state != DownloadState::Running) return;
    item->state = DownloadState::Cancelled;
    item->bytesPerSecond = 0;
    // The part file goes when the engine has let go of it, so no later
    // download that takes its name loses its file to the engine's clean-up.
    if (item->transfer) m_s.engine.Cancel(item->transfer);
    Changed(*item);
    UpdateRunning();
}

bool CDownloadList::CanRetry(int id) const {
    const DownloadItem* item = Find(id);
    return item && (item->state == DownloadState::Cancelled || item->state == DownloadState::Failed) &&
           item->transfer == 0;
}

void CDownloadList::Retry(int id) {
    if (!CanRetry(id)) return;
    DownloadItem* item = Item(id);
    item->state = DownloadState::Running;
    item->reason.clear();
    item->received = 0;
    item->bytesPerSecond = 0;
    item->partPath.clear();
    // The engine may answer with the response before Fetch returns.
    m_fetchingFor = id;
    TransferId transfer = m_s.engine.Fetch(item->url);
    m_fetchingFor = 0;
    item = Item(id);
    if (!item) return;
    if (!transfer) {
        Fail(*item, FailureText(DownloadFailure::Other, {}));
        return;
    }
    if (!item->transfer) item->transfer = transfer;
    Changed(*item);
    UpdateRunning();
}

void CDownloadList::Remove(int id) {
    auto it =
        std::find_if(m_items.begin(), m_items.end(), [id](const DownloadItem& i) { return i.id == id; });
    if (it == m_items.end()) return;
    const bool running = it->state == DownloadState::Running;
    if (it->transfer) {
        m_orphanParts[it->transfer] = it->partPath;
        if (running) m_s.engine.Cancel(it->transfer);
    }
    m_items.erase(it);
    for (IDownloadListObserver* observer : m_observers) observer->DownloadRemoved(id);
    if (running) UpdateRunning();
}

bool CDownloadList::Open(int id) {
    const DownloadItem* item = Find(id);
    return item && item->state == DownloadState::Done && m_s.shell.OpenFile(item->path);
}

bool CDownloadList::OpenFolder(int id) {
    const DownloadItem* item = Find(id);
    return item && m_s.shell.OpenFolder(item->path);
}

void CDownloadList::CancelAll() {
    // No further question is shown: the browser is closing.
    for (auto& [id, pending] : m_questions) {
        m_s.engine.Cancel(pending.transfer);
        if (m_asker) m_asker->Withdraw(id);
    }
    m_questions.clear();
    m_queue = CDownloadQuestionQueue();
    for (DownloadItem& item : m_items) {
        if (item.state != DownloadState::Running) continue;
        item.state = DownloadState::Cancelled;
        if (item.transfer) m_s.engine.Cancel(item.transfer);
        // The program ends: nobody will clean up after the engine.
        RemovePartFiles(item.partPath, m_s.engine.SideFileSuffix());
        item.partPath.clear();
        item.transfer = 0;
        Changed(item);
    }
    for (auto& [transfer, part] : m_orphanParts) RemovePartFiles(part, m_s.engine.SideFileSuffix());
    m_orphanParts.clear();
    UpdateRunning();
}

// Progress ----------------------------------------------------------------------------

void CDownloadList::Changed(const DownloadItem& item) {
    for (IDownloadListObserver* observer : m_observers) observer->DownloadChanged(item);
}

void CDownloadList::UpdateRunning() {
    int running = 0;
    for (const DownloadItem& item : m_items)
        if (item.state == DownloadState::Running) ++running;
    if (running && !m_timer) m_timer = m_s.timers.Start(kTickMs, [this] { Tick(); });
    if (!running && m_timer) {
        m_s.timers.Stop(m_timer);
        m_timer = 0;
    }
    if (running == m_running) return;
    m_running = running;
    for (IDownloadListObserver* observer : m_observers) observer->RunningCountChanged(running);
}

void CDownloadList::Tick() {
    const std::int64_t now = m_s.nowMs ? m_s.nowMs() : 0;
    for (DownloadItem& item : m_items) {
        if (item.state != DownloadState::Running || !item.transfer || item.partPath.empty()) continue;
        const std::int64_t received = m_s.engine.Received(item.transfer);
        const std::int64_t elapsed = now - item.sampleMs;
        if (elapsed >= kMinSampleMs) {
            const double speed = static_cast<double>(received - item.sampleBytes) * 1000.0 / elapsed;
            item.bytesPerSecond = item.sampleBytes == 0 && item.bytesPerSecond == 0
                                      ? speed
                                      : item.bytesPerSecond * (1 - kSpeedWeight) + speed * kSpeedWeight;
            item.sampleBytes = received;
            item.sampleMs = now;
        }
        if (received == item.received && elapsed < kMinSampleMs) continue;
        item.received = received;
        // The server's size proved wrong: from now on it is unknown.
        if (item.size >= 0 && received > item.size) item.size = -1;
        Changed(item);
    }
}

}  // namespace fern
