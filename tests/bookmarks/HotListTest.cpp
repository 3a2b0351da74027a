#include "bookmarks/exchange/HotList.h"

#include <gtest/gtest.h>

#include "bookmarks/BookmarkTestTree.h"
#include "platform/text/Encoding.h"

namespace fern {
namespace {

using testing::Child;
using testing::CountType;
using testing::MakeTestTree;
using testing::Outline;

std::string Opera(const std::string& name) {
    return std::string(FERN_TESTDATA_DIR) + "/bookmarks/opera/" + name;
}

std::string ParseOutline(const std::string& text) {
    BookmarkTree tree = MakeTestTree();
    ParseHotList(text, tree, tree.Root());
    return Outline(tree.Root());
}

TEST(HotListImport, RealHotLists) {
    struct Case {
        const char* file;
        std::size_t urls, folders;
    } cases[] = {
        {"opera9_ja_crlf_opera6.adr", 19, 6},  {"opera1150_crlf.adr", 19, 2},
        {"opera1150_lf.adr", 19, 2},           {"opera_spaces_indent_rt75463.adr", 1, 0},
        {"opera_user_pl.adr", 152, 40},        {"opera_user_cn.adr", 356, 30},
    };
    for (const Case& c : cases) {
        std::uint32_t now = 10;
        BookmarkTree tree = MakeTestTree(&now);
        now = 20;
        ExchangeStatus status = ImportHotList(Opera(c.file), tree, nullptr);
        ASSERT_TRUE(status.ok) << c.file;
        EXPECT_EQ(tree.Root().FirstChild()->created, 20u);  // the time of the import
        EXPECT_EQ(CountType(tree.Root(), kItemUrl), c.urls) << c.file;
        EXPECT_EQ(CountType(tree.Root(), kItemFolder), c.folders) << c.file;
        EXPECT_EQ(CountType(tree.Root(), kItemSeparator), 0u) << c.file;
    }

    // Japanese names through the UTF-8 header, nesting closed by "-".
    BookmarkTree ja = MakeTestTree();
    ASSERT_TRUE(ImportHotList(Opera("opera9_ja_crlf_opera6.adr"), ja, nullptr).ok);
    BookmarkNode* japanese = Child(ja.Root(), "4-日本語");
    ASSERT_NE(japanese, nullptr);
    ASSERT_NE(japanese->FirstChild(), nullptr);
    EXPECT_EQ(japanese->FirstChild()->name, "メインページ - Wikipedia");
    BookmarkNode* quick = Child(ja.Root(), "2-Quick Searches");
    ASSERT_NE(quick, nullptr);
    EXPECT_NE(Child(*quick, "2.1-misc"), nullptr);
    EXPECT_EQ(quick->FirstChild()->url, "http://www.google.com/search?q=%s");

    // Fields indented with blanks instead of a TAB.
    BookmarkTree spaces = MakeTestTree();
    ASSERT_TRUE(ImportHotList(Opera("opera_spaces_indent_rt75463.adr"), spaces, nullptr).ok);
    EXPECT_EQ(Outline(spaces.Root()),
              "U Python <http://www.edgewall.org/python-sidebar/html/toc-tutorial.html>\n");

    EXPECT_FALSE(ImportHotList(Opera("none.adr"), spaces, nullptr).ok);
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
