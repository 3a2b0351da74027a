#include "websearch/WebSearch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"

using namespace fern;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

namespace {

std::vector<std::string> Titles(const std::vector<SearchEngine>& engines) {
    std::vector<std::string> titles;
    for (const auto& e : engines) titles.push_back(e.title);
    return titles;
}

const char kSearchIni[] =
    "[SearchItem0]\r\nEnable=1\r\nTitle=Google\r\nUrlF=http://www.google.co.jp/search?q=\r\nUrlB=&num=100\r\n"
    "[SearchItem1]\r\nEnable=0\r\nTitle=辞書\r\nUrlF=http://dic.example.jp/"
    "search?ie=Shift_JIS&word=\r\nUrlB=\r\n"
    "[SearchItem2]\r\nTitle=既定で有効\r\nUrlF=http://c.example/?q=\r\n"
    "[SearchItem4]\r\nEnable=1\r\nTitle=after a gap\r\nUrlF=http://d.example/\r\n";

TEST(SearchIni, ReadsTheSectionsInOrderUntilAnEmptyOne) {
    TempFolder folder;
    std::string path = folder.File("search.ini");
    WriteBytes(path, kSearchIni);
    SearchIniContents read = ReadSearchIni(path);
    EXPECT_FALSE(read.unreadable);
    ASSERT_EQ(Titles(read.engines), (std::vector<std::string>{"Google", "辞書", "既定で有効"}));
    EXPECT_TRUE(read.engines[0].enabled);
    EXPECT_FALSE(read.engines[1].enabled);
    EXPECT_TRUE(read.engines[2].enabled);  // Enable is 1 when missing
    EXPECT_EQ(read.engines[0].back, "&num=100");
    // Written back in the same layout: the gap and what followed it are gone.
    EXPECT_EQ(SerializeSearchIni(read.engines),
              std::string(kSearchIni, std::string(kSearchIni).find("[SearchItem2]")) +
                  "[SearchItem2]\r\nEnable=1\r\nTitle=既定で有効\r\nUrlF=http://c.example/?q=\r\nUrlB=\r\n");
}

TEST(SearchIni, DefaultsWhenNothingCanBeRead) {
    TempFolder folder;
    std::string path = folder.File("search.ini");
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"missing", ""},
        {"empty", std::string()},
        {"garbage", std::string("\xFF\xFE\x00\x01garbage\r\n[[[\r\n=\r\n\x81", 22)},
        {"first section empty", "[SearchItem0]\r\nEnable=1\r\n[SearchItem1]\r\nTitle=x\r\n"},
    };
    for (const Case& c : cases) {
        std::remove(path.c_str());
        if (std::string(c.name) != "missing") WriteBytes(path, c.bytes);
        SearchIniContents read = ReadSearchIni(path);
        EXPECT_EQ(Titles(read.engines), (std::vector<std::string>{"goo", "Google", "infoseek", "LYCOS"}))
            << c.name;
        EXPECT_FALSE(read.unreadable) << c.name;
    }
    auto defaults = DefaultSearchEngines();
    EXPECT_EQ(defaults[1].enabled, true);
    EXPECT_EQ(defaults[0].enabled, false);
    for (const auto& e : defaults) EXPECT_EQ(e.front.rfind("http://", 0), 0u) << e.title;
}

TEST(SearchIni, LongValuesAreCutAndLineBreaksNeverWritten) {
    TempFolder folder;
    std::string path = folder.File("search.ini");
    WriteBytes(path, "[SearchItem0]\r\nTitle=" + std::string(5000, 't') + "\r\n");
    EXPECT_EQ(ReadSearchIni(path).engines[0].title.size(), 2083u);
    std::string error;
    ASSERT_TRUE(WriteSearchIni(path, {{true, "two\r\nlines", "http://a/?q=", "\n"}}, &error));
    EXPECT_EQ(ReadBytes(path),
              "[SearchItem0]\r\nEnable=1\r\nTitle=twolines\r\nUrlF=http://a/?q=\r\nUrlB=\r\n");
}

TEST(SearchIni, AnEngineOfStrayLineBreaksIsNoEngineBeforeOrAfterASave) {
    TempFolder folder;
    std::string path = folder.File("search.ini");
    // A lone CR as an engine's only value: once saved it would be empty.
    WriteBytes(path,
               "[SearchItem0]\r\nTitle=a\r\n[SearchItem1]\r\nEnable=0\r\nUrlB=\r\r\n"
               "[SearchItem2]\r\nTitle=c\r\n");
    std::vector<SearchEngine> read = ReadSearchIni(path).engines;
    EXPECT_EQ(Titles(read), std::vector<std::string>{"a"});
    std::string error;
    ASSERT_TRUE(WriteSearchIni(path, read, &error));
    EXPECT_EQ(Titles(ReadSearchIni(path).engines), Titles(read));
}

TEST(SearchIni, AFileThatCannotBeReadIsMarkedSoItIsNotReplaced) {
    TempFolder folder;
    std::string path = folder.File("search.ini");
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    SearchIniContents read = ReadSearchIni(path);
    EXPECT_TRUE(read.unreadable);
    EXPECT_EQ(read.engines.size(), 4u);
}

TEST(SearchEngineList, TheMenuChanges) {
    CSearchEngineList list(DefaultSearchEngines());
    // Moving the third to the top puts it in section 0.
    int at = list.MoveUp(list.MoveUp(2));
    EXPECT_EQ(at, 0);
    EXPECT_EQ(list.MoveUp(0), 0);
    EXPECT_EQ(list.MoveDown(3), 3);
    EXPECT_EQ(SerializeSearchIni(list.Engines()).find("[SearchItem0]\r\nEnable=0\r\nTitle=infoseek\r\n"), 0u);
    list.CheckAll();
    list.UncheckOthers(1);
    EXPECT_EQ(list.Engines()[1].enabled, true);
    EXPECT_EQ(list.Engines()[0].enabled, false);
    list.InvertChecks();
    EXPECT_EQ(list.Engines()[1].enabled, false);
    EXPECT_EQ(list.Engines()[2].enabled, true);
    int added = list.Add("  http://new.example/?q=  \r\nsecond line\r\n");
    EXPECT_EQ(list.Engines()[added].front, "http://new.example/?q=");
    EXPECT_EQ(list.Engines()[added].title, "新しいサーチエンジン");
    EXPECT_EQ(list.Engines()[list.Add("not an address")].front, "http://");
    list.Delete(added);
    EXPECT_EQ(list.Count(), 5);
    list.Delete(99);
    EXPECT_EQ(list.Count(), 5);
}

TEST(SearchUrl, WordsArePercentEncodedInTheEnginesCode) {
    SearchEngine utf8{true, "u", "http://a.example/search?q=", "&num=100"};
    SearchEngine sjis{true, "s", "http://b.example/?ie=Shift_JIS&q=", ""};
    SearchEngine euc{true, "e", "http://c.example/?q=", "&enc=EUC-JP"};
    struct Case {
        const SearchEngine* engine;
        const char* words;
        std::string url;
    } cases[] = {
        {&utf8, "日本語", "http://a.example/search?q=%E6%97%A5%E6%9C%AC%E8%AA%9E&num=100"},
        {&utf8, "a&b=c #d+e/f", "http://a.example/search?q=a%26b%3Dc%20%23d%2Be%2Ff&num=100"},
        {&utf8, "AZaz09-._~", "http://a.example/search?q=AZaz09-._~&num=100"},
        {&sjis, "ソ表", "http://b.example/?ie=Shift_JIS&q=%83%5C%95%5C"},
        {&euc, "日本", "http://c.example/?q=%C6%FC%CB%DC&enc=EUC-JP"},
    };
    for (const Case& c : cases) EXPECT_EQ(SearchUrl(*c.engine, c.words), c.url) << c.words;
    EXPECT_EQ(SearchWordCodeOf({true, "", "http://x/?lie=sjis&q=", ""}), SearchWordCode::Utf8);
}

TEST(SearchUrl, OneEngineOrEveryCheckedOne) {
    auto engines = DefaultSearchEngines();
    EXPECT_EQ(SearchUrls(engines, "w", std::nullopt).size(), 1u);
    EXPECT_EQ(SearchUrls(engines, "w", 3),
              (std::vector<std::string>{"http://www.lycos.co.jp/cgi-bin/pursuit?cat=jp&query=w"}));
    EXPECT_TRUE(SearchUrls(engines, "w", 4).empty());
    EXPECT_TRUE(SearchUrls(engines, "", std::nullopt).empty());
    for (auto& e : engines) e.enabled = false;
    EXPECT_TRUE(SearchUrls(engines, "w", std::nullopt).empty());
}

struct WebSearchFixture : ::testing::Test {
    CSearchEngineList engines{DefaultSearchEngines()};
    SearchStrings words{"typedws", {}, true};
    std::vector<std::string> opened;
    int fernBarStyle = 0x3E;
    CWebSearch search{engines,
                      words,
                      {[this](const std::string& url, int flags, std::uint32_t dlc, int mode) {
                           opened.push_back(url + " " + std::to_string(flags) + " " + std::to_string(dlc) +
                                            " " + std::to_string(mode));
                       },
                       [] { return 0x70u; }, [this] { return fernBarStyle; }}};
};

TEST_F(WebSearchFixture, TheClipboardCommandAndTheWordsDialog) {
    EXPECT_FALSE(search.SearchClipboard(std::nullopt));
    EXPECT_FALSE(search.SearchClipboard(std::string(" \t　\r\n")));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(search.SearchClipboard(std::string("　検索 語 ")));
    EXPECT_EQ(
        opened,
        std::vector<std::string>{
            "http://www.google.co.jp/search?lr=lang_ja&q=%E6%A4%9C%E7%B4%A2%20%E8%AA%9E&num=100 3 112 0"});
    EXPECT_EQ(CWebSearch::DialogWords(std::string(" word ")), "word");

    EXPECT_EQ(search.DialogEngine(), 0);
    opened.clear();
    fernBarStyle = 0;
    search.DialogAccepted("w", 2, true);
    EXPECT_EQ(opened,
              std::vector<std::string>{
                  "http://www.infoseek.co.jp/Titles?qt=w&lk=noframes&svx=10&col=JW&qp=0&nh=10 1 112 0"});
    EXPECT_EQ(words.entries, std::vector<std::string>{"w"});
    EXPECT_EQ(search.DialogEngine(), 2);
    EXPECT_TRUE(search.DialogUsesEngine());
    // The remembered engine's row is gone: the first one is shown.
    engines.Delete(3);
    engines.Delete(2);
    EXPECT_EQ(search.DialogEngine(), 0);
    engines.Delete(1);
    engines.Delete(0);
    EXPECT_EQ(search.DialogEngine(), -1);
}

TEST_F(WebSearchFixture, ThePanelSearchesEveryCheckedEngine) {
    engines.CheckAll();
    search.SearchFromPanel("x");
    search.SearchFromPanel("");
    EXPECT_EQ(opened.size(), 4u);
    EXPECT_EQ(words.entries, std::vector<std::string>{"x"});
}

}  // namespace
