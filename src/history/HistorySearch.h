#pragma once
// The history search list: its rows, their order, finding the next row that
// holds a text, the rule that decides whether a visited page matches a search
// (in its title, its address or the text kept of the page, read in a chosen
// character code), the info tip of a row and the list as an HTML file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/EncodingConvert.h"
#include "platform/store/HistoryDb.h"
#include "platform/text/SjisSearch.h"

namespace fern {

enum HistoryMatchPlace : unsigned {
    kPlaceTitle = 1,
    kPlaceUrl = 2,
    kPlaceCache = 4,
};

// One row of the list.
struct HistoryRecord {
    std::string title;  // the stored title, or the end of the address
    std::string url;
    std::string dateText;  // the last visit through the date picture
    int code = -1;         // the character code the page text was read in; -1 none read
    unsigned places = 0;   // HistoryMatchPlace bits
    HistoryTime lastVisit = 0;
};

// Without a date text when the picture is empty.
HistoryRecord MakeHistoryRecord(const HistoryPage& page, std::string_view datePicture);
// The local time through the date picture.
std::string HistoryDateText(HistoryTime time, std::string_view datePicture);

// The pages the list shows: today's only (local calendar day of `now`) or
// all; those whose address starts with the filter (its first 100 bytes)
// when the filter is on.
HistoryScope HistoryListScope(bool todayOnly, bool useFilter, const std::string& filter, HistoryTime now);

// The kept bytes of an address, exactly as visited.
class IPageCache {
public:
    virtual ~IPageCache() = default;
    virtual std::optional<CachedPage> Lookup(const std::string& url) = 0;
};

// The kept bytes asked of a history connection (none without one).
class HistoryDbPageCache : public IPageCache {
public:
    explicit HistoryDbPageCache(HistoryDb* db) : m_db(db) {}
    std::optional<CachedPage> Lookup(const std::string& url) override {
        return m_db ? m_db->Cached(url) : std::nullopt;
    }

private:
    HistoryDb* m_db;
};

struct HistoryMatchOptions {
    bool caseSensitive = false;
    int charCode = -1;  // HSHCharCode: -1 automatic, else the code to read the texts in
};

// Bytes kept of a page, with the code detected from them when they were
// kept (-1: not known), which is the code the automatic choice finds again.
struct KeptPage {
    std::string_view bytes;
    int code = -1;
};

// Matches one page against the searcher (made from the search string with
// the case rule). `own` are the bytes kept under the page's own address when
// the caller has them at hand (nullopt: ask the cache). Sets the record's
// places and code; the address gets a "/" when the text was found only under
// the address with "/" added. `context` carries the code from one page to
// the next, as one search's conversions do.
// `namePlaces`: the title and address places when the caller found them
// already (StoredNamePlaces), so the record's title need not be made first.
bool MatchHistoryEntry(HistoryRecord& record, std::optional<KeptPage> own, const SjisSearcher& searcher,
                       const HistoryMatchOptions& options, IPageCache& cache,
                       EncodingConversionContext& context, std::optional<unsigned> namePlaces = std::nullopt);

// The title and address places of a page as the history file holds it
// (UTF-8), against the search string in UTF-8: the same places the program's
// text gives, without converting every page's title.
unsigned StoredNamePlaces(std::string_view title, std::string_view url, const Utf8Searcher& searcher);

// "%s\n%s\n更新日時 %s", then " 文字コード " and the code's name when a text was
// read, then "\n場所 " and "Title ", "Url ", "Cache" for the places matched.
std::string HistoryInfoTip(const HistoryRecord& record);

// The list as the export writes it, lines ending in CR LF; titles, addresses
// and dates are escaped, so a page title cannot put markup into the file.
std::string HistoryListHtml(const std::vector<HistoryRecord>& rows, std::string_view nowText);
// Writes it atomically; false with the reason when it could not be saved.
bool SaveHistoryListHtml(const std::string& path, const std::vector<HistoryRecord>& rows,
                         std::string_view nowText, std::string* error);

// The address to open for a row: with "/" when only that form was kept, and
// after "view-source:" when Alt is held.
std::string HistoryUrlToOpen(const std::string& url, bool alt, IPageCache& cache);
// Open flags for a row: a new tab when asked; the page gets the focus when
// `FBStyle` bit 1 is set.
int HistoryOpenFlags(bool newTab, int fernBarStyle);

// The rows in the list's order.
class CHistorySearchList {
public:
    enum Column { kTitle = 0, kUrl = 1, kDate = 2 };

    // `HSHSort`: the low 16 bits the column, bit 16 ascending.
    void SetSort(int sortValue);
    int SortValue() const;
    void Clear() { m_rows.clear(); }
    // In its place by the sort, after rows that compare equal.
    void Add(HistoryRecord record);
    const std::vector<HistoryRecord>& Rows() const { return m_rows; }
    bool Empty() const { return m_rows.empty(); }

    // The next row after `selected` (-1: from the first) whose title,
    // address or date text holds `text`, going round once from the first row;
    // -1 when no row does.
    int FindNext(const std::string& text, bool caseSensitive, int selected) const;

private:
    std::vector<HistoryRecord> m_rows;
    int m_column = kDate;
    bool m_ascending = false;

    bool Before(const HistoryRecord& a, const HistoryRecord& b) const;
};

}  // namespace fern
