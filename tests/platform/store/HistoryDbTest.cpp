#include "platform/store/HistoryDb.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "history/PageTextCodec.h"
#include "lists/TempFolder.h"
#include "platform/store/TextSnippet.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisSearch.h"

using namespace fern;
using fern::testing::TempFolder;

namespace {

struct DbFixture : ::testing::Test {
    TempFolder folder;
    std::string path = folder.File("history.db");
    HistoryDb db;

    void SetUp() override {
        db.SetCodec(MakePageTextCodec());
        ASSERT_EQ(db.Open(path, HistoryDb::Mode::Write), HistoryDb::OpenResult::Ok);
    }

    void Visit(const std::string& url, HistoryTime when, const std::string& title = {},
               const std::string& bytes = {}) {
        ASSERT_TRUE(db.RecordVisit(url, when));
        if (!title.empty()) {
            ASSERT_TRUE(db.SetTitle(url, title));
        }
        if (!bytes.empty()) {
            ASSERT_TRUE(db.StorePage(url, bytes, when));
        }
    }

    std::set<std::string> Found(const std::string& text, bool caseSensitive = false) {
        std::set<std::string> urls;
        for (const TextHit& hit : db.FindText(text, 1000000, caseSensitive)) urls.insert(hit.page.url);
        return urls;
    }
};

std::string Encode(const std::string& sjis, const char* code) {
    std::string out;
    EXPECT_TRUE(ConvertEncoding(sjis, "CP932", code, out));
    return out;
}

TEST(HistoryDbMigration, AVersionOneFileGetsSitesAndAnIndexOfItsPages) {
    TempFolder folder;
    std::string path = folder.File("history.db");
    {
        SqliteDb old;
        ASSERT_EQ(old.Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), SQLITE_OK);
        // The file holds UTF-8, as the program wrote it.
        std::string sql = ToUtf8(
            "CREATE TABLE pages(id INTEGER PRIMARY KEY, url TEXT NOT NULL UNIQUE,"
            " title TEXT NOT NULL DEFAULT '', first_visit INTEGER NOT NULL,"
            " last_visit INTEGER NOT NULL, visit_count INTEGER NOT NULL DEFAULT 1);"
            "CREATE INDEX pages_last_visit ON pages(last_visit);"
            "INSERT INTO pages VALUES(1, 'http://WWW.Example.com/a', '古いページ', 10, 20, 3);"
            "INSERT INTO pages VALUES(2, 'file:///tmp/b.html', 'local', 5, 30, 1);"
            "PRAGMA user_version = 1;");
        ASSERT_EQ(old.Exec(sql.c_str()), SQLITE_OK);
    }
    HistoryDb db;
    db.SetCodec(MakePageTextCodec());
    ASSERT_EQ(db.Open(path, HistoryDb::Mode::Write), HistoryDb::OpenResult::Ok);
    EXPECT_EQ(db.Connection().QueryInt("PRAGMA user_version"), HistoryDb::kSchemaVersion);
    auto page = db.Page("http://WWW.Example.com/a");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->title, "古いページ");
    EXPECT_EQ(page->visitCount, 3);
    auto sites = db.Sites(0, 100);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[1].site, "www.example.com");
    auto hits = db.FindText("古い", 10, false);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].places, 1);
    // Newer visits come first in the index, as in pages made after the move.
    ASSERT_EQ(db.FindText("/", 10, false).size(), 2u);
    EXPECT_EQ(db.FindText("/", 10, false)[0].page.url, "file:///tmp/b.html");
    // The migrated file goes on as a new one does.
    ASSERT_TRUE(db.StorePage("http://WWW.Example.com/a", "<p>新しい本文</p>", 40));
    EXPECT_EQ(db.FindText("本文", 10, false).size(), 1u);
    EXPECT_TRUE(db.Verify());
}

TEST(HistoryDbMigration, AFileOfALaterVersionIsLeftAlone) {
    TempFolder folder;
    std::string path = folder.File("history.db");
    {
        SqliteDb later;
        ASSERT_EQ(later.Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), SQLITE_OK);
        ASSERT_EQ(later.Exec("CREATE TABLE future(x); PRAGMA user_version = 99;"), SQLITE_OK);
    }
    std::string before = fern::testing::ReadBytes(path);
    HistoryDb db;
    EXPECT_EQ(db.Open(path, HistoryDb::Mode::Write), HistoryDb::OpenResult::TooNew);
    EXPECT_TRUE(fern::testing::ReadBytes(path) == before);
}

TEST_F(DbFixture, KeptBytesStayWithinTheirLimitsOldestFirst) {
    HistoryLimits limits;
    limits.pageBytes = 100;
    limits.totalBytes = 250;
    db.SetLimits(limits);
    std::string big = "<p>" + std::string(200, 'x') + "末尾</p>";
    Visit("http://a.example/", 1, "", "<p>一番目 alpha</p>" + std::string(80, ' '));
    Visit("http://b.example/", 2, "", "<p>二番目 beta</p>" + std::string(80, ' '));
    Visit("http://c.example/", 3, "", big);
    auto c = db.Cached("http://c.example/");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->bytes.size(), 100u);
    EXPECT_EQ(c->fullSize, static_cast<std::int64_t>(big.size()));
    EXPECT_LE(db.CachedBytes(), 250u);
    // Three pages of 100 bytes do not fit: the oldest kept page went, with
    // its text in the index; the page itself stays in the history.
    EXPECT_FALSE(db.HasCached("http://a.example/"));
    EXPECT_TRUE(db.HasCached("http://b.example/"));
    EXPECT_TRUE(Found("alpha").empty());
    EXPECT_EQ(Found("beta"), std::set<std::string>{"http://b.example/"});
    EXPECT_TRUE(Found("末尾").empty());
    EXPECT_TRUE(db.Page("http://a.example/"));
}

TEST_F(DbFixture, TitlesAreCutAndAddressesTooLongAreNotKept) {
    std::string title;
    while (title.size() < 100000) title += "長いタイトル";
    Visit("http://a.example/", 1, title);
    EXPECT_EQ(db.Page("http://a.example/")->title.size(), db.Limits().titleBytes);
    std::string url = "http://b.example/" + std::string(70000, 'q');
    ASSERT_TRUE(db.RecordVisit(url, 2));
    EXPECT_FALSE(db.Page(url));
}

TEST_F(DbFixture, PagesOfAnyCodeAreFoundByTheirText) {
    Visit("http://sjis.example/", 1, "", "<html><body>日本語のページです</body></html>");
    Visit("http://euc.example/", 2, "", Encode("<html><body>日本語のえーゆーしー</body></html>", "EUC-JP"));
    Visit("http://utf8.example/", 3, "", Encode("<html><body>日本語のユーティーエフ</body></html>", "UTF-8"));
    Visit("http://binary.example/", 4, "", std::string("\0\x01\x02日本\xff", 9));
    EXPECT_EQ(Found("日本語の"),
              (std::set<std::string>{"http://sjis.example/", "http://euc.example/", "http://utf8.example/"}));
    EXPECT_EQ(Found("ユーティー"), std::set<std::string>{"http://utf8.example/"});
    auto hits = db.FindText("えーゆー", 5, false);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].match, "えーゆー");
    EXPECT_EQ(hits[0].before, "日本語の");
    EXPECT_EQ(hits[0].after, "しー");
}

// The index against a plain scan of the same texts: every query of one, two
// and five characters, with and without case, finds exactly the same pages.
TEST_F(DbFixture, FindsExactlyWhatAPlainScanFinds) {
    const char* pieces[] = {"あ", "い", "日", "本", "語",  "ア", "ソ", "ｱ",
                            "a",  "B",  " ",  "\n", "<p>", "\\", "。"};
    std::mt19937 random(3);
    auto randomText = [&](int length) {
        std::string text;
        for (int i = 0; i < length; ++i) text += pieces[random() % 15];
        return text;
    };
    struct Page {
        std::string url, title, text;
    };
    std::vector<Page> pages;
    const char* codes[] = {nullptr, "EUC-JP", "UTF-8"};
    for (int i = 0; i < 150; ++i) {
        Page page{"http://site" + std::to_string(i % 7) + ".example/" + randomText(3), randomText(6),
                  "<html>" + randomText(40 + static_cast<int>(random() % 200)) + "</html>"};
        const char* code = codes[i % 3];
        // Visits to the same address replace its text.
        Visit(page.url, i, page.title, code ? Encode(page.text, code) : page.text);
        pages.push_back(page);
    }
    std::map<std::string, Page> latest;
    for (const Page& page : pages) latest[page.url] = page;
    for (auto& [url, page] : latest) page.title = db.Page(url)->title;  // as stored
    auto scan = [&](const std::string& query, bool caseSensitive) {
        SjisSearcher searcher(query, caseSensitive);
        std::set<std::string> urls;
        for (const auto& [url, page] : latest)
            if (searcher.FoundIn(page.title) || searcher.FoundIn(url) || searcher.FoundIn(page.text))
                urls.insert(url);
        return urls;
    };
    int nonEmpty = 0;
    for (int round = 0; round < 90; ++round) {
        int length = round % 3 == 0 ? 1 : round % 3 == 1 ? 2 : 5;
        std::string query = randomText(length);
        if (round % 2 == 0) {
            // A piece of a page, so most queries have hits.
            const Page& page = pages[random() % pages.size()];
            query.clear();
            std::string text = page.text.substr(6);
            int skip = static_cast<int>(random() % 20);
            int taken = 0;
            for (std::size_t i = 0; i < text.size() && taken < skip + length;) {
                std::size_t width = (static_cast<unsigned char>(text[i]) >= 0x81 &&
                                     static_cast<unsigned char>(text[i]) <= 0x9F)
                                        ? 2
                                        : 1;
                if (taken >= skip) query += text.substr(i, width);
                i += width;
                ++taken;
            }
        }
        for (bool caseSensitive : {false, true}) {
            std::set<std::string> expected = scan(query, caseSensitive);
            nonEmpty += !expected.empty();
            ASSERT_EQ(Found(query, caseSensitive), expected) << "query \"" << query << "\"";
        }
    }
    EXPECT_GT(nonEmpty, 75);
}

TEST_F(DbFixture, DeletingTakesTextAndBytesWithIt) {
    Visit("http://a.example/1", 100, "消える", "<p>秘密の言葉</p>");
    Visit("http://b.example/1", 200, "残る", "<p>普通の言葉</p>");
    HistoryScope scope;
    scope.site = "a.example";
    ASSERT_TRUE(db.Begin());
    ASSERT_TRUE(db.Delete(scope));
    ASSERT_TRUE(db.Commit());
    db.CompactAfterDelete();
    EXPECT_TRUE(Found("秘密").empty());
    EXPECT_TRUE(Found("消える").empty());
    EXPECT_EQ(Found("言葉"), std::set<std::string>{"http://b.example/1"});
    EXPECT_FALSE(db.Page("http://a.example/1"));
    EXPECT_EQ(db.Connection().QueryInt("SELECT COUNT(*) FROM cache"), 1);
    // No piece of the deleted page is left anywhere in the files.
    std::string files = fern::testing::ReadBytes(path) + fern::testing::ReadBytes(path + "-wal");
    EXPECT_EQ(files.find(ToUtf8("消える")), std::string::npos);
    EXPECT_EQ(files.find("秘密"), std::string::npos);
    EXPECT_TRUE(db.Verify());

    ASSERT_TRUE(db.DeleteAll());
    db.CompactAfterDelete();
    EXPECT_TRUE(Found("言葉").empty());
    EXPECT_EQ(db.PageCount(), 0);
    EXPECT_TRUE(db.Verify());
}

TEST(TextSnippet, TakesMarkupOutAroundTheHit) {
    std::string page =
        "<html><head><title>t</title></head><body><p>前の文章です。</p>\n\n<b>検索語</b>の後ろ<a "
        "href=\"x\">リンク</a></body>";
    std::size_t at = page.find("検索語");
    TextSnippet snippet = MakeSnippet(page, at, std::string("検索語").size(), 10);
    EXPECT_EQ(snippet.before, "文章です。");
    EXPECT_EQ(snippet.match, "検索語");
    EXPECT_EQ(snippet.after, "の後ろ リ");
    EXPECT_EQ(PlainTextOf("ef=\"x\">text <b>bold</b> and <i"), "text bold and");
}

}  // namespace
