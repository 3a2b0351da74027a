#pragma once
// Which visits the history keeps. Every committed main-frame navigation of a
// tab to a web or local address is a visit; its title follows; once loaded,
// the page's own bytes are kept for the search in page texts when they are
// text (markup, plain text, scripts, data in text form) from the web. Nothing
// is kept while the program works offline or privately, and no page bytes
// while the user chose not to keep page texts.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/store/HistoryWriter.h"

namespace fern {

struct RecordingRules {
    std::function<bool()> offline;          // working offline: nothing is kept
    std::function<bool()> privateBrowsing;  // nothing is kept
    std::function<bool()> keepPageTexts;    // page bytes are kept (kept when not given)
    std::size_t pageBytes = 2u << 20;       // of one page (the store's own limit)
};

// The addresses that are visits: http, https, ftp and file. Not about:,
// view-source:, data:, javascript:, blob: or anything else.
bool IsRecordableUrl(std::string_view url);
// Whether a loaded page's bytes are kept: a web page (http, https) of a text
// type that does not look like binary data (no zero byte near its start,
// unless it begins with a UTF-16 byte-order mark).
bool KeepsPageBytes(std::string_view url, std::string_view mimeType, std::string_view bytes);

class CHistoryRecorder {
public:
    using Clock = std::function<HistoryTime()>;
    CHistoryRecorder(IHistoryWriter& writer, Clock clock, RecordingRules rules);

    // Events of a tab's page; `view` only tells the tabs apart.
    void Committed(const void* view, const std::string& url);
    void TitleChanged(const void* view, const std::string& title);
    // Whether the bytes of the page loaded in the tab would be kept (asked
    // before reading them from the engine).
    bool WantsPageBytes(const void* view, const std::string& url, std::string_view mimeType) const;
    // The main resource of the page committed last, loaded whole.
    void MainResourceLoaded(const void* view, const std::string& url, std::string_view mimeType,
                            std::string_view bytes);
    void ViewGone(const void* view) { m_pages.erase(view); }

    // True while visits are kept at all.
    bool Recording() const;

private:
    IHistoryWriter& m_writer;
    Clock m_clock;
    RecordingRules m_rules;
    // The visit each tab shows, when it was kept.
    std::unordered_map<const void*, std::string> m_pages;
};

}  // namespace fern
