#pragma once
// Browser profiles of our own in the real formats, written at test time: a
// places.sqlite with the tables and roots a Firefox-family browser keeps,
// and a Chromium-family "Bookmarks" JSON document. Both are written from one
// made-up tree, whose display order is what an import must give.
//
// The rows of places.sqlite are numbered in a shuffled order, so that many a
// bookmark has a smaller id than its folder (as after a move) and the rows
// of a folder are not stored in their position order.
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "lists/UrlItem.h"
#include "platform/text/Encoding.h"

namespace fern::testing {

struct MadeItem {
    std::uint16_t type = kItemUrl;
    std::string name;  // Shift-JIS
    std::string url;   // ASCII
    std::uint32_t created = 0;
    int parent = -1;  // index into the items; -1 for a root
    std::vector<int> children;
    int depth = 0;
};

// The tree: `roots` top folders, then `count` items put into random folders
// (one in ten a folder, one in twenty a separator when `separators`).
inline std::vector<MadeItem> MakeItemTree(const std::vector<std::string>& roots, int count, bool separators,
                                          std::uint32_t seed = 12345) {
    std::vector<MadeItem> items;
    std::vector<int> folders;
    for (const std::string& name : roots) {
        MadeItem root;
        root.type = kItemFolder;
        root.name = name;
        root.created = 1500000000;
        folders.push_back(static_cast<int>(items.size()));
        items.push_back(root);
    }
    std::uint32_t state = seed;
    auto next = [&state](std::uint32_t bound) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % bound;
    };
    char text[64];
    for (int i = 0; i < count; ++i) {
        MadeItem item;
        int parent = folders[next(static_cast<std::uint32_t>(folders.size()))];
        std::uint32_t roll = next(20);
        item.created = 1600000000u + static_cast<std::uint32_t>(i);
        if (roll < 2) {
            item.type = kItemFolder;
            std::snprintf(text, sizeof text, "フォルダ %d", i);
            item.name = text;
            folders.push_back(static_cast<int>(items.size()));
        } else if (roll == 2 && separators) {
            item.type = kItemSeparator;
        } else {
            std::snprintf(text, sizeof text, "ページ %d", i);
            item.name = text;
            std::snprintf(text, sizeof text, "https://example.com/page/%d?x=1", i);
            item.url = text;
        }
        item.parent = parent;
        item.depth = items[static_cast<std::size_t>(parent)].depth + 1;
        items[static_cast<std::size_t>(parent)].children.push_back(static_cast<int>(items.size()));
        items.push_back(item);
    }
    return items;
}

// The items in display order (depth first), roots included.
inline std::vector<const MadeItem*> DisplayOrder(const std::vector<MadeItem>& items) {
    std::vector<const MadeItem*> out;
    std::vector<int> stack;
    for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i)
        if (items[static_cast<std::size_t>(i)].parent < 0) stack.push_back(i);
    while (!stack.empty()) {
        const MadeItem& item = items[static_cast<std::size_t>(stack.back())];
        stack.pop_back();
        out.push_back(&item);
        for (auto child = item.children.rbegin(); child != item.children.rend(); ++child)
            stack.push_back(*child);
    }
    return out;
}

inline bool Exec(sqlite3* db, const std::string& sql) {
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The tables as the browser creates them (the columns an import may meet).
inline constexpr const char* kPlacesSchema =
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, "
    "rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, "
    "typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER, "
    "guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL, url_hash INTEGER DEFAULT 0 NOT NULL, "
    "description TEXT, preview_image_url TEXT, site_name TEXT, origin_id INTEGER, "
    "recalc_frecency INTEGER NOT NULL DEFAULT 0, alt_frecency INTEGER, recalc_alt_frecency INTEGER NOT NULL "
    "DEFAULT 0);"
    "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, "
    "parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT, "
    "dateAdded INTEGER, lastModified INTEGER, guid TEXT, syncStatus INTEGER NOT NULL DEFAULT 0, "
    "syncChangeCounter INTEGER NOT NULL DEFAULT 1);"
    "CREATE INDEX moz_bookmarks_itemindex ON moz_bookmarks (fk, type);"
    "CREATE INDEX moz_bookmarks_parentindex ON moz_bookmarks (parent, position);"
    "CREATE UNIQUE INDEX moz_bookmarks_guid_uniqueindex ON moz_bookmarks (guid);"
    "CREATE TABLE moz_bookmarks_deleted (guid TEXT PRIMARY KEY, dateRemoved INTEGER NOT NULL DEFAULT 0);"
    "CREATE TABLE moz_keywords (id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE, place_id INTEGER, "
    "post_data TEXT);";

// The fixed roots: id, guid, position under the root.
struct PlacesRoot {
    int id;
    const char* guid;
    const char* title;
    int position;
};
inline constexpr PlacesRoot kPlacesRoots[] = {
    {2, "menu________", "menu", 0},    {3, "toolbar_____", "toolbar", 1}, {4, "tags________", "tags", 2},
    {5, "unfiled_____", "unfiled", 3}, {6, "mobile______", "mobile", 4},
};

// Writes places.sqlite at `path` for `items`, whose roots are, in order,
// the menu, the toolbar, the other bookmarks and the mobile root. Adds a
// tag folder tagging `tagged` bookmarks (tags must not be imported). In WAL
// mode when `wal`, the last changes left in the -wal file.
inline bool WritePlaces(const std::string& path, const std::vector<MadeItem>& items, int tagged = 10,
                        bool wal = false) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return false;
    bool ok = Exec(db, wal ? "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;" : "") &&
              Exec(db, kPlacesSchema) && Exec(db, "BEGIN");
    sqlite3_stmt* place = nullptr;
    sqlite3_stmt* mark = nullptr;
    ok = ok &&
         sqlite3_prepare_v2(db, "INSERT INTO moz_places (id, url, title, guid) VALUES (?, ?, ?, ?)", -1,
                            &place, nullptr) == SQLITE_OK &&
         sqlite3_prepare_v2(db,
                            "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, dateAdded, "
                            "lastModified, guid) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                            -1, &mark, nullptr) == SQLITE_OK;
    auto addMark = [&](int id, int type, int fk, int parent, int position, const std::string& title,
                       std::int64_t added, const std::string& guid) {
        sqlite3_reset(mark);
        sqlite3_bind_int(mark, 1, id);
        sqlite3_bind_int(mark, 2, type);
        if (fk) sqlite3_bind_int(mark, 3, fk);
        else sqlite3_bind_null(mark, 3);
        sqlite3_bind_int(mark, 4, parent);
        sqlite3_bind_int(mark, 5, position);
        if (title.empty()) sqlite3_bind_null(mark, 6);
        else sqlite3_bind_text(mark, 6, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(mark, 7, added);
        sqlite3_bind_int64(mark, 8, added);
        sqlite3_bind_text(mark, 9, guid.c_str(), -1, SQLITE_TRANSIENT);
        ok = ok && sqlite3_step(mark) == SQLITE_DONE;
    };
    auto addPlace = [&](int id, const std::string& url, const std::string& title) {
        sqlite3_reset(place);
        sqlite3_bind_int(place, 1, id);
        sqlite3_bind_text(place, 2, url.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(place, 3, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(place, 4, ("p" + std::to_string(id)).c_str(), -1, SQLITE_TRANSIENT);
        ok = ok && sqlite3_step(place) == SQLITE_DONE;
    };
    if (ok) {
        addMark(1, 2, 0, 0, 0, "", 1500000000000000LL, "root________");
        for (const PlacesRoot& root : kPlacesRoots)
            addMark(root.id, 2, 0, 1, root.position, root.title, 1500000000000000LL, root.guid);
        const int rootIds[] = {2, 3, 5, 6};
        // Ids in a shuffled order: item i gets ids[i].
        std::vector<int> ids(items.size(), 0);
        std::vector<int> order;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].parent >= 0) order.push_back(static_cast<int>(i));
        std::uint32_t state = 777;
        for (std::size_t i = order.size(); i > 1; --i) {
            state = state * 1103515245u + 12345u;
            std::swap(order[i - 1], order[(state >> 8) % i]);
        }
        int nextId = 100;
        int root = 0;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].parent < 0) ids[i] = rootIds[root++ % 4];
        for (int i : order) ids[static_cast<std::size_t>(i)] = nextId++;
        // Rows in id order, as the table keeps them.
        std::vector<int> byId(order.begin(), order.end());
        std::sort(byId.begin(), byId.end(), [&](int a, int b) { return ids[a] < ids[b]; });
        for (int i : byId) {
            const MadeItem& item = items[static_cast<std::size_t>(i)];
            const MadeItem& parent = items[static_cast<std::size_t>(item.parent)];
            int position = static_cast<int>(std::find(parent.children.begin(), parent.children.end(), i) -
                                            parent.children.begin());
            int type = item.type == kItemFolder ? 2 : item.type == kItemSeparator ? 3 : 1;
            int fk = 0;
            if (type == 1) {
                fk = ids[static_cast<std::size_t>(i)];
                addPlace(fk, item.url, "page title");
            }
            addMark(ids[static_cast<std::size_t>(i)], type, fk, ids[static_cast<std::size_t>(item.parent)],
                    position, ToUtf8(item.name), std::int64_t(item.created) * 1000000,
                    "g" + std::to_string(ids[static_cast<std::size_t>(i)]));
        }
        // A tag folder whose entries point at some of the bookmarks' places.
        addMark(nextId, 2, 0, 4, 0, "tagname", 1500000000000000LL, "tagfolder");
        int tagFolder = nextId++;
        int position = 0;
        for (std::size_t i = 0; i < items.size() && position < tagged; ++i)
            if (items[i].type == kItemUrl && items[i].parent >= 0) {
                int id = nextId++;
                addMark(id, 1, ids[i], tagFolder, position++, "", 1500000000000000LL,
                        "t" + std::to_string(id));
            }
    }
    sqlite3_finalize(place);
    sqlite3_finalize(mark);
    ok = ok && Exec(db, "COMMIT");
    // Leave the WAL behind as a running browser does: no checkpoint at close.
    if (wal) sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sqlite3_close(db);
    return ok;
}

// A "Bookmarks" document for `items`, whose roots are, in order, the
// bookmark bar, the other bookmarks and the synced bookmarks.
inline std::string ChromiumJson(const std::vector<MadeItem>& items) {
    using nlohmann::ordered_json;
    constexpr std::int64_t kFrom1601 = 11644473600LL;
    auto date = [](std::uint32_t seconds) { return std::to_string((seconds + kFrom1601) * 1000000LL); };
    // Built bottom up: children before their folders (a child has a larger index).
    std::vector<ordered_json> nodes(items.size());
    for (std::size_t i = items.size(); i-- > 0;) {
        const MadeItem& item = items[i];
        ordered_json node;
        node["date_added"] = date(item.created);
        node["guid"] = "00000000-0000-4000-a000-" + std::to_string(100000000000 + i);
        node["id"] = std::to_string(i + 1);
        node["name"] = ToUtf8(item.name);
        if (item.type == kItemFolder) {
            node["children"] = ordered_json::array();
            for (int child : item.children)
                node["children"].push_back(std::move(nodes[static_cast<std::size_t>(child)]));
            node["date_modified"] = "0";
            node["type"] = "folder";
        } else {
            node["meta_info"] = {{"last_visited_desktop", date(item.created)}};
            node["type"] = "url";
            node["url"] = item.url;
        }
        nodes[i] = std::move(node);
    }
    ordered_json doc;
    doc["checksum"] = "0123456789abcdef0123456789abcdef";
    const char* keys[] = {"bookmark_bar", "other", "synced"};
    std::size_t root = 0;
    for (std::size_t i = 0; i < items.size() && root < 3; ++i)
        if (items[i].parent < 0) doc["roots"][keys[root++]] = std::move(nodes[i]);
    doc["version"] = 1;
    return doc.dump(3);
}

}  // namespace fern::testing
