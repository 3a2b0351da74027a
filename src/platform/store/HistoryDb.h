#pragma once
// One connection to history.db, the URL history store: one row per address
// with its title, first and last visit and visit count; the raw bytes of the
// page's main resource with their character code (the download cache), kept
// within a size per page and a size in all; and a full-text index over the
// titles, addresses and page texts. Everything here runs on the thread that
// owns the connection; HistoryStore puts the writes on a thread of their
// own. Text in and out is Shift-JIS; the file holds UTF-8.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/store/Sqlite.h"

namespace fern {

// Seconds since 1970-01-01 UTC.
using HistoryTime = std::int64_t;

struct HistoryPage {
    std::int64_t id = 0;
    std::string url;
    std::string title;
    HistoryTime firstVisit = 0;
    HistoryTime lastVisit = 0;
    int visitCount = 0;
};

// Which pages a listing or a deletion takes: last visited in [from, to),
// of one site when `site` is given ("" is the site of local files), with an
// address starting with `urlPrefix` (single-byte letters in any case), or
// exactly the address `url`.
struct HistoryScope {
    HistoryTime from = INT64_MIN;
    HistoryTime to = INT64_MAX;
    std::optional<std::string> site;
    std::string urlPrefix;
    std::optional<std::string> url;
};

// The bytes kept of a page, as it came (any character code).
struct CachedPage {
    int code = 0;               // the code detected when it was kept
    std::string bytes;          // at most the per-page limit
    std::int64_t fullSize = 0;  // the size the page had
};

// How page bytes become text: the code of some bytes, and the bytes in that
// code as Shift-JIS. Given by the program (the store knows no encodings).
struct PageTextCodec {
    std::function<int(std::string_view bytes)> detect;
    std::function<std::string(std::string_view bytes, int code)> decode;
};

struct HistoryLimits {
    std::size_t pageBytes = 2u << 20;         // kept of one page
    std::uint64_t totalBytes = 256ull << 20;  // kept of all pages; the oldest go first
    std::size_t titleBytes = 2048;            // of a title
    std::size_t urlBytes = 64u << 10;         // longer addresses are not kept
};

// One hit of a full-text query: where the text was found and a piece of the
// page text around it (tags taken out).
struct TextHit {
    HistoryPage page;
    int places = 0;                    // 1 title, 2 address, 4 page text
    std::string before, match, after;  // the snippet, Shift-JIS
};

// A page as the scan of the kept pages reads it: address and title as the
// file holds them (UTF-8), the kept bytes (empty with code -1 when none).
struct HistoryPageView {
    std::int64_t id = 0;
    std::string_view url, title;  // UTF-8
    HistoryTime firstVisit = 0, lastVisit = 0;
    int visitCount = 0;
    std::string_view bytes;
    int code = -1;
};
HistoryPage PageOf(const HistoryPageView& view);
// Text of the file (UTF-8) as the program's Shift-JIS.
std::string StoredTextToSjis(std::string_view utf8);

// The site a page is grouped under: its host in lower case, without port
// or user; "" for local files and addresses without a host.
std::string SiteOfUrl(std::string_view url);

class HistoryDb {
public:
    static constexpr int kSchemaVersion = 2;

    enum class OpenResult {
        Ok,
        Damaged,     // not a database, or a damaged one
        Busy,        // another program holds it locked
        CannotOpen,  // no permission, a folder in its place, a full disk ...
        TooNew,      // written by a later version of the program
    };

    HistoryDb() = default;
    HistoryDb(const HistoryDb&) = delete;
    HistoryDb& operator=(const HistoryDb&) = delete;

    void SetCodec(PageTextCodec codec) { m_codec = std::move(codec); }
    void SetLimits(const HistoryLimits& limits) { m_limits = limits; }
    const HistoryLimits& Limits() const { return m_limits; }

    // Write: opens (making it when missing) and brings the schema to the
    // current version. Read: opens an existing file of the current version
    // and never writes to it. `path` is the file system's bytes.
    enum class Mode { Write, Read };
    OpenResult Open(const std::string& path, Mode mode);
    // A quick check of the whole file; false when it is damaged.
    bool Verify();
    void Close() { m_db.Close(); }
    bool IsOpen() const { return m_db.IsOpen(); }
    std::string ErrorMessage() const { return m_db.ErrorMessage(); }
    // The result code of the last failed call (SQLITE_OK when none).
    int LastError() const { return m_lastError; }
    bool LastErrorIsDamage() const { return IsCorruptionCode(m_lastError); }

    // Writes; false when the database refused them (LastError says why).
    bool Begin();
    bool Commit();
    void Rollback();
    bool RecordVisit(std::string_view url, HistoryTime when);
    // Only for an address already recorded; the title is cut to its limit.
    bool SetTitle(std::string_view url, std::string_view title);
    // Keeps the first bytes of the page (to the per-page limit) for an
    // address already recorded, replacing what was kept; then drops the
    // oldest kept pages until all fit the total.
    bool StorePage(std::string_view url, std::string_view bytes, HistoryTime when);
    // Pages, their bytes and their text go; the index forgets them at once.
    bool Delete(const HistoryScope& scope);
    bool DeleteAll();
    // After a deletion, outside a transaction: the freed space is wiped and
    // given back, so nothing deleted can be read from the files.
    void CompactAfterDelete();
    bool CompactPending() const { return m_compact != Compact::None; }

    // Reads.
    std::optional<HistoryPage> Page(std::string_view url);
    // Most recent visit first; `each` returns false to stop.
    bool ForEachPage(const HistoryScope& scope, const std::function<bool(const HistoryPage&)>& each);
    // Most recent visit first, each page as the file holds it with its kept
    // bytes: for the search in page texts, which converts only what matches.
    bool ScanPages(const HistoryScope& scope, const std::function<bool(const HistoryPageView&)>& each);
    std::int64_t PageCount();
    std::optional<HistoryTime> OldestVisit();
    bool AnyVisitIn(HistoryTime from, HistoryTime to);
    struct SiteCount {
        std::string site;
        int pages = 0;
    };
    // The sites of the pages last visited in [from, to), by name.
    std::vector<SiteCount> Sites(HistoryTime from, HistoryTime to);
    std::optional<CachedPage> Cached(std::string_view url);
    bool HasCached(std::string_view url);
    std::uint64_t CachedBytes();

    // Pages whose title, address or page text holds `text`, most recently
    // visited first, at most `limit`; each checked against the text itself,
    // with case when `caseSensitive`. `snippetBytes` of text on each side.
    std::vector<TextHit> FindText(std::string_view text, std::size_t limit, bool caseSensitive,
                                  std::size_t snippetBytes = 60);

    SqliteDb& Connection() { return m_db; }

private:
    enum class Compact { None, Checkpoint, Vacuum };
    struct IndexedRow;

    SqliteDb m_db;
    int m_lastError = SQLITE_OK;
    PageTextCodec m_codec;
    HistoryLimits m_limits;
    Compact m_compact = Compact::None;

    bool Check(int rc);
    bool Migrate(int from);
    bool MigrateToVersion2();
    std::optional<IndexedRow> ReadIndexed(std::int64_t pageId);
    bool SelectPages(const HistoryScope& scope, bool withBytes,
                     const std::function<bool(SqliteStatement&)>& each);
    bool Reindex(std::int64_t pageId, bool remove);
    bool Unindex(std::int64_t pageId);
    bool Index(std::int64_t pageId);
    std::string BodyText(std::string_view bytes, int code) const;
    std::int64_t NextDoc();
    bool DropCached(std::int64_t pageId);
    bool KeepWithinTotal(std::int64_t keptPage);
    bool DeletePage(std::int64_t pageId);
};

}  // namespace fern
