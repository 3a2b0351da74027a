#include "platform/store/HistoryDb.h"

#include <gio/gio.h>

#include <algorithm>

#include "platform/store/BigramTokenizer.h"
#include "platform/store/TextSnippet.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"
#include "platform/text/SjisSearch.h"

namespace fern {

namespace {

constexpr int kBusyTimeoutMs = 2000;

// Version 1: addresses with their title and visits.
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

// Version 2: each page's site; the kept bytes of pages; the full-text index
// of character pairs with their places, and the index of which characters
// each page holds (for one-character words). Their rows are numbered anew at
// each visit (pages.doc), so reading them backwards gives the most recent
// visits first. The indexes keep no text of their own: what they were given
// is made again from the rows when a page leaves.
const char kSchemaV1ToV2[] =
    "ALTER TABLE pages ADD COLUMN site TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE pages ADD COLUMN doc INTEGER;"
    "CREATE UNIQUE INDEX pages_doc ON pages(doc);"
    "CREATE INDEX pages_site ON pages(site, last_visit);"
    "CREATE TABLE cache("
    " page INTEGER PRIMARY KEY,"
    " code INTEGER NOT NULL,"
    " size INTEGER NOT NULL,"
    " full_size INTEGER NOT NULL,"
    " stored INTEGER NOT NULL,"
    " bytes BLOB NOT NULL);"
    "CREATE INDEX cache_stored ON cache(stored, size);"
    "CREATE VIRTUAL TABLE page_text USING fts5(title, url, body, content='', columnsize=0,"
    " tokenize='fern_bigram');"
    "CREATE VIRTUAL TABLE page_chars USING fts5(title, url, body, content='', columnsize=0,"
    " detail=none, tokenize='fern_char');";

const char kPageColumns[] = "p.id, p.url, p.title, p.first_visit, p.last_visit, p.visit_count";

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

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Addresses are mostly plain ASCII, the same bytes in both codes.
std::string Utf8(std::string_view sjis) { return IsAscii(sjis) ? std::string(sjis) : ToUtf8(sjis); }
std::string Sjis(std::string_view utf8) { return IsAscii(utf8) ? std::string(utf8) : FromUtf8(utf8); }

bool StartsWithAsciiNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c; };
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (fold(text[i]) != fold(prefix[i])) return false;
    return true;
}

HistoryPage PageRow(SqliteStatement& statement) {
    HistoryPage page;
    page.id = statement.Int(0);
    page.url = Sjis(statement.Text(1));
    page.title = Sjis(statement.Text(2));
    page.firstVisit = statement.Int(3);
    page.lastVisit = statement.Int(4);
    page.visitCount = static_cast<int>(statement.Int(5));
    return page;
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

// What the index was given for a page, made again from its rows.
struct HistoryDb::IndexedRow {
    std::optional<std::int64_t> doc;
    std::string title, url, body;
};

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
    if (!RegisterBigramTokenizer(m_db.Handle())) {
        m_lastError = SQLITE_ERROR;
        m_db.Close();
        return OpenResult::CannotOpen;
    }
    // Reading the version reads the header: a file that is no database
    // fails here.
    int version = static_cast<int>(m_db.QueryInt("PRAGMA user_version", 0, &rc));
    // A later version's file is not touched at all.
    if (rc == SQLITE_OK && version > kSchemaVersion) {
        m_db.Close();
        return OpenResult::TooNew;
    }
    // A new file gets pages that hold a usual page's bytes whole, so a scan
    // of the kept pages reads them in place.
    if (rc == SQLITE_OK && !readOnly && version == 0) rc = m_db.Exec("PRAGMA page_size = 16384");
    // Readers (the search in page texts) read the file through a mapping;
    // the index's pages stay at hand for the writer.
    if (rc == SQLITE_OK && readOnly) rc = m_db.Exec("PRAGMA mmap_size = 2147483648");
    if (rc == SQLITE_OK) rc = m_db.Exec("PRAGMA cache_size = -16384");
    if (rc == SQLITE_OK && !readOnly) {
        SqliteStatement wal(m_db, "PRAGMA journal_mode=WAL");
        rc = wal.Ok() ? wal.Step() : wal.PrepareResult();
        if (rc == SQLITE_ROW) rc = m_db.Exec("PRAGMA synchronous=NORMAL");
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

bool HistoryDb::Verify() {
    SqliteStatement check(m_db, "PRAGMA quick_check");
    int rc = check.Ok() ? check.Step() : check.PrepareResult();
    if (rc != SQLITE_ROW) {
        Check(rc);
        return false;
    }
    return check.Text(0) == "ok";
}

bool HistoryDb::Migrate(int from) {
    if (!Check(m_db.Exec("BEGIN IMMEDIATE"))) return false;
    bool ok = true;
    if (ok && from < 1) ok = Check(m_db.Exec(kSchemaV1));
    if (ok && from < 2) ok = MigrateToVersion2();
    if (!ok) {
        Rollback();
        return false;
    }
    return Commit();
}

bool HistoryDb::MigrateToVersion2() {
    if (!Check(m_db.Exec(kSchemaV1ToV2))) return false;
    std::vector<std::pair<std::int64_t, std::string>> pages;
    {
        SqliteStatement select(m_db, "SELECT id, url FROM pages ORDER BY last_visit, id");
        int rc;
        while ((rc = select.Step()) == SQLITE_ROW) pages.emplace_back(select.Int(0), Sjis(select.Text(1)));
        if (!Check(rc)) return false;
    }
    SqliteStatement update(m_db, "UPDATE pages SET site = ?2, doc = ?3 WHERE id = ?1");
    std::int64_t doc = 0;
    for (const auto& [id, url] : pages) {
        update.Bind(1, id).BindText(2, Utf8(SiteOfUrl(url))).Bind(3, ++doc);
        if (!Check(update.Run()) || !Index(id)) return false;
    }
    return Check(m_db.Exec("PRAGMA user_version = 2"));
}

bool HistoryDb::Begin() { return Check(m_db.Exec("BEGIN IMMEDIATE")); }
bool HistoryDb::Commit() { return Check(m_db.Exec("COMMIT")); }
void HistoryDb::Rollback() { m_db.Exec("ROLLBACK"); }

std::string HistoryDb::BodyText(std::string_view bytes, int code) const {
    if (bytes.empty()) return std::string();
    return m_codec.decode ? m_codec.decode(bytes, code) : std::string(bytes);
}

std::optional<HistoryDb::IndexedRow> HistoryDb::ReadIndexed(std::int64_t pageId) {
    SqliteStatement select(m_db,
                           "SELECT p.doc, p.title, p.url, c.code, c.bytes FROM pages p "
                           "LEFT JOIN cache c ON c.page = p.id WHERE p.id = ?1");
    select.Bind(1, pageId);
    int rc = select.Step();
    if (rc != SQLITE_ROW) {
        Check(rc);
        return std::nullopt;
    }
    IndexedRow row;
    if (!select.IsNull(0)) row.doc = select.Int(0);
    row.title = Sjis(select.Text(1));
    row.url = Sjis(select.Text(2));
    if (!select.IsNull(4)) row.body = BodyText(select.Blob(4), static_cast<int>(select.Int(3)));
    return row;
}

bool HistoryDb::Reindex(std::int64_t pageId, bool remove) {
    std::optional<IndexedRow> row = ReadIndexed(pageId);
    if (!row) return m_lastError == SQLITE_OK;
    if (!row->doc) return true;
    static const char* const kRemove[] = {
        "INSERT INTO page_text(page_text, rowid, title, url, body) VALUES('delete', ?1, ?2, ?3, ?4)",
        "INSERT INTO page_chars(page_chars, rowid, title, url, body) VALUES('delete', ?1, ?2, ?3, ?4)"};
    static const char* const kAdd[] = {
        "INSERT INTO page_text(rowid, title, url, body) VALUES(?1, ?2, ?3, ?4)",
        "INSERT INTO page_chars(rowid, title, url, body) VALUES(?1, ?2, ?3, ?4)"};
    for (const char* sql : remove ? kRemove : kAdd) {
        SqliteStatement statement(m_db, sql);
        statement.Bind(1, *row->doc).BindText(2, row->title).BindText(3, row->url).BindText(4, row->body);
        if (!Check(statement.Run())) return false;
    }
    return true;
}

bool HistoryDb::Unindex(std::int64_t pageId) { return Reindex(pageId, true); }
bool HistoryDb::Index(std::int64_t pageId) { return Reindex(pageId, false); }

std::int64_t HistoryDb::NextDoc() { return m_db.QueryInt("SELECT IFNULL(MAX(doc), 0) + 1 FROM pages", 1); }

bool HistoryDb::RecordVisit(std::string_view url, HistoryTime when) {
    if (url.empty() || url.size() > m_limits.urlBytes) return true;
    std::string key = Utf8(url);
    SqliteStatement select(m_db, "SELECT id FROM pages WHERE url = ?1");
    select.BindText(1, key);
    int rc = select.Step();
    if (!Check(rc)) return false;
    std::int64_t doc = NextDoc();
    if (rc == SQLITE_ROW) {
        std::int64_t id = select.Int(0);
        if (!Unindex(id)) return false;
        SqliteStatement update(
            m_db,
            "UPDATE pages SET last_visit = MAX(last_visit, ?2), visit_count = visit_count + 1,"
            " doc = ?3 WHERE id = ?1");
        update.Bind(1, id).Bind(2, when).Bind(3, doc);
        return Check(update.Run()) && Index(id);
    }
    SqliteStatement insert(
        m_db, "INSERT INTO pages(url, site, first_visit, last_visit, doc) VALUES(?1, ?2, ?3, ?3, ?4)");
    insert.BindText(1, key).BindText(2, Utf8(SiteOfUrl(url))).Bind(3, when).Bind(4, doc);
    return Check(insert.Run()) && Index(m_db.LastInsertRowid());
}

bool HistoryDb::SetTitle(std::string_view url, std::string_view title) {
    std::string kept(title.substr(0, SjisSafeCut(title, m_limits.titleBytes)));
    SqliteStatement select(m_db, "SELECT id, title FROM pages WHERE url = ?1");
    select.BindText(1, Utf8(url));
    int rc = select.Step();
    if (rc != SQLITE_ROW) return Check(rc);
    std::int64_t id = select.Int(0);
    std::string stored = Utf8(kept);
    if (select.Text(1) == stored) return true;
    if (!Unindex(id)) return false;
    SqliteStatement update(m_db, "UPDATE pages SET title = ?2 WHERE id = ?1");
    update.Bind(1, id).BindText(2, stored);
    return Check(update.Run()) && Index(id);
}

bool HistoryDb::StorePage(std::string_view url, std::string_view bytes, HistoryTime when) {
    SqliteStatement select(m_db, "SELECT id FROM pages WHERE url = ?1");
    select.BindText(1, Utf8(url));
    int rc = select.Step();
    if (rc != SQLITE_ROW) return Check(rc);
    std::int64_t id = select.Int(0);
    std::string_view kept = bytes.substr(0, std::min(bytes.size(), m_limits.pageBytes));
    int code = m_codec.detect ? m_codec.detect(kept) : 0;
    if (!Unindex(id)) return false;
    SqliteStatement insert(m_db,
                           "INSERT OR REPLACE INTO cache(page, code, size, full_size, stored, bytes)"
                           " VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
    insert.Bind(1, id)
        .Bind(2, code)
        .Bind(3, static_cast<std::int64_t>(kept.size()))
        .Bind(4, static_cast<std::int64_t>(bytes.size()))
        .Bind(5, when)
        .BindBlob(6, kept);
    return Check(insert.Run()) && Index(id) && KeepWithinTotal(id);
}

bool HistoryDb::DropCached(std::int64_t pageId) {
    if (!Unindex(pageId)) return false;
    SqliteStatement remove(m_db, "DELETE FROM cache WHERE page = ?1");
    remove.Bind(1, pageId);
    return Check(remove.Run()) && Index(pageId);
}

bool HistoryDb::KeepWithinTotal(std::int64_t keptPage) {
    std::uint64_t total = CachedBytes();
    SqliteStatement oldest(m_db,
                           "SELECT page, size FROM cache WHERE page <> ?1 ORDER BY stored, page LIMIT 1");
    while (total > m_limits.totalBytes) {
        oldest.Bind(1, keptPage);
        int rc = oldest.Step();
        if (rc != SQLITE_ROW) {
            oldest.Reset();
            return Check(rc);
        }
        std::int64_t page = oldest.Int(0);
        std::uint64_t size = static_cast<std::uint64_t>(oldest.Int(1));
        oldest.Reset();
        if (!DropCached(page)) return false;
        total -= std::min(total, size);
    }
    return true;
}

bool HistoryDb::DeletePage(std::int64_t pageId) {
    if (!Unindex(pageId)) return false;
    SqliteStatement cache(m_db, "DELETE FROM cache WHERE page = ?1");
    cache.Bind(1, pageId);
    SqliteStatement page(m_db, "DELETE FROM pages WHERE id = ?1");
    page.Bind(1, pageId);
    return Check(cache.Run()) && Check(page.Run());
}

bool HistoryDb::Delete(const HistoryScope& scope) {
    std::vector<std::int64_t> ids;
    bool read = ForEachPage(scope, [&](const HistoryPage& page) {
        ids.push_back(page.id);
        return true;
    });
    if (!read) return false;
    if (ids.empty()) return true;
    // What is freed is wiped, and the index is merged so no piece of a
    // deleted text stays in it.
    m_db.Exec("PRAGMA secure_delete = ON");
    bool ok = true;
    for (std::int64_t id : ids)
        if (!(ok = DeletePage(id))) break;
    if (ok)
        ok =
            Check(m_db.Exec("INSERT INTO page_text(page_text) VALUES('optimize');"
                            "INSERT INTO page_chars(page_chars) VALUES('optimize');"));
    m_db.Exec("PRAGMA secure_delete = OFF");
    if (ok && m_compact == Compact::None) m_compact = Compact::Checkpoint;
    return ok;
}

bool HistoryDb::DeleteAll() {
    bool ok =
        Check(m_db.Exec("DELETE FROM cache; DELETE FROM pages;"
                        "INSERT INTO page_text(page_text) VALUES('delete-all');"
                        "INSERT INTO page_chars(page_chars) VALUES('delete-all');"));
    if (ok) m_compact = Compact::Vacuum;
    return ok;
}

void HistoryDb::CompactAfterDelete() {
    if (m_compact == Compact::Vacuum) m_db.Exec("VACUUM");
    if (m_compact != Compact::None) m_db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    m_compact = Compact::None;
}

std::optional<HistoryPage> HistoryDb::Page(std::string_view url) {
    std::string sql = std::string("SELECT ") + kPageColumns + " FROM pages p WHERE p.url = ?1";
    SqliteStatement select(m_db, sql.c_str());
    select.BindText(1, Utf8(url));
    int rc = select.Step();
    if (rc == SQLITE_ROW) return PageRow(select);
    Check(rc);
    return std::nullopt;
}

bool HistoryDb::SelectPages(const HistoryScope& scope, bool withBytes,
                            const std::function<bool(SqliteStatement&)>& each) {
    std::string sql = std::string("SELECT ") + kPageColumns;
    sql += withBytes ? ", c.code, c.bytes FROM pages p LEFT JOIN cache c ON c.page = p.id" : " FROM pages p";
    sql += " WHERE p.last_visit >= ?1 AND p.last_visit < ?2";
    if (scope.url) sql += " AND p.url = ?3";
    if (scope.site) sql += " AND p.site = ?4";
    sql += " ORDER BY p.last_visit DESC, p.id DESC";
    SqliteStatement select(m_db, sql.c_str());
    select.Bind(1, scope.from).Bind(2, scope.to);
    if (scope.url) select.BindText(3, Utf8(*scope.url));
    if (scope.site) select.BindText(4, Utf8(*scope.site));
    // The file's addresses are UTF-8, whose single-byte letters are ASCII's.
    const std::string prefix = Utf8(scope.urlPrefix);
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        if (!prefix.empty() && !StartsWithAsciiNoCase(select.Text(1), prefix)) continue;
        if (!each(select)) return true;
    }
    return Check(rc);
}

std::string StoredTextToSjis(std::string_view utf8) { return Sjis(utf8); }

HistoryPage PageOf(const HistoryPageView& view) {
    return {view.id, Sjis(view.url), Sjis(view.title), view.firstVisit, view.lastVisit, view.visitCount};
}

bool HistoryDb::ScanPages(const HistoryScope& scope,
                          const std::function<bool(const HistoryPageView&)>& each) {
    return SelectPages(scope, true, [&](SqliteStatement& row) {
        HistoryPageView view{row.Int(0), row.Text(1), row.Text(2),
                             row.Int(3), row.Int(4),  static_cast<int>(row.Int(5)),
                             {},         -1};
        if (!row.IsNull(7)) {
            view.bytes = row.Blob(7);
            view.code = static_cast<int>(row.Int(6));
        }
        return each(view);
    });
}

bool HistoryDb::ForEachPage(const HistoryScope& scope, const std::function<bool(const HistoryPage&)>& each) {
    return SelectPages(scope, false, [&](SqliteStatement& row) { return each(PageRow(row)); });
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
    SqliteStatement select(m_db,
                           "SELECT site, COUNT(*) FROM pages WHERE last_visit >= ?1 AND last_visit < ?2"
                           " GROUP BY site ORDER BY site");
    select.Bind(1, from).Bind(2, to);
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW)
        sites.push_back({Sjis(select.Text(0)), static_cast<int>(select.Int(1))});
    Check(rc);
    return sites;
}

std::optional<CachedPage> HistoryDb::Cached(std::string_view url) {
    SqliteStatement select(m_db,
                           "SELECT c.code, c.bytes, c.full_size FROM cache c JOIN pages p ON p.id = c.page"
                           " WHERE p.url = ?1");
    select.BindText(1, Utf8(url));
    int rc = select.Step();
    if (rc != SQLITE_ROW) {
        Check(rc);
        return std::nullopt;
    }
    return CachedPage{static_cast<int>(select.Int(0)), std::string(select.Blob(1)), select.Int(2)};
}

bool HistoryDb::HasCached(std::string_view url) {
    SqliteStatement select(m_db, "SELECT 1 FROM cache c JOIN pages p ON p.id = c.page WHERE p.url = ?1");
    select.BindText(1, Utf8(url));
    int rc = select.Step();
    Check(rc);
    return rc == SQLITE_ROW;
}

std::uint64_t HistoryDb::CachedBytes() {
    // From the index on (stored, size), not from the rows with their bytes.
    return static_cast<std::uint64_t>(m_db.QueryInt("SELECT IFNULL(SUM(size), 0) FROM cache", 0));
}

std::vector<TextHit> HistoryDb::FindText(std::string_view text, std::size_t limit, bool caseSensitive,
                                         std::size_t snippetBytes) {
    std::vector<TextHit> hits;
    std::string expression = IndexMatchExpression(text);
    if (expression.empty() || limit == 0) return hits;
    SjisSearcher searcher(text, caseSensitive);
    // A phrase of pairs, or for one character the pages that hold it.
    SqliteStatement match(m_db,
                          IndexedCharCount(text) == 1
                              ? "SELECT rowid FROM page_chars WHERE page_chars MATCH ?1 ORDER BY rowid DESC"
                              : "SELECT rowid FROM page_text WHERE page_text MATCH ?1 ORDER BY rowid DESC");
    match.BindText(1, expression);
    std::string sql = std::string("SELECT ") + kPageColumns +
                      ", c.code, c.bytes FROM pages p LEFT JOIN cache c ON c.page = p.id WHERE p.doc = ?1";
    SqliteStatement page(m_db, sql.c_str());
    int rc = SQLITE_DONE;
    while (hits.size() < limit && (rc = match.Step()) == SQLITE_ROW) {
        page.Bind(1, match.Int(0));
        if (page.Step() != SQLITE_ROW) {
            page.Reset();
            continue;
        }
        TextHit hit;
        hit.page = PageRow(page);
        std::string body =
            page.IsNull(7) ? std::string() : BodyText(page.Blob(7), static_cast<int>(page.Int(6)));
        page.Reset();
        // The index ignores case and runs blanks together: each candidate
        // is checked against the text itself.
        if (searcher.FoundIn(hit.page.title)) hit.places |= 1;
        if (searcher.FoundIn(hit.page.url)) hit.places |= 2;
        std::size_t at = searcher.Find(body);
        if (at != std::string_view::npos) hit.places |= 4;
        if (hit.places == 0) continue;
        TextSnippet snippet = at != std::string_view::npos
                                  ? MakeSnippet(body, at, searcher.Needle().size(), snippetBytes)
                                  : MakeSnippet(body, 0, 0, snippetBytes);
        hit.before = std::move(snippet.before);
        hit.match = std::move(snippet.match);
        hit.after = std::move(snippet.after);
        hits.push_back(std::move(hit));
    }
    if (hits.size() < limit) Check(rc);
    return hits;
}

}  // namespace fern
