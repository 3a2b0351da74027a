#include "history/HistorySearch.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "history/HistoryTree.h"
#include "history/LocalZone.h"
#include "history/PageTextCodec.h"
#include "lists/EncodingDetect.h"
#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"

using namespace fern;
using fern::testing::LocalZone;

namespace {

struct MapCache : IPageCache {
    std::map<std::string, std::string> pages;
    std::vector<std::string> asked;
    std::optional<CachedPage> Lookup(const std::string& url) override {
        asked.push_back(url);
        auto it = pages.find(url);
        if (it == pages.end()) return std::nullopt;
        // The code as the store detects it when it keeps a page.
        return CachedPage{MakePageTextCodec().detect(it->second), it->second,
                          static_cast<std::int64_t>(it->second.size())};
    }
};

std::string Encode(const std::string& sjis, const char* code) {
    std::string out;
    EXPECT_TRUE(ConvertEncoding(sjis, "CP932", code, out));
    return out;
}

HistoryRecord Record(const std::string& title, const std::string& url) {
    HistoryRecord r;
    r.title = title;
    r.url = url;
    r.dateText = "26/12/09 水 12:00:00";
    return r;
}

struct Matched {
    unsigned places;
    int code;
    std::string url;
};

Matched Match(HistoryRecord record, MapCache& cache, const std::string& text, int charCode = -1,
              bool caseSensitive = false) {
    SjisSearcher searcher(text, caseSensitive);
    EncodingConversionContext context;
    MatchHistoryEntry(record, std::nullopt, searcher, HistoryMatchOptions{caseSensitive, charCode}, cache,
                      context);
    return {record.places, record.code, record.url};
}

TEST(HistoryMatch, PageTextsInEveryCode) {
    const std::string page = "<html><body>全文検索のための日本語のページです。</body></html>";
    struct Case {
        const char* iconvName;
        int code;
    } cases[] = {
        {"CP932", kEncodingSjis},         {"ISO-2022-JP", kEncodingJis}, {"EUC-JP", kEncodingEuc},
        {"UTF-16LE", kEncodingUnicode},   {"UTF-8", kEncodingUtf8},      {"UTF-7", kEncodingUtf7},
        {"UTF-16BE", kEncodingUnicodeBe},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.iconvName);
        std::string bytes = Encode(page, c.iconvName);
        // The two UTF-16 forms are told by their byte-order mark.
        if (c.code == kEncodingUnicode) bytes = "\xFF\xFE" + bytes;
        if (c.code == kEncodingUnicodeBe) bytes = "\xFE\xFF" + bytes;
        MapCache cache;
        cache.pages["http://a.example/p.html"] = bytes;
        HistoryRecord record = Record("題名", "http://a.example/p.html");
        Matched forced = Match(record, cache, "日本語", c.code);
        EXPECT_EQ(forced.places, kPlaceCache);
        EXPECT_EQ(forced.code, c.code);
        Matched automatic = Match(record, cache, "日本語", -1);
        EXPECT_EQ(automatic.places, kPlaceCache);
        EXPECT_EQ(automatic.code, c.code);
    }
}

TEST(HistoryMatch, TheRulesOfOnePage) {
    MapCache cache;
    cache.pages["http://a.example/p.html"] = "<p>Hello World 本文</p>";
    cache.pages["http://a.example/dir/"] = "<p>in the folder page</p>";
    cache.pages["http://a.example/frag.html"] = "<p>fragment page</p>";
    cache.pages["http://a.example/one"] = "z";
    struct Case {
        const char* title;
        const char* url;
        const char* text;
        bool caseSensitive;
        unsigned places;
        const char* urlAfter;
        int code;
    } cases[] = {
        {"Title World", "http://a.example/p.html", "world", false, kPlaceTitle | kPlaceCache,
         "http://a.example/p.html", 0},
        {"Title World", "http://a.example/p.html", "world", true, 0, "http://a.example/p.html", 0},
        {"Title World", "http://a.example/p.html", "World", true, kPlaceTitle | kPlaceCache,
         "http://a.example/p.html", 0},
        {"t", "http://a.example/p.html", "EXAMPLE", false, kPlaceUrl, "http://a.example/p.html", 0},
        // Kept only under the form with "/": found there, and the row takes that form.
        {"t", "http://a.example/dir", "folder", false, kPlaceCache, "http://a.example/dir/", 0},
        // The fragment is not part of the kept page's address.
        {"t", "http://a.example/frag.html#part", "fragment", false, kPlaceCache,
         "http://a.example/frag.html#part", 0},
        // Local files have no kept text, and no code is read.
        {"t", "FILE:///a.example/p.html", "本文", false, 0, "FILE:///a.example/p.html", -1},
        // One byte is no text to read.
        {"t", "http://a.example/one", "z", false, 0, "http://a.example/one", -1},
        {"t", "http://a.example/none", "本文", false, 0, "http://a.example/none", -1},
    };
    for (const Case& c : cases) {
        Matched m = Match(Record(c.title, c.url), cache, c.text, -1, c.caseSensitive);
        EXPECT_EQ(m.places, c.places) << c.url << " " << c.text;
        EXPECT_EQ(m.url, c.urlAfter) << c.url;
        EXPECT_EQ(m.code, c.code) << c.url;
    }
}

TEST(HistoryMatch, OwnBytesAreUsedWithoutAskingTheCache) {
    MapCache cache;
    HistoryRecord record = Record("t", "http://a.example/p");
    SjisSearcher searcher("本文", false);
    EncodingConversionContext context;
    ASSERT_TRUE(MatchHistoryEntry(record, KeptPage{"<p>本文</p>", 0}, searcher, {}, cache, context));
    EXPECT_TRUE(cache.asked.empty());
    // The code found when the page was kept is used as it is.
    std::string utf8 = ToUtf8("<p>本文</p>");
    ASSERT_TRUE(MatchHistoryEntry(record, KeptPage{utf8, kEncodingUtf8}, searcher, {}, cache, context));
    EXPECT_EQ(record.code, kEncodingUtf8);
    EXPECT_FALSE(MatchHistoryEntry(record, KeptPage{utf8, kEncodingSjis}, searcher, {}, cache, context));
}

TEST(HistoryInfoTip, NamesTheCodeAndThePlaces) {
    HistoryRecord r = Record("題名", "http://a.example/p.html");
    EXPECT_EQ(HistoryInfoTip(r), "題名\nhttp://a.example/p.html\n更新日時 26/12/09 水 12:00:00");
    r.code = kEncodingUtf8;
    r.places = kPlaceTitle | kPlaceCache;
    EXPECT_EQ(
        HistoryInfoTip(r),
        "題名\nhttp://a.example/p.html\n更新日時 26/12/09 水 12:00:00 文字コード UTF8\n場所 Title Cache");
    r.url = "http://a.example/" + std::string(200, 'x') + "/last.html";
    EXPECT_LT(HistoryInfoTip(r).size(), 200u);
}

TEST(HistorySearchList, SortsAndFindsTheNextRow) {
    CHistorySearchList list;
    list.SetSort(0x2);  // by date, descending
    for (const char* date : {"26/12/08", "26/12/10", "26/12/09"}) {
        HistoryRecord r = Record(std::string("t") + date, "http://a/");
        r.dateText = date;
        list.Add(r);
    }
    ASSERT_EQ(list.Rows().size(), 3u);
    EXPECT_EQ(list.Rows()[0].dateText, "26/12/10");
    EXPECT_EQ(list.Rows()[2].dateText, "26/12/08");
    list.SetSort(0x10000);  // by title, ascending
    EXPECT_EQ(list.Rows()[0].title, "t26/12/08");
    EXPECT_EQ(list.SortValue(), 0x10000);
    // From the last row, a hit only in the first row goes round to it.
    EXPECT_EQ(list.FindNext("12/08", false, 2), 0);
    EXPECT_EQ(list.FindNext("T26", false, 0), 1);
    EXPECT_EQ(list.FindNext("T26", true, 0), -1);
    EXPECT_EQ(list.FindNext("26/12/09", false, -1), 1);
    EXPECT_EQ(list.FindNext("12/1", false, 2), 2);
}

TEST(HistoryListHtml, SevenLinesAndTheRowsEscaped) {
    std::vector<HistoryRecord> rows = {Record("<script>alert(1)</script>", "http://a/?x=1&y=\"2\""),
                                       Record("普通の題名", "http://b/")};
    std::string html = HistoryListHtml(rows, "26/12/09 水 12:00:00");
    EXPECT_EQ(html,
              "<HTML>\r\n<H1> 履歴 26/12/09 水 12:00:00 </H1>\r\n<H2>URL</H2>\r\n<UL>\r\n"
              "<LI><A HREF=\"http://a/?x=1&amp;y=&quot;2&quot;\">&lt;script&gt;alert(1)&lt;/script&gt;</A>"
              " 更新日時 26/12/09 水 12:00:00\r\n"
              "<LI><A HREF=\"http://b/\">普通の題名</A> 更新日時 26/12/09 水 12:00:00\r\n"
              "</UL>\r\n</HTML>\r\n");
    fern::testing::TempFolder folder;
    std::string error;
    EXPECT_TRUE(SaveHistoryListHtml(folder.File("list.html"), rows, "now", &error));
    EXPECT_FALSE(SaveHistoryListHtml(folder.File("missing/list.html"), rows, "now", &error));
    EXPECT_FALSE(error.empty());
}

TEST(HistoryListScope, TodayIsTheLocalCalendarDay) {
    LocalZone zone("Asia/Tokyo");
    HistoryTime now = LocalZone::At(2026, 12, 9, 12, 0);
    HistoryScope today = HistoryListScope(true, false, "http://", now);
    EXPECT_EQ(today.from, LocalZone::At(2026, 12, 9, 0, 0));
    EXPECT_GT(today.from, LocalZone::At(2026, 12, 8, 23, 59));
    EXPECT_EQ(today.urlPrefix, "");
    HistoryScope all = HistoryListScope(false, true, std::string(99, 'a') + "日本", now);
    EXPECT_EQ(all.from, INT64_MIN);
    EXPECT_EQ(all.urlPrefix, std::string(99, 'a'));
}

TEST(HistoryOpen, SlashFormViewSourceAndFlags) {
    MapCache cache;
    cache.pages["http://a/dir/"] = "x";
    cache.pages["http://a/both"] = "x";
    cache.pages["http://a/both/"] = "x";
    EXPECT_EQ(HistoryUrlToOpen("http://a/dir", false, cache), "http://a/dir/");
    EXPECT_EQ(HistoryUrlToOpen("http://a/both", false, cache), "http://a/both");
    EXPECT_EQ(HistoryUrlToOpen("http://a/none", true, cache), "view-source:http://a/none");
    EXPECT_EQ(HistoryOpenFlags(true, 0x3E), 3);
    EXPECT_EQ(HistoryOpenFlags(false, 0x3C), 0);
}

}  // namespace

namespace {

// The places found on the file's UTF-8 are those the program's text gives.
TEST(HistoryMatch, PlacesOnTheStoredTextAreThoseOfTheProgramsText) {
    const char* pieces[] = {"ア", "ソ", "a", "A", "/", "\\", "日本", " ", "x", "ｱ", "ヂ"};
    std::mt19937 random(5);
    auto text = [&](int n) {
        std::string t;
        for (int i = 0; i < n; ++i) t += pieces[random() % 11];
        return t;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string title = round % 4 == 0 ? std::string() : text(4), url = "http://" + text(6);
        std::string needle = text(1 + static_cast<int>(random() % 2));
        bool caseSensitive = round % 2;
        SjisSearcher sjis(needle, caseSensitive);
        unsigned expected = (sjis.FoundIn(HistoryTitleOf(title, url)) ? kPlaceTitle : 0u) |
                            (sjis.FoundIn(url) ? kPlaceUrl : 0u);
        Utf8Searcher utf8(ToUtf8(needle), caseSensitive);
        ASSERT_EQ(StoredNamePlaces(ToUtf8(title), ToUtf8(url), utf8), expected)
            << "title " << title << " url " << url << " needle " << needle;
    }
}

}  // namespace
