#pragma once
// One connection to history.db, the URL history store: one row per address
// with its title, first and last visit and visit count. Everything here runs
// on the thread that owns the connection; HistoryStore puts the writes on a
// thread of their own. Text in and out is Shift-JIS; the file holds UTF-8.
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
// address starting with `urlPrefix` (single-byte letters in any case).
struct HistoryScope {
    HistoryTime from = INT64_MIN;
    HistoryTime to = INT64_MAX;
    std::optional<std::string> site;
    std::string urlPrefix;
    std::optional<std::string> url;  // exactly this address
};

// The site a page is grouped under: its host in lower case, without port
// or user; "" for local files and addresses without a host.
std::string SiteOfUrl(std::string_view url);

class HistoryDb {
public:
    static constexpr int kSchemaVersion = 1;

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
    bool SetTitle(std::string_view url, std::string_view title);
    bool Delete(const HistoryScope& scope);
    bool DeleteAll();

    // Reads.
    std::optional<HistoryPage> Page(std::string_view url);
    // Most recent visit first; `each` returns false to stop.
    bool ForEachPage(const HistoryScope& scope, const std::function<bool(const HistoryPage&)>& each);
    std::int64_t PageCount();
    // The earliest last visit, nullopt for an empty history.
    std::optional<HistoryTime> OldestVisit();
    bool AnyVisitIn(HistoryTime from, HistoryTime to);
    struct SiteCount {
        std::string site;
        int pages = 0;
    };
    // The sites of the pages last visited in [from, to), by name.
    std::vector<SiteCount> Sites(HistoryTime from, HistoryTime to);

    SqliteDb& Connection() { return m_db; }

private:
    SqliteDb m_db;
    int m_lastError = SQLITE_OK;

    bool Check(int rc);
    bool Migrate(int from);
    std::optional<HistoryPage> PageRow(SqliteStatement& statement);
};

}  // namespace fern
