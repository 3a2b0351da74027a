// Direct import from browser profiles, on profiles of our own in the real
// formats (tests/bookmarks/BrowserProfileFixture.h).
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>

#include "bookmarks/BookmarkTestTree.h"
#include "bookmarks/BrowserProfileFixture.h"
#include "bookmarks/exchange/BrowserImport.h"
#include "bookmarks/exchange/BrowserProfiles.h"
#include "lists/TempFolder.h"

using namespace fern;
using namespace fern::testing;

namespace {

const std::vector<std::string> kFirefoxRoots = {kRootMenuName, kRootToolbarName, kRootOtherName,
                                                kRootMobileName};
const std::vector<std::string> kChromiumRoots = {kRootToolbarName, kRootOtherName, kRootMobileName};

// Every imported node against the made tree, in display order: kind, depth,
// name, address and date.
void ExpectSameTree(const BookmarkNode& top, const std::vector<MadeItem>& items) {
    std::vector<const MadeItem*> expected = DisplayOrder(items);
    std::size_t i = 0;
    for (const BookmarkNode* n = NextInTree(&top, &top); n; n = NextInTree(n, &top), ++i) {
        ASSERT_LT(i, expected.size()) << "extra node " << n->name;
        const MadeItem& want = *expected[i];
        int depth = 0;
        for (const BookmarkNode* p = n->Parent(); p != &top; p = p->Parent()) ++depth;
        ASSERT_EQ(n->type, want.type) << "node " << i << " " << want.name;
        ASSERT_EQ(depth, want.depth) << "node " << i << " " << want.name;
        if (want.type != kItemSeparator) {
            ASSERT_EQ(n->name, want.name) << "node " << i;
        }
        if (want.type == kItemUrl) {
            ASSERT_EQ(n->url, want.url) << "node " << i;
        }
        ASSERT_EQ(n->created, want.created) << "node " << i << " " << want.name;
    }
    EXPECT_EQ(i, expected.size());
}

// The places.sqlite of a fresh profile folder.
std::string PlacesIn(const TempFolder& folder) { return folder.File("places.sqlite"); }

}  // namespace

TEST(BrowserImport, PlacesOf5000ItemsArriveInOrderInTheirFolders) {
    TempFolder profile;
    std::vector<MadeItem> items = MakeItemTree(kFirefoxRoots, 5000, true);
    ASSERT_TRUE(WritePlaces(PlacesIn(profile), items, 40));
    BookmarkTree tree = MakeTestTree();
    ExchangeStatus status = ImportBrowserProfile(BrowserFamily::Firefox, profile.Path(), tree, nullptr);
    ASSERT_TRUE(status) << status.error;
    EXPECT_EQ(status.imported, 5004u);  // the four roots, then every item
    EXPECT_EQ(status.skipped, 0u);
    EXPECT_TRUE(tree.Modified());
    ExpectSameTree(tree.Root(), items);
}

TEST(BrowserImport, PlacesReadWhileTheBrowserHoldsItLockedWithChangesInItsLog) {
    TempFolder profile;
    std::vector<MadeItem> items = MakeItemTree(kFirefoxRoots, 300, true, 99);
    ASSERT_TRUE(WritePlaces(PlacesIn(profile), items, 5, true));
    ASSERT_TRUE(std::filesystem::exists(PlacesIn(profile) + "-wal"));
    // A running browser: an exclusive lock and a write in progress.
    sqlite3* browser = nullptr;
    ASSERT_EQ(sqlite3_open(PlacesIn(profile).c_str(), &browser), SQLITE_OK);
    sqlite3_db_config(browser, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    ASSERT_TRUE(Exec(browser,
                     "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; "
                     "UPDATE moz_bookmarks SET title = 'unsaved' WHERE id >= 100;"));
    BookmarkTree tree = MakeTestTree();
    ExchangeStatus status = ImportBrowserProfile(BrowserFamily::Firefox, PlacesIn(profile), tree, nullptr);
    Exec(browser, "ROLLBACK");
    sqlite3_close(browser);
    ASSERT_TRUE(status) << status.error;
    ExpectSameTree(tree.Root(), items);
}

TEST(BrowserImport, PlacesDetails) {
    TempFolder profile;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(PlacesIn(profile).c_str(), &db), SQLITE_OK);
    ASSERT_TRUE(Exec(db, kPlacesSchema));
    std::string cafe = "https://example.com/caf\xC3\xA9?q=\xE6\x97\xA5";  // "café", "日"
    ASSERT_TRUE(Exec(
        db,
        "INSERT INTO moz_places (id, url, title) VALUES (1, 'https://a.example/', 'Page A'), "
        "(2, 'place:sort=8&maxResults=10', 'Most visited'), (3, 'https://b.example/', NULL), "
        "(4, '" +
            cafe +
            "', 'caf\xC3\xA9');"
            "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, dateAdded, guid) VALUES "
            "(1, 2, NULL, 0, 0, '', 0, 'root________'), (2, 2, NULL, 1, 0, 'menu', 0, 'menu________'),"
            "(3, 2, NULL, 1, 1, 'toolbar', 0, 'toolbar_____'), (4, 2, NULL, 1, 2, 'tags', 0, 'tags________'),"
            "(5, 2, NULL, 1, 3, 'unfiled', 0, 'unfiled_____'), (6, 2, NULL, 1, 4, 'mobile', 0, "
            "'mobile______'),"
            "(10, 1, 1, 3, 0, NULL, 1700000000000000, 'a'),"  // no title: the page's
            "(11, 1, 2, 3, 1, 'Most visited', 0, 'b'),"       // a query: left out
            "(12, 1, 3, 3, 2, '', -5, 'c'),"                  // no title at all: the url
            "(13, 1, 4, 3, 3, 'caf\xC3\xA9', 0, 'd'),"        // outside code page 932
            "(14, 2, NULL, 4, 0, 'tagged', 0, 'e'), (15, 1, 1, 14, 0, NULL, 0, 'f'),"  // a tag
            "(16, 1, 1, 99, 0, 'orphan', 0, 'g');"));                                  // its folder is gone
    sqlite3_close(db);
    BookmarkTree tree = MakeTestTree();
    BookmarkNode scratch;
    scratch.type = kItemFolder;
    ExchangeStatus status = ReadFirefoxPlaces(PlacesIn(profile), tree, scratch);
    ASSERT_TRUE(status) << status.error;
    EXPECT_EQ(status.skipped, 1u);
    // The empty menu, other and mobile roots give no folder; the tags none either.
    EXPECT_EQ(Outline(scratch),
              "D ブックマーク ツールバー\n"
              "  U Page A <https://a.example/>\n"
              "  U https://b.example/ <https://b.example/>\n"
              "  U caf? <https://example.com/caf%C3%A9?q=日>\n");
    const BookmarkNode* a = scratch.FirstChild()->FirstChild();
    EXPECT_EQ(a->created, 1700000000u);
    EXPECT_EQ(a->Next()->created, kTestNow);  // a date before 1970: the import's time
}

TEST(BrowserImport, ChromiumBookmarksArriveInOrderInTheirFolders) {
    TempFolder profile;
    std::vector<MadeItem> items = MakeItemTree(kChromiumRoots, 2000, false, 4242);
    WriteBytes(profile.File("Bookmarks"), ChromiumJson(items));
    BookmarkTree tree = MakeTestTree();
    ExchangeStatus status = ImportBrowserProfile(BrowserFamily::Chromium, profile.Path(), tree, nullptr);
    ASSERT_TRUE(status) << status.error;
    EXPECT_EQ(status.imported, 2003u);
    ExpectSameTree(tree.Root(), items);
}

TEST(BrowserImport, ChromiumRootsOfOtherBrowsersAndEmptyRoots) {
    const char* json = R"({"roots": {
        "bookmark_bar": {"children": [], "name": "Bookmarks bar", "type": "folder"},
        "workspaces": {"children": [{"name": "W", "type": "url", "url": "https://w.example/"}],
                       "name": "Workspaces", "type": "folder"},
        "other": {"children": [{"name": "", "type": "url", "url": "https://o.example/", "date_added": "x"},
                               {"name": "odd", "type": "script"}], "type": "folder"},
        "synced": {"type": "folder"}}, "version": 1})";
    BookmarkTree tree = MakeTestTree();
    BookmarkNode scratch;
    ExchangeStatus status = ParseChromiumBookmarks(json, tree, scratch);
    ASSERT_TRUE(status) << status.error;
    EXPECT_EQ(status.skipped, 1u);
    EXPECT_EQ(Outline(scratch),
              "D その他のブックマーク\n"
              "  U https://o.example/ <https://o.example/>\n"
              "D Workspaces\n"
              "  U W <https://w.example/>\n");
}

TEST(BrowserImport, BadChromiumDocumentsImportNothing) {
    const std::string good =
        R"({"roots": {"bookmark_bar": {"children": [{"name": "A", "type": "url", "url": "https://a/"}], "type": "folder"}}})";
    struct Case {
        const char* what;
        std::string json;
    } cases[] = {
        {"cut short", good.substr(0, good.size() - 3)},
        {"empty", ""},
        {"not JSON", "#FOLDER\n\tNAME=x\n"},
        {"a list at the top", "[1, 2]"},
        {"no roots", R"({"version": 1})"},
        {"roots a list", R"({"roots": []})"},
        {"a root no object", R"({"roots": {"other": "x"}})"},
        {"children no list", R"({"roots": {"other": {"children": {"a": 1}, "type": "folder"}}})"},
        {"a child no object", R"({"roots": {"other": {"children": [1], "type": "folder"}}})"},
        {"a name a number",
         R"({"roots": {"bookmark_bar": {"children": [{"name": "A", "type": "url", "url": "https://a/"}]},
             "other": {"children": [{"name": 5, "type": "url", "url": "https://b/"}]}}})"},
        {"a url a list", R"({"roots": {"other": {"children": [{"name": "A", "type": "url", "url": []}]}}})"},
        {"a deep child wrong",
         R"({"roots": {"other": {"children": [{"name": "F", "type": "folder", "children": [
             {"name": "A", "type": "url", "url": "https://a/"}, {"name": "B", "type": 7}]}]}}})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder profile;
        WriteBytes(profile.File("Bookmarks"), c.json);
        BookmarkTree tree = MakeTestTree();
        std::string before = Outline(tree.Root());
        ExchangeStatus status = ImportBrowserProfile(BrowserFamily::Chromium, profile.Path(), tree, nullptr);
        EXPECT_FALSE(status);
        EXPECT_FALSE(status.error.empty());
        EXPECT_EQ(Outline(tree.Root()), before);
        EXPECT_FALSE(tree.Modified());
    }
}

TEST(BrowserImport, BadPlacesImportNothing) {
    TempFolder source;
    std::vector<MadeItem> items = MakeItemTree(kFirefoxRoots, 500, true);
    ASSERT_TRUE(WritePlaces(source.File("good.sqlite"), items));
    std::string good = ReadBytes(source.File("good.sqlite"));
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> make;
    } cases[] = {
        {"missing", [](const std::string&) {}},
        {"a folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
        {"garbage", [](const std::string& path) { WriteBytes(path, std::string(8192, '\x5c')); }},
        {"cut in half", [&](const std::string& path) { WriteBytes(path, good.substr(0, good.size() / 2)); }},
        {"pages damaged",
         [&](const std::string& path) {
             std::string bytes = good;
             for (std::size_t at = 4096 * 3; at + 64 < bytes.size(); at += 4096)
                 bytes.replace(at, 64, 64, '\xff');
             WriteBytes(path, bytes);
         }},
        {"another database",
         [](const std::string& path) {
             sqlite3* db = nullptr;
             sqlite3_open(path.c_str(), &db);
             Exec(db, "CREATE TABLE visits (url TEXT); INSERT INTO visits VALUES ('x');");
             sqlite3_close(db);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder profile;
        c.make(PlacesIn(profile));
        BookmarkTree tree = MakeTestTree();
        std::string before = Outline(tree.Root());
        ExchangeStatus status = ImportBrowserProfile(BrowserFamily::Firefox, profile.Path(), tree, nullptr);
        EXPECT_FALSE(status);
        EXPECT_FALSE(status.error.empty());
        EXPECT_EQ(Outline(tree.Root()), before);
        EXPECT_FALSE(tree.Modified());
    }
}

TEST(BrowserImport, TimeConversions) {
    EXPECT_EQ(SecondsFromUnixMicros(1700000000123456LL), 1700000000u);
    EXPECT_EQ(SecondsFromUnixMicros(0), 0u);
    EXPECT_EQ(SecondsFromUnixMicros(-1000000), 0u);
    EXPECT_EQ(SecondsFromUnixMicros(5000000000LL * 1000000), 0u);  // past 2106
    EXPECT_EQ(SecondsFromWindowsMicros((11644473600LL + 1700000000) * 1000000 + 999999), 1700000000u);
    EXPECT_EQ(SecondsFromWindowsMicros(11644473600LL * 1000000), 0u);  // 1970 itself: unknown
    EXPECT_EQ(SecondsFromWindowsMicros(0), 0u);
}

TEST(BrowserProfiles, FindsTheUsualFoldersBelowHome) {
    TempFolder home;
    namespace fs = std::filesystem;
    std::string ff = home.File(".mozilla/firefox");
    fs::create_directories(ff + "/abcd.default-release");
    fs::create_directories(ff + "/efgh.old");
    fs::create_directories(ff + "/empty.profile");  // no places.sqlite: not offered
    WriteBytes(ff + "/abcd.default-release/places.sqlite", "x");
    WriteBytes(ff + "/efgh.old/places.sqlite", "x");
    WriteBytes(ff + "/profiles.ini",
               "[Profile2]\nName=empty\nIsRelative=1\nPath=empty.profile\n\n"
               "[Profile1]\nName=old\nIsRelative=1\nPath=efgh.old\nDefault=1\n\n"
               "[Profile0]\nName=default-release\nIsRelative=1\nPath=abcd.default-release\n\n"
               "[Install4F96D1932A9F858E]\nDefault=abcd.default-release\nLocked=1\n\n"
               "[General]\nStartWithLastProfile=1\nVersion=2\n");
    for (const char* dir : {".config/google-chrome/Profile 1", ".config/google-chrome/Default",
                            ".config/google-chrome/System Profile", ".config/vivaldi/Default"})
        fs::create_directories(home.File(dir));
    for (const char* file : {".config/google-chrome/Profile 1/Bookmarks",
                             ".config/google-chrome/Default/Bookmarks", ".config/vivaldi/Default/Bookmarks"})
        WriteBytes(home.File(file), "{}");

    std::vector<BrowserProfile> found = FindBrowserProfiles(home.Path());
    std::vector<std::string> seen;
    for (const BrowserProfile& p : found)
        seen.push_back(p.browser + "|" + p.name + "|" + p.path.substr(home.Path().size()) +
                       (p.isDefault ? "|*" : ""));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Firefox|default-release|/.mozilla/firefox/abcd.default-release|*",
                        "Firefox|old|/.mozilla/firefox/efgh.old",
                        "Google Chrome|Default|/.config/google-chrome/Default|*",
                        "Google Chrome|Profile 1|/.config/google-chrome/Profile 1",
                        "Vivaldi|Default|/.config/vivaldi/Default|*",
                    }));
    ASSERT_NE(DefaultProfile(found, BrowserFamily::Chromium), nullptr);
    EXPECT_EQ(DefaultProfile(found, BrowserFamily::Chromium)->browser, "Google Chrome");
    EXPECT_TRUE(FindBrowserProfiles(home.File("nothing")).empty());
}

TEST(BrowserProfiles, ProfilesIniWithAbsolutePathsAndTheOldDefault) {
    std::vector<BrowserProfile> found = ParseFirefoxProfilesIni(
        "[Profile0]\nName=a\nIsRelative=1\nPath=x.a\n[Profile1]\nName=b\nIsRelative=0\nPath=/srv/"
        "b\nDefault=1\n"
        "[Profile2]\nName=c\n",
        "/home/u/.mozilla/firefox", "Firefox");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].path, "/srv/b");
    EXPECT_TRUE(found[0].isDefault);
    EXPECT_EQ(found[1].path, "/home/u/.mozilla/firefox/x.a");
}

TEST(BrowserProfiles, TheFamilyOfAChosenFolderOrFile) {
    TempFolder folder;
    std::filesystem::create_directories(folder.File("ff"));
    std::filesystem::create_directories(folder.File("cr"));
    WriteBytes(folder.File("ff/places.sqlite"), "x");
    WriteBytes(folder.File("cr/Bookmarks"), "{}");
    WriteBytes(folder.File("other.json"), "{}");
    EXPECT_EQ(FamilyOfSource(folder.File("ff")), BrowserFamily::Firefox);
    EXPECT_EQ(FamilyOfSource(folder.File("ff/places.sqlite")), BrowserFamily::Firefox);
    EXPECT_EQ(FamilyOfSource(folder.File("cr/")), BrowserFamily::Chromium);
    EXPECT_EQ(FamilyOfSource(folder.File("cr/Bookmarks")), BrowserFamily::Chromium);
    EXPECT_EQ(FamilyOfSource(folder.File("other.json")), std::nullopt);
    EXPECT_EQ(FamilyOfSource(folder.Path()), std::nullopt);
    EXPECT_EQ(FamilyOfSource(folder.File("missing")), std::nullopt);
}
