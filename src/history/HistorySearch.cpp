#include "history/HistorySearch.h"

#include <algorithm>
#include <ctime>

#include "bookmarks/DatePicture.h"
#include "history/HistoryTree.h"
#include "lists/EncodingDetect.h"
#include "platform/fs/FileIo.h"
#include "platform/text/SjisByteClass.h"
#include "platform/text/TextCut.h"

namespace fern {

namespace {

constexpr std::size_t kFilterBytes = 100;
constexpr std::size_t kTipUrlBytes = 120;

bool StartsWithFile(const std::string& url) { return SjisToLower(url.substr(0, 5)) == "file:"; }

// Whether the kept bytes hold the text, read as the search reads them: more
// than one byte is read, more than three decide the code. The code detected
// when the page was kept is the one detection would find again.
bool TextHolds(KeptPage page, const SjisSearcher& searcher, EncodingConversionContext& context, int& code) {
    if (page.bytes.size() <= 1) return false;
    if (context.forcedCode == -1 && page.code >= 0 && page.bytes.size() > 3)
        code = context.detectedCode = page.code;
    else code = ChooseConversionCode(page.bytes.data(), page.bytes.size(), context);
    // Shift-JIS is read as it stands, without a copy.
    if (code == kEncodingSjis) return searcher.FoundIn(page.bytes);
    return searcher.FoundIn(ConvertCodeToShiftJis(page.bytes, code));
}

std::string Escaped(std::string_view text) {
    // None of these bytes is ever the second byte of a character.
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string HistoryDateText(HistoryTime t, std::string_view datePicture) {
    std::time_t time = static_cast<std::time_t>(t);
    std::tm local{};
    localtime_r(&time, &local);
    return FormatDatePicture(datePicture, local);
}

HistoryRecord MakeHistoryRecord(const HistoryPage& page, std::string_view datePicture) {
    HistoryRecord record;
    record.title = HistoryTitleOf(page.title, page.url);
    record.url = page.url;
    if (!datePicture.empty()) record.dateText = HistoryDateText(page.lastVisit, datePicture);
    record.lastVisit = page.lastVisit;
    return record;
}

HistoryScope HistoryListScope(bool todayOnly, bool useFilter, const std::string& filter, HistoryTime now) {
    HistoryScope scope;
    if (todayOnly) {
        HistoryDayGroup today = LocalDay(now, 0);
        scope.from = today.from;
        scope.to = today.to;
    }
    if (useFilter) scope.urlPrefix = filter.substr(0, SjisSafeCut(filter, kFilterBytes));
    return scope;
}

unsigned StoredNamePlaces(std::string_view title, std::string_view url, const Utf8Searcher& searcher) {
    // An empty title is shown as the end of the address (HistoryTitleOf);
    // neither "/" nor "\" is ever part of a longer UTF-8 character.
    if (title.empty()) {
        std::size_t cut = url.rfind('/');
        if (cut == std::string_view::npos) cut = url.rfind('\\');
        title = cut == std::string_view::npos ? url : url.substr(cut + 1);
    }
    return (searcher.FoundIn(title) ? kPlaceTitle : 0u) | (searcher.FoundIn(url) ? kPlaceUrl : 0u);
}

bool MatchHistoryEntry(HistoryRecord& record, std::optional<KeptPage> own, const SjisSearcher& searcher,
                       const HistoryMatchOptions& options, IPageCache& cache,
                       EncodingConversionContext& context, std::optional<unsigned> namePlaces) {
    context.forcedCode = options.charCode;
    if (namePlaces) {
        record.places = *namePlaces;
    } else {
        record.places = 0;
        if (searcher.FoundIn(record.title)) record.places |= kPlaceTitle;
        if (searcher.FoundIn(record.url)) record.places |= kPlaceUrl;
    }
    if (StartsWithFile(record.url)) return record.places != 0;

    // The page is kept under the address without its fragment; our store
    // keeps it under the address as visited, which is asked next.
    std::string key = record.url.substr(0, SjisFind(record.url, '#'));
    std::optional<CachedPage> found;
    std::optional<KeptPage> page;
    if (key == record.url && own) {
        page = own;
    } else if ((found = cache.Lookup(key))) {
        page = KeptPage{found->bytes, found->code};
    } else if (own) {
        page = own;
    } else if (key != record.url && (found = cache.Lookup(record.url))) {
        page = KeptPage{found->bytes, found->code};
    }
    if (page) {
        if (TextHolds(*page, searcher, context, record.code)) record.places |= kPlaceCache;
    } else if (key.empty() || key.back() != '/') {
        if ((found = cache.Lookup(key + "/")) &&
            TextHolds(KeptPage{found->bytes, found->code}, searcher, context, record.code)) {
            record.places |= kPlaceCache;
            if (key == record.url) record.url += '/';
        }
    }
    return record.places != 0;
}

std::string HistoryInfoTip(const HistoryRecord& record) {
    std::string tip =
        record.title + "\n" + CompactPath(record.url, kTipUrlBytes) + "\n更新日時 " + record.dateText;
    if (record.code >= 0 && *EncodingName(record.code))
        tip += std::string(" 文字コード ") + EncodingName(record.code);
    if (record.places != 0) {
        tip += "\n場所 ";
        if (record.places & kPlaceTitle) tip += "Title ";
        if (record.places & kPlaceUrl) tip += "Url ";
        if (record.places & kPlaceCache) tip += "Cache";
    }
    return tip;
}

std::string HistoryListHtml(const std::vector<HistoryRecord>& rows, std::string_view nowText) {
    std::string html = "<HTML>\r\n<H1> 履歴 " + Escaped(nowText) + " </H1>\r\n<H2>URL</H2>\r\n<UL>\r\n";
    for (const HistoryRecord& row : rows)
        html += "<LI><A HREF=\"" + Escaped(row.url) + "\">" + Escaped(row.title) + "</A> 更新日時 " +
                Escaped(row.dateText) + "\r\n";
    html += "</UL>\r\n</HTML>\r\n";
    return html;
}

bool SaveHistoryListHtml(const std::string& path, const std::vector<HistoryRecord>& rows,
                         std::string_view nowText, std::string* error) {
    return WriteFileAtomic(path, HistoryListHtml(rows, nowText), error);
}

std::string HistoryUrlToOpen(const std::string& url, bool alt, IPageCache& cache) {
    std::string target = url;
    if (!cache.Lookup(url) && cache.Lookup(url + "/")) target += '/';
    return alt ? "view-source:" + target : target;
}

int HistoryOpenFlags(bool newTab, int fernBarStyle) {
    return (newTab ? 0x1 : 0) | ((fernBarStyle & 0x2) ? 0x2 : 0);
}

void CHistorySearchList::SetSort(int sortValue) {
    m_column = std::clamp(sortValue & 0xFFFF, 0, 2);
    m_ascending = (sortValue & 0x10000) != 0;
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](const HistoryRecord& a, const HistoryRecord& b) { return Before(a, b); });
}

int CHistorySearchList::SortValue() const { return m_column | (m_ascending ? 0x10000 : 0); }

bool CHistorySearchList::Before(const HistoryRecord& a, const HistoryRecord& b) const {
    auto field = [this](const HistoryRecord& r) -> const std::string& {
        return m_column == kTitle ? r.title : m_column == kUrl ? r.url : r.dateText;
    };
    int order = SjisCompareNoCase(field(a), field(b));
    return m_ascending ? order < 0 : order > 0;
}

void CHistorySearchList::Add(HistoryRecord record) {
    auto at =
        std::upper_bound(m_rows.begin(), m_rows.end(), record,
                         [this](const HistoryRecord& a, const HistoryRecord& b) { return Before(a, b); });
    m_rows.insert(at, std::move(record));
}

int CHistorySearchList::FindNext(const std::string& text, bool caseSensitive, int selected) const {
    SjisSearcher searcher(text, caseSensitive);
    auto holds = [&](const HistoryRecord& r) {
        return searcher.FoundIn(r.title) || searcher.FoundIn(r.url) || searcher.FoundIn(r.dateText);
    };
    const int count = static_cast<int>(m_rows.size());
    int start = (selected >= 0 && selected < count) ? selected + 1 : 0;
    for (int i = start; i < count; ++i)
        if (holds(m_rows[i])) return i;
    for (int i = 0; i < count; ++i)
        if (holds(m_rows[i])) return i;
    return -1;
}

}  // namespace fern
