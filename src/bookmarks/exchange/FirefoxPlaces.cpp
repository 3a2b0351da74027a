// Reading the bookmarks of a Firefox-family places.sqlite. The rows are read
// whole, then put together from the root down in the stored `position`
// order: a bookmark may well have a smaller id than its folder (it was moved
// there later), so the order of the rows says nothing.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/BrowserImport.h"
#include "platform/fs/FileIo.h"
#include "platform/store/Sqlite.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

constexpr int kTypeBookmark = 1;
constexpr int kTypeFolder = 2;
constexpr int kTypeSeparator = 3;

struct PlaceRow {
    std::int64_t id = 0;
    int type = 0;
    std::int64_t parent = 0;
    std::int64_t position = 0;
    std::int64_t dateAdded = 0;
    std::string guid;
    std::string title;  // UTF-8, the bookmark's own, else the page's
    std::string url;    // UTF-8; empty for folders and separators
};

// A private copy of the database and its journals, removed at the end.
class PlacesCopy {
public:
    ~PlacesCopy() {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }

    // Copies `source` into a fresh folder; the path of the copy, or empty
    // with `error` set.
    std::string Make(const std::string& source, std::string& error) {
        const char* tmp = getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fern-places-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            error = "cannot make a temporary folder";
            return {};
        }
        folder_ = pattern;
        std::string copy = folder_ + "/places.sqlite";
        // The log first, then the database: a checkpoint between the two
        // then only repeats changes the database already holds.
        for (const char* suffix : {"-wal", "-journal"}) {
            std::string from = source + suffix;
            if (!IsRegularFile(from)) continue;
            std::error_code failed;
            if (!std::filesystem::copy_file(from, copy + suffix, failed)) {
                error = "cannot copy " + std::string(suffix + 1) + " file: " + failed.message();
                return {};
            }
        }
        std::error_code failed;
        if (!std::filesystem::copy_file(source, copy, failed)) {
            error = "cannot copy the database: " + failed.message();
            return {};
        }
        return copy;
    }

private:
    std::string folder_;
};

std::string SqliteError(SqliteDb& db, int rc) {
    if (IsCorruptionCode(rc)) return "the database is damaged or is no database";
    return db.IsOpen() ? db.ErrorMessage() : std::string(sqlite3_errstr(rc));
}

bool ReadRows(SqliteDb& db, std::vector<PlaceRow>& rows, std::string& error) {
    if (db.QueryInt("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'moz_bookmarks'") !=
        1) {
        error = "no bookmarks in it (not a places.sqlite)";
        return false;
    }
    SqliteStatement select(db,
                           "SELECT b.id, b.type, b.parent, b.position, b.dateAdded, b.guid, "
                           "coalesce(nullif(b.title, ''), p.title), p.url "
                           "FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk");
    if (!select.Ok()) {
        error = SqliteError(db, select.PrepareResult());
        return false;
    }
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        PlaceRow row;
        row.id = select.Int(0);
        row.type = static_cast<int>(select.Int(1));
        row.parent = select.Int(2);
        row.position = select.Int(3);
        row.dateAdded = select.Int(4);
        row.guid = select.Text(5);
        row.title = select.Text(6);
        row.url = select.Text(7);
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        error = SqliteError(db, rc);
        return false;
    }
    return true;
}

// The folder name of a root by its fixed guid; null for the tags (left
// out) and for anything else.
const char* RootName(const std::string& guid) {
    if (guid == "menu________") return kRootMenuName;
    if (guid == "toolbar_____") return kRootToolbarName;
    if (guid == "unfiled_____") return kRootOtherName;
    if (guid == "mobile______") return kRootMobileName;
    return nullptr;
}

std::string NameOf(const PlaceRow& row) { return FromUtf8(row.title.empty() ? row.url : row.title); }

void BuildTree(const std::vector<PlaceRow>& rows, BookmarkTree& tree, BookmarkNode& folder,
               ExchangeStatus& status) {
    std::unordered_map<std::int64_t, std::vector<const PlaceRow*>> children;
    const PlaceRow* root = nullptr;
    for (const PlaceRow& row : rows) {
        children[row.parent].push_back(&row);
        if (row.guid == "root________" || (!root && row.parent == 0 && row.type == kTypeFolder)) root = &row;
    }
    if (!root) return;
    for (auto& [parent, list] : children)
        std::stable_sort(list.begin(), list.end(), [](const PlaceRow* a, const PlaceRow* b) {
            return a->position != b->position ? a->position < b->position : a->id < b->id;
        });
    const std::uint32_t exstyle = tree.Options().defaultAddStyle;
    // Folders still to fill, on the heap: no nesting depth overflows the stack.
    std::vector<std::pair<std::int64_t, BookmarkNode*>> pending;
    std::vector<BookmarkNode*> roots;
    for (const PlaceRow* row : children[root->id]) {
        // The tags are left out, and so is anything at the top that is no folder.
        if (row->type != kTypeFolder || row->guid == "tags________") continue;
        const char* name = RootName(row->guid);
        std::string folderName = name ? std::string(name) : NameOf(*row);
        BookmarkNode* node =
            tree.AddNode(folder, folderName, "", kItemFolder, kDefaultItemStyle, kDefaultItemExStyle);
        if (std::uint32_t date = SecondsFromUnixMicros(row->dateAdded)) node->created = date;
        roots.push_back(node);
        pending.emplace_back(row->id, node);
    }
    while (!pending.empty()) {
        auto [id, into] = pending.back();
        pending.pop_back();
        auto found = children.find(id);
        if (found == children.end()) continue;
        for (const PlaceRow* row : found->second) {
            BookmarkNode* node = nullptr;
            if (row->type == kTypeFolder) {
                node = tree.AddNode(*into, NameOf(*row), "", kItemFolder, kDefaultItemStyle,
                                    kDefaultItemExStyle);
                pending.emplace_back(row->id, node);
            } else if (row->type == kTypeSeparator) {
                node = tree.AddNode(*into, "", "", kItemSeparator, kDefaultItemStyle, kDefaultItemExStyle);
            } else if (row->type == kTypeBookmark && !row->url.empty() && row->url.rfind("place:", 0) != 0) {
                node = tree.AddNode(*into, NameOf(*row), UrlFromUtf8(row->url), kItemUrl, kDefaultItemStyle,
                                    exstyle);
            } else {
                ++status.skipped;  // a saved query, or an entry with no address
                continue;
            }
            // An unknown date keeps the time of the import.
            if (std::uint32_t date = SecondsFromUnixMicros(row->dateAdded)) node->created = date;
        }
    }
    // A root with nothing in it would only add an empty folder.
    for (BookmarkNode* node : roots)
        if (!node->FirstChild()) node->Detach();
}

// One attempt on a fresh copy; `retry` is set when the copy came out
// inconsistent (the browser wrote while it was taken).
ExchangeStatus ReadCopy(const std::string& placesPath, BookmarkTree& tree, BookmarkNode& folder,
                        bool& retry) {
    retry = false;
    PlacesCopy copy;
    std::string error;
    std::string copyPath = copy.Make(placesPath, error);
    if (copyPath.empty()) return ExchangeStatus::Failed(error);
    SqliteDb db;
    int rc = db.Open(copyPath, SQLITE_OPEN_READWRITE);
    if (rc != SQLITE_OK) return ExchangeStatus::Failed(SqliteError(db, rc));
    db.Exec("PRAGMA query_only = 1");
    std::string check;
    {
        SqliteStatement quick(db, "PRAGMA quick_check");
        rc = quick.Ok() ? quick.Step() : quick.PrepareResult();
        if (rc == SQLITE_ROW) check = quick.Text(0);
        else if (rc != SQLITE_DONE) return ExchangeStatus::Failed(SqliteError(db, rc));
    }
    if (check != "ok") {
        retry = true;
        return ExchangeStatus::Failed("the database is damaged");
    }
    std::vector<PlaceRow> rows;
    if (!ReadRows(db, rows, error)) return ExchangeStatus::Failed(error);
    ExchangeStatus status;
    BuildTree(rows, tree, folder, status);
    return status;
}

}  // namespace

std::uint32_t SecondsFromUnixMicros(std::int64_t micros) {
    std::int64_t seconds = micros / 1000000;
    return seconds > 0 && seconds <= 0xFFFFFFFFLL ? static_cast<std::uint32_t>(seconds) : 0;
}

std::uint32_t SecondsFromWindowsMicros(std::int64_t micros) {
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600LL;
    std::int64_t seconds = micros / 1000000 - kSecondsFrom1601To1970;
    return seconds > 0 && seconds <= 0xFFFFFFFFLL ? static_cast<std::uint32_t>(seconds) : 0;
}

ExchangeStatus ReadFirefoxPlaces(std::string_view placesPath, BookmarkTree& tree, BookmarkNode& folder) {
    std::string path(placesPath);
    if (!IsRegularFile(path))
        return ExchangeStatus::Failed(IsDirectory(path) ? "is a folder"
                                                        : "no such file, or not a regular file");
    ExchangeStatus status;
    bool retry = true;
    for (int attempt = 0; attempt < 3 && retry; ++attempt) {
        // Each attempt fills a scratch folder of its own, so a failed one leaves nothing.
        std::unique_ptr<BookmarkNode> scratch = tree.MakeScratchFolder();
        status = ReadCopy(path, tree, *scratch, retry);
        if (status) {
            while (BookmarkNode* child = scratch->FirstChild()) folder.AppendChild(child->Detach());
        }
    }
    return status;
}

}  // namespace fern
