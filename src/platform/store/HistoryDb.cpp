#include "platform/store/HistoryDb.h"

#include <gio/gio.h>

#include <algorithm>

#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr int kBusyTimeoutMs = 2000;

// The first layout: addresses with their title and visits.
const char kSchemaV1[] =
    "CREATE TABLE pages("
    " id INTEGER PRIMARY KEY,"
    " url TEXT NOT NULL UNIQUE,"
    " title TEXT NOT NULL DEFAULT '',"
    " first_visit INTEGER NOT NULL,"
    " last_visit INTEGER NOT NULL,"
    " visit_count INTEGER NOT NULL DEFAULT 1);"
    "CREATE INDEX pages_last_visit ON pages(last_visit);"
    "PRAGMA user_version = 1;";

HistoryDb::OpenResult ResultOf(int rc) {
    switch (rc & 0xFF) {
        case SQLITE_OK: return HistoryDb::OpenResult::Ok;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB: return HistoryDb::OpenResult::Damaged;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return HistoryDb::OpenResult::Busy;
        default: break;
    }
    // A file shorter than its header says is a damaged one, not a disk fault.
    if (rc == SQLITE_IOERR_SHORT_READ) return HistoryDb::OpenResult::Damaged;
    return HistoryDb::OpenResult::CannotOpen;
}

std::string Utf8(std::string_view sjis) { return ToUtf8(sjis); }
std::string Sjis(std::string_view utf8) { return FromUtf8(utf8); }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SjisCompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

std::string SiteOfUrl(std::string_view url) {
    std::string utf8 = ToUtf8(url);
    const char* scheme = g_uri_peek_scheme(utf8.c_str());
    if (!scheme || g_str_equal(scheme, "file")) return std::string();
    gchar* host = nullptr;
    if (!g_uri_split_network(utf8.c_str(), static_cast<GUriFlags>(G_URI_FLAGS_ENCODED | G_URI_FLAGS_NON_DNS),
                             nullptr, &host, nullptr, nullptr) ||
        !host) {
        g_free(host);
        return std::string();
    }
    std::string site = SjisToLower(FromUtf8(host));
    g_free(host);
    return site;
}

bool HistoryDb::Check(int rc) {
    if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) return true;
    m_lastError = rc;
    return false;
}

HistoryDb::OpenResult HistoryDb::Open(const std::string& path, Mode mode) {
    m_lastError = SQLITE_OK;
    const bool readOnly = mode == Mode::Read;
    // Readers open it for writing too, without making it: a reader of a WAL
    // file needs to write its shared-memory index.
    int flags = readOnly ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    int rc = m_db.Open(path, flags);
    if (rc != SQLITE_OK) {
        m_lastError = rc;
        return ResultOf(rc);
    }
    sqlite3_busy_timeout(m_db.Handle(), kBusyTimeoutMs);
    // Reading the version reads the header: a file that is no database
    // fails here.
    int version = static_cast<int>(m_db.QueryInt("PRAGMA user_version", 0, &rc));
    if (rc == SQLITE_OK && !readOnly) {
        SqliteStatement wal(m_db, "PRAGMA journal_mode=WAL");
        rc = wal.Ok() ? wal.Step() : wal.PrepareResult();
        if (rc == SQLITE_ROW) rc = m_db.Exec("PRAGMA synchronous=NORMAL");
    }
    if (rc == SQLITE_OK && version > kSchemaVersion) {
        m_db.Close();
        return OpenResult::TooNew;
    }
    if (rc == SQLITE_OK && version < kSchemaVersion) {
        if (readOnly) {
            m_db.Close();
            return OpenResult::CannotOpen;
        }
        if (!Migrate(version)) rc = m_lastError;
    }
    if (rc != SQLITE_OK) {
        m_lastError = rc;
        m_db.Close();
        return ResultOf(rc);
    }
    return OpenResult::Ok;
}

bool HistoryDb::Migrate(int from) {
    if (!Check(m_db.Exec("BEGIN IMMEDIATE"))) return false;
    bool ok = true;
    if (from == 0) ok = Check(m_db.Exec(kSchemaV1));
    if (!ok) {
        Rollback();
        return false;
    }
    return Commit();
}

bool HistoryDb::Verify() {
    SqliteStatement check(m_db, "PRAGMA quick_check");
    int rc = check.Ok() ? check.Step() : check.PrepareResult();
    if (rc != SQLITE_ROW) {
        Check(rc);
        return false;
    }
    return check.Text(0) == "ok";
}

bool HistoryDb::Begin() { return Check(m_db.Exec("BEGIN IMMEDIATE")); }
bool HistoryDb::Commit() { return Check(m_db.Exec("COMMIT")); }
void HistoryDb::Rollback() { m_db.Exec("ROLLBACK"); }

bool HistoryDb::RecordVisit(std::string_view url, HistoryTime when) {
    SqliteStatement update(m_db,
                           "UPDATE pages SET last_visit = MAX(last_visit, ?2), visit_count = visit_count + 1 "
                           "WHERE url = ?1");
    update.BindText(1, Utf8(url)).Bind(2, when);
    if (!Check(update.Run())) return false;
    if (m_db.Changes() > 0) return true;
    SqliteStatement insert(m_db, "INSERT INTO pages(url, first_visit, last_visit) VALUES(?1, ?2, ?2)");
    insert.BindText(1, Utf8(url)).Bind(2, when);
    return Check(insert.Run());
}

bool HistoryDb::SetTitle(std::string_view url, std::string_view title) {
    SqliteStatement update(m_db, "UPDATE pages SET title = ?2 WHERE url = ?1");
    update.BindText(1, Utf8(url)).BindText(2, Utf8(title));
    return Check(update.Run());
}

bool HistoryDb::Delete(const HistoryScope& scope) {
    std::vector<std::int64_t> ids;
    bool read = ForEachPage(scope, [&](const HistoryPage& page) {
        ids.push_back(page.id);
        return true;
    });
    if (!read) return false;
    SqliteStatement remove(m_db, "DELETE FROM pages WHERE id = ?1");
    for (std::int64_t id : ids) {
        remove.Bind(1, id);
        if (!Check(remove.Run())) return false;
    }
    return true;
}

bool HistoryDb::DeleteAll() { return Check(m_db.Exec("DELETE FROM pages")); }

std::optional<HistoryPage> HistoryDb::PageRow(SqliteStatement& statement) {
    HistoryPage page;
    page.id = statement.Int(0);
    page.url = Sjis(statement.Text(1));
    page.title = Sjis(statement.Text(2));
    page.firstVisit = statement.Int(3);
    page.lastVisit = statement.Int(4);
    page.visitCount = static_cast<int>(statement.Int(5));
    return page;
}

std::optional<HistoryPage> HistoryDb::Page(std::string_view url) {
    SqliteStatement select(m_db,
                           "SELECT id, url, title, first_visit, last_visit, visit_count FROM pages WHERE url = ?1");
    select.BindText(1, Utf8(url));
    int rc = select.Step();
    if (rc == SQLITE_ROW) return PageRow(select);
    Check(rc);
    return std::nullopt;
}

bool HistoryDb::ForEachPage(const HistoryScope& scope, const std::function<bool(const HistoryPage&)>& each) {
    std::string sql =
        "SELECT id, url, title, first_visit, last_visit, visit_count FROM pages "
        "WHERE last_visit >= ?1 AND last_visit < ?2";
    if (scope.url) sql += " AND url = ?3";
    sql += " ORDER BY last_visit DESC, id DESC";
    SqliteStatement select(m_db, sql.c_str());
    select.Bind(1, scope.from).Bind(2, scope.to);
    if (scope.url) select.BindText(3, Utf8(*scope.url));
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        std::optional<HistoryPage> page = PageRow(select);
        if (!scope.urlPrefix.empty() && !StartsWithNoCase(page->url, scope.urlPrefix)) continue;
        if (scope.site && SiteOfUrl(page->url) != *scope.site) continue;
        if (!each(*page)) return true;
    }
    return Check(rc);
}

std::int64_t HistoryDb::PageCount() {
    int rc;
    std::int64_t count = m_db.QueryInt("SELECT COUNT(*) FROM pages", 0, &rc);
    Check(rc);
    return count;
}

std::optional<HistoryTime> HistoryDb::OldestVisit() {
    SqliteStatement select(m_db, "SELECT MIN(last_visit) FROM pages");
    int rc = select.Step();
    if (rc == SQLITE_ROW && !select.IsNull(0)) return select.Int(0);
    Check(rc);
    return std::nullopt;
}

bool HistoryDb::AnyVisitIn(HistoryTime from, HistoryTime to) {
    SqliteStatement select(m_db, "SELECT 1 FROM pages WHERE last_visit >= ?1 AND last_visit < ?2 LIMIT 1");
    select.Bind(1, from).Bind(2, to);
    int rc = select.Step();
    Check(rc);
    return rc == SQLITE_ROW;
}

std::vector<HistoryDb::SiteCount> HistoryDb::Sites(HistoryTime from, HistoryTime to) {
    std::vector<SiteCount> sites;
    ForEachPage(HistoryScope{from, to, {}, {}, {}}, [&](const HistoryPage& page) {
        std::string site = SiteOfUrl(page.url);
        auto it = std::find_if(sites.begin(), sites.end(), [&](const SiteCount& s) { return s.site == site; });
        if (it == sites.end())
            sites.push_back({site, 1});
        else
            ++it->pages;
        return true;
    });
    std::sort(sites.begin(), sites.end(), [](const SiteCount& a, const SiteCount& b) { return a.site < b.site; });
    return sites;
}

}  // namespace fern
