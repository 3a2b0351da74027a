#include "bookmarks/exchange/HotList.h"

#include <gtest/gtest.h>

#include "TestData.h"
#include "bookmarks/BookmarkTestTree.h"
#include "platform/text/Encoding.h"

namespace fern {
namespace {

using testing::CountType;
using testing::MakeTestTree;
using testing::Outline;

std::string OperaFixture(const std::string& name) { return testing::Fixture("bookmarks/opera/" + name); }
std::string OperaCorpus(const std::string& name) { return testing::Corpus("bookmarks/opera/" + name); }

std::string ParseOutline(const std::string& text) {
    BookmarkTree tree = MakeTestTree();
    ParseHotList(text, tree, tree.Root());
    return Outline(tree.Root());
}

TEST(HotListImport, HotListsWithTheQuirksOfOpera) {
    // UTF-8 through the Options line, CR LF or LF, nesting closed by "-",
    // an empty URL field.
    const std::string japanese =
        "D 1-ツールバー\n"
        "  U はじめに <http://www.opera.com/>\n"
        "D 2-検索\n"
        "  U Google 検索 <http://www.google.co.jp/search?q=%s>\n"
        "  D 入れ子\n"
        "    U 空のURL <>\n"
        "U 最後 <http://example.jp/>\n";
    for (const char* file : {"ja_utf8_crlf.adr", "ja_utf8_lf.adr"}) {
        SCOPED_TRACE(file);
        std::uint32_t now = 10;
        BookmarkTree tree = MakeTestTree(&now);
        now = 20;
        ASSERT_TRUE(ImportHotList(OperaFixture(file), tree, nullptr).ok);
        EXPECT_EQ(tree.Root().FirstChild()->created, 20u);  // the time of the import
        EXPECT_EQ(Outline(tree.Root()), japanese);
    }
    // Fields indented with 8 blanks instead of a TAB.
    BookmarkTree spaces = MakeTestTree();
    ASSERT_TRUE(ImportHotList(OperaFixture("spaces_indent.adr"), spaces, nullptr).ok);
    EXPECT_EQ(Outline(spaces.Root()),
              "U Python <http://docs.example.org/python/toc.html>\n"
              "D Tools\n"
              "  U Validator <http://validator.example.org/>\n");
    BookmarkTree tree = MakeTestTree();
    EXPECT_FALSE(ImportHotList(OperaFixture("none.adr"), tree, nullptr).ok);
}

TEST(HotListImport, RealHotLists) {
    FERN_NEEDS_CORPUS();
    struct Case {
        const char* file;
        std::size_t urls, folders;
        const char* shows;  // a piece of the outline
    } cases[] = {
        // Japanese names through the UTF-8 header, nesting closed by "-".
        {"opera9_ja_crlf_opera6.adr", 19, 6, "D 4-日本語\n  U メインページ - Wikipedia <"},
        {"opera9_ja_crlf_opera6.adr", 19, 6,
         "D 2-Quick Searches\n  U Google Quicksearch <http://www.google.com/search?q=%s>\n"},
        {"opera1150_crlf.adr", 19, 2, ""},
        {"opera1150_lf.adr", 19, 2, ""},
        // Fields indented with blanks instead of a TAB.
        {"opera_spaces_indent_rt75463.adr", 1, 0,
         "U Python <http://www.edgewall.org/python-sidebar/html/toc-tutorial.html>\n"},
        {"opera_user_pl.adr", 152, 40, ""},
        {"opera_user_cn.adr", 356, 30, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::uint32_t now = 10;
        BookmarkTree tree = MakeTestTree(&now);
        now = 20;
        ASSERT_TRUE(ImportHotList(OperaCorpus(c.file), tree, nullptr).ok);
        EXPECT_EQ(tree.Root().FirstChild()->created, 20u);  // the time of the import
        EXPECT_EQ(CountType(tree.Root(), kItemUrl), c.urls);
        EXPECT_EQ(CountType(tree.Root(), kItemFolder), c.folders);
        EXPECT_EQ(CountType(tree.Root(), kItemSeparator), 0u);
        EXPECT_NE(Outline(tree.Root()).find(c.shows), std::string::npos);
    }
}

TEST(HotListImport, LineRules) {
    const std::string body =
        "#FOLDER\n\tNAME=F\n\tURL=http://folder-keeps-its-url/\n"
        "#URL\n\tID=1\n  NAME=a=b  \n\tURL=http://a/ \n\tSHORT NAME=x\n\tDESCRIPTION=d\n"
        "#url\n\tname=lower case is no record\n"
        "#FOLDER\n-\n"
        "#URL\n"
        "-\n"
        "#URL\n\tNAME=top\n"
        "-\n"
        "#URL\n\tNAME=after the end\n";
    EXPECT_EQ(ParseOutline("Opera Hotlist version 2.0\n\n" + body),
              "D F\n  U a=b <http://a/>\n  D no name\n  U no name <>\nU top <>\n");
    // The UTF-8 switch: "options", "encoding" and "utf8" in any case, before
    // the first record.
    const std::string name = "日本語";  // Shift-JIS, as every literal
    const std::string utf8 = "#URL\n\tNAME=" + ToUtf8(name) + "\n";
    EXPECT_EQ(ParseOutline("OPTIONS: Encoding = UTF8, version=3\n" + utf8), "U " + name + " <>\n");
    EXPECT_EQ(ParseOutline("options: encoding = utf8\r\n" + utf8), "U " + name + " <>\n");
    EXPECT_EQ(ParseOutline(utf8 + "Options: encoding = utf8\n"), "U " + ToUtf8(name) + " <>\n");
    EXPECT_EQ(ParseOutline("Options: version=3\n" + utf8), "U " + ToUtf8(name) + " <>\n");
    // No record at all: nothing.
    EXPECT_EQ(ParseOutline("Opera Hotlist version 2.0\n\tNAME=x\n"), "");
}

}  // namespace
}  // namespace fern
