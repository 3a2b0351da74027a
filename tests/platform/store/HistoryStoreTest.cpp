#include "platform/store/HistoryStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fakes/LockedQueue.h"
#include "lists/TempFolder.h"

using namespace fern;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

namespace {

std::vector<std::string> Urls(HistoryDb& db, const HistoryScope& scope = {}) {
    std::vector<std::string> urls;
    db.ForEachPage(scope, [&](const HistoryPage& page) {
        urls.push_back(page.url);
        return true;
    });
    return urls;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

struct StoreFixture : ::testing::Test {
    TempFolder folder;
    test::LockedQueue queue;
    std::vector<std::string> problems;
    std::string path = folder.File("history.db");

    std::unique_ptr<HistoryStore> Make() {
        return std::make_unique<HistoryStore>(HistoryStore::Config{path, {}, {}}, queue,
                                              [this](const std::string& text) { problems.push_back(text); });
    }
};

TEST_F(StoreFixture, VisitsAreCountedAndKeepTheirFirstVisit) {
    auto store = Make();
    store->RecordVisit("http://a.example/", 100);
    store->RecordVisit("http://b.example/x", 150);
    store->RecordVisit("http://a.example/", 200);
    store->SetTitle("http://a.example/", "日本語のタイトル");
    store->SetTitle("http://nowhere.example/", "a title without a visit is dropped");
    store->Flush();
    auto db = store->OpenReader();
    ASSERT_TRUE(db);
    auto page = db->Page("http://a.example/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->firstVisit, 100);
    EXPECT_EQ(page->lastVisit, 200);
    EXPECT_EQ(page->visitCount, 2);
    EXPECT_EQ(page->title, "日本語のタイトル");
    EXPECT_FALSE(db->Page("http://nowhere.example/"));
    EXPECT_EQ(Urls(*db), (std::vector<std::string>{"http://a.example/", "http://b.example/x"}));
    EXPECT_TRUE(problems.empty());
}

TEST_F(StoreFixture, DeletesByDaySiteAndAddress) {
    auto store = Make();
    store->RecordVisit("http://a.example/1", 1000);
    store->RecordVisit("http://a.example/2", 2000);
    store->RecordVisit("http://B.example:8080/1", 2100);
    store->RecordVisit("file:///home/user/x.html", 2200);
    store->RecordVisit("http://c.example/1", 3000);
    std::vector<bool> done;
    HistoryScope day{2000, 3000, {}, {}, {}};
    HistoryScope siteA;
    siteA.site = "a.example";
    HistoryScope one;
    one.url = "http://c.example/1";
    store->Flush();
    auto db = store->OpenReader();
    ASSERT_TRUE(db);
    auto sites = db->Sites(2000, 3000);
    ASSERT_EQ(sites.size(), 3u);
    EXPECT_EQ(sites[0].site, "");  // local files
    EXPECT_EQ(sites[1].site, "a.example");
    EXPECT_EQ(sites[2].site, "b.example");

    HistoryScope dayOfB{2000, 3000, std::string("b.example"), {}, {}};
    store->Delete(dayOfB, [&](bool ok) { done.push_back(ok); });
    store->Flush();
    EXPECT_EQ(Urls(*db, day), (std::vector<std::string>{"file:///home/user/x.html", "http://a.example/2"}));
    store->Delete(siteA, [&](bool ok) { done.push_back(ok); });
    store->Delete(one, [&](bool ok) { done.push_back(ok); });
    store->Flush();
    EXPECT_EQ(Urls(*db), (std::vector<std::string>{"file:///home/user/x.html"}));
    store->DeleteAll([&](bool ok) { done.push_back(ok); });
    store->Flush();
    EXPECT_EQ(db->PageCount(), 0);
    queue.RunAll();
    EXPECT_EQ(done, (std::vector<bool>{true, true, true, true}));
}

TEST_F(StoreFixture, UrlPrefixFilterIgnoresTheCaseOfLetters) {
    auto store = Make();
    store->RecordVisit("HTTP://a.example/", 1);
    store->RecordVisit("ftp://b.example/", 2);
    store->Flush();
    auto db = store->OpenReader();
    HistoryScope scope;
    scope.urlPrefix = "http://";
    EXPECT_EQ(Urls(*db, scope), (std::vector<std::string>{"HTTP://a.example/"}));
}

TEST(SiteOfUrl, IsTheHostInLowerCase) {
    struct Case {
        const char* url;
        const char* site;
    } cases[] = {
        {"http://www.Example.COM/a/b", "www.example.com"},
        {"https://user:pw@host.example:8443/", "host.example"},
        {"http://127.0.0.1:8080/x", "127.0.0.1"},
        {"http://[::1]:80/", "::1"},
        {"file:///tmp/a.html", ""},
        {"not a url", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(SiteOfUrl(c.url), c.site) << c.url;
}

// Bad files in history.db's place: each is moved aside whole, a new store
// is made, the user is told, and nothing else in the folder is touched.
TEST_F(StoreFixture, DamagedFilesAreMovedAsideAndANewOneMade) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"zero-filled", [](const std::string& p) { WriteBytes(p, std::string(8192, '\0')); }},
        {"garbage", [](const std::string& p) { WriteBytes(p, std::string(5000, 'x') + "\xff\xfe"); }},
        {"truncated",
         [this](const std::string& p) {
             {
                 auto store = Make();
                 for (int i = 0; i < 600; ++i)
                     store->RecordVisit(
                         "http://example.com/page/" + std::to_string(i) + std::string(400, 'q'), i);
             }
             std::string bytes = ReadBytes(p);
             ASSERT_GT(bytes.size(), 100000u);
             WriteBytes(p, bytes.substr(0, bytes.size() / 2));
             std::filesystem::remove(p + "-wal");
             std::filesystem::remove(p + "-shm");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder.Path());
        std::filesystem::create_directory(folder.Path());
        WriteBytes(folder.File("typed.fbl"), "keep me");
        c.make(path);
        std::string broken = ReadBytes(path);
        problems.clear();
        {
            auto store = Make();
            store->RecordVisit("http://after.example/", 5);
            store->Flush();
            EXPECT_TRUE(store->Usable());
            auto db = store->OpenReader();
            ASSERT_TRUE(db);
            EXPECT_EQ(Urls(*db), (std::vector<std::string>{"http://after.example/"}));
        }
        queue.RunAll();
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems[0].find("壊れていた"), std::string::npos);
        std::vector<std::string> files = FilesIn(folder.Path());
        auto aside = std::find_if(files.begin(), files.end(),
                                  [](const std::string& f) { return f.rfind("history.db.broken-", 0) == 0; });
        ASSERT_NE(aside, files.end());
        EXPECT_TRUE(ReadBytes(folder.File(*aside)) == broken);
        EXPECT_EQ(ReadBytes(folder.File("typed.fbl")), "keep me");
    }
}

TEST_F(StoreFixture, AFileLockedByAnotherProgramIsLeftAloneAndHistoryIsOff) {
    { Make()->RecordVisit("http://before.example/", 1); }
    SqliteDb other;
    ASSERT_EQ(other.Open(path, SQLITE_OPEN_READWRITE), SQLITE_OK);
    ASSERT_EQ(other.Exec("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; "
                         "UPDATE pages SET title='held' WHERE 0;"),
              SQLITE_OK);
    std::string before = ReadBytes(path);
    {
        auto store = Make();
        EXPECT_FALSE(store->WaitUntilOpen());
        store->RecordVisit("http://during.example/", 2);
        bool result = true;
        store->DeleteAll([&](bool ok) { result = ok; });
        store->Flush();
        queue.RunAll();
        EXPECT_FALSE(result);
        EXPECT_FALSE(store->OpenReader());
    }
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("他のプログラム"), std::string::npos);
    other.Exec("ROLLBACK");
    other.Close();
    EXPECT_TRUE(ReadBytes(path) == before);
    EXPECT_EQ(FilesIn(folder.Path()), (std::vector<std::string>{"history.db"}));
}

TEST_F(StoreFixture, AFolderInItsPlaceTurnsHistoryOff) {
    std::filesystem::create_directory(path);
    auto store = Make();
    EXPECT_FALSE(store->WaitUntilOpen());
    queue.RunAll();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
