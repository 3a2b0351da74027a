#include "history/HistorySearchWorker.h"

#include "history/HistoryTree.h"
#include "platform/text/Encoding.h"

namespace fern {

CHistorySearchWorker::~CHistorySearchWorker() {
    *m_alive = false;
    Stop();
    Join();
}

void CHistorySearchWorker::Join() {
    if (m_thread.joinable()) m_thread.join();
}

bool CHistorySearchWorker::Start(HistorySearchRequest request, OpenReader openReader, Rows rows,
                                 Finished finished) {
    if (m_running || (request.text.empty() && !request.everyPage)) return false;
    Join();
    m_stop = false;
    m_running = true;
    std::shared_ptr<bool> alive = m_alive;
    auto post = [this, alive](std::function<void()> work) {
        m_queue.Post([alive, work = std::move(work)] {
            if (*alive) work();
        });
    };
    m_thread = std::thread([this, request = std::move(request), openReader = std::move(openReader),
                            rows = std::move(rows), finished = std::move(finished), post] {
        std::unique_ptr<HistoryDb> db = openReader ? openReader() : nullptr;
        if (db) {
            HistoryDbPageCache cache(db.get());
            SjisSearcher searcher(request.text, request.match.caseSensitive);
            Utf8Searcher names(ToUtf8(request.text), request.match.caseSensitive);
            EncodingConversionContext context;
            std::vector<HistoryRecord> batch;
            db->ScanPages(request.scope, [&](const HistoryPageView& view) {
                if (m_stop) return false;
                // Titles and dates are made only for the pages that match.
                HistoryRecord record;
                record.url = StoredTextToSjis(view.url);
                std::optional<KeptPage> own;
                if (view.code >= 0) own = KeptPage{view.bytes, view.code};
                if (request.everyPage ||
                    MatchHistoryEntry(record, own, searcher, request.match, cache, context,
                                      StoredNamePlaces(view.title, view.url, names))) {
                    HistoryPage page = PageOf(view);
                    record.title = HistoryTitleOf(page.title, page.url);
                    record.lastVisit = page.lastVisit;
                    record.dateText = HistoryDateText(page.lastVisit, request.datePicture);
                    batch.push_back(std::move(record));
                    if (batch.size() >= kBatch) {
                        post([rows, found = std::move(batch)]() mutable { rows(std::move(found)); });
                        batch.clear();
                    }
                }
                return true;
            });
            if (!batch.empty()) post([rows, found = std::move(batch)]() mutable { rows(std::move(found)); });
        }
        bool stopped = m_stop;
        m_running = false;
        post([finished, stopped] { finished(stopped); });
    });
    return true;
}

}  // namespace fern
