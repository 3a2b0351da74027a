#include "bookmarks/exchange/Netscape.h"

#include <gtest/gtest.h>

#include "TestData.h"
#include "bookmarks/BookmarkTestTree.h"
#include "lists/ListTestText.h"
#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"

namespace fern {
namespace {

using testing::CountType;
using testing::MakeTestTree;
using testing::Outline;
using testing::TempFolder;
using testing::WriteBytes;

std::string NetscapeFixture(const std::string& name) {
    return testing::Fixture("bookmarks/netscape/" + name);
}

std::string NetscapeCorpus(const std::string& name) { return testing::Corpus("bookmarks/netscape/" + name); }

// The outline of a whole file imported into a fresh tree.
std::string ImportOutline(const std::string& path) {
    BookmarkTree tree = MakeTestTree();
    ExchangeStatus status = ImportNetscape(path, tree, nullptr);
    EXPECT_TRUE(status.ok) << path << ": " << status.error;
    return Outline(tree.Root());
}

// Parses `html` into a fresh tree's root and returns its outline.
std::string ParseOutline(const std::string& html) {
    BookmarkTree tree = MakeTestTree();
    ParseNetscapeBookmarks(html, tree, tree.Root());
    return Outline(tree.Root());
}

// Our own small files, each with the quirks of one writer (see
// tests/data/make_fixtures.py).
TEST(NetscapeImport, FilesWithTheQuirksOfOtherBrowsers) {
    // UTF-8 marked only by its byte-order mark, CR LF; names after " >".
    EXPECT_EQ(ImportOutline(NetscapeFixture("ie_utf8bom_crlf.htm")),
              "D Microsoft の Web サイト\n"
              "  U Internet Explorer 7 ツアー.URL <http://go.microsoft.com/fwlink/?LinkId=68919>\n"
              "  U Internet Explorer 7 ホーム.url <http://go.microsoft.com/fwlink/?LinkId=72186>\n"
              "D ゴルフ & 旅行\n"
              "  U ゴルフ場の予約.url <http://golf.example.jp/yoyaku?a=1&b=2>\n"
              "U トップ <http://www.example.jp/>\n");
    // UTF-8 from the charset line on, CR LF, descriptions skipped, a rule.
    EXPECT_EQ(ImportOutline(NetscapeFixture("firefox_ja_crlf.html")),
              "D ツールバー\n"
              "  U はじめに <http://www.mozilla.com/firefox/central/>\n"
              "  U 最新ニュース <http://fxfeeds.mozilla.com/>\n"
              "-\n"
              "D 日本語\n"
              "  U メインページ - Wikipedia <http://ja.wikipedia.org/wiki/>\n"
              "  U 検索 & 辞書 <http://www.google.co.jp/search?q=%s&hl=ja>\n");
    // A rule and a bookmark on one line: both are kept.
    EXPECT_EQ(
        ImportOutline(NetscapeFixture("rule_and_entry_on_one_line.html")),
        "U Recent Tags <place:type=6&sort=14&maxResults=10>\n"
        "-\n"
        "U Timeline of the Elves in Tolkien’s works | Blog <http://blog.example.org/2013/02/08/timeline/>\n"
        "D Tolkien & co\n"
        "  U A <http://a.example.org/>\n");
    // Valueless attributes, others between HREF and ADD_DATE, x-mac-roman
    // bytes kept as they are ("ä" 0x8A, "é" 0x8E), blank lines.
    EXPECT_EQ(ImportOutline(NetscapeFixture("mac_favorites_xmacroman.html")),
              "D Radio\n"
              "  U Morning Edition <http://radio.example.org/show?id=ME>\n"
              "  U This Life <http://www.thislife.example/>\n"
              "D Services\n"
              "  U Bank Online <https://bank.example.com/signin/start.jsp>\n"
              "  U M\x8Archen <http://maerchen.example/>\n"
              "  U Caf\x8E <http://cafe.example/>\n");
    // A line of 46,531 bytes is read whole, and the next line is a line.
    EXPECT_EQ(ImportOutline(NetscapeFixture("long_line_icon.html")),
              "D Bookmarks Toolbar\n"
              "  D Level 2\n"
              "    D Level 3\n"
              "      U Big icon <https://icons.example.org/>\n"
              "      U After the long line <https://after.example.org/>\n");
    // Two documents in one file: both lists go to the target; the rule
    // between them is outside any list.
    EXPECT_EQ(ImportOutline(NetscapeFixture("netscape4_concat_crlf.htm")),
              "D News & Weather\n"
              "  U Market & Sell <http://news.example.com/>\n"
              "  -\n"
              "  U  <http://empty.example.com/>\n"
              "U Second file <http://second.example.com/>\n");
    // Not a Netscape file: nothing.
    EXPECT_EQ(ImportOutline(testing::Fixture("bookmarks/other/pocket_like.html")), "");
}

TEST(NetscapeImport, RealFilesOfOtherBrowsers) {
    FERN_NEEDS_CORPUS();
    struct Case {
        const char* file;
        std::size_t urls, folders, separators;
        const char* shows;  // a piece of the outline: names in the right encoding and place
    } cases[] = {
        // UTF-8 marked only by its byte-order mark; names after " >".
        {"ie8_ja_utf8bom_crlf.htm", 759, 12, 0,
         "D Microsoft の Web サイト\n  U Internet Explorer 7 ツアー.URL "
         "<http://go.microsoft.com/fwlink/?LinkId=68919>\n"
         "  U Internet Explorer 7 ホーム.url <"},
        // UTF-8 from the charset line on.
        {"firefox15_ja_crlf.html", 19, 5, 1, "D 4-日本語\n  U メインページ - Wikipedia <"},
        {"netscape47.html", 110, 13, 4,
         "U Market & Sell <http://home.netscape.com/bookmark/4_76/nbmarket.html>"},
        {"mozilla_suite.html", 219, 33, 0, ""},
        {"chrome_cyrillic.html", 8, 5, 0, "D Bookmarks bar\n  U Лучшие публикации за сутки / Хабр <"},
        // A rule and a bookmark on one line: both are kept.
        {"firefox_nested.htm", 24, 6, 1,
         "U Recent tags <place:type=6&sort=14&maxResults=10>\n-\nU Timeline of the Elves in Tolkien’s works "
         "| "
         "LotrProject Blog "
         "<http://lotrproject.com/blog/2013/02/08/timeline-of-the-elves-in-tolkiens-works/>\n"},
        {"ie11_nested_utf8bom.htm", 27, 9, 0, ""},
        {"firefox_longlines_icons.html", 9, 6, 0, ""},
        {"macie40_favorites_xmacroman.html", 149, 32, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        BookmarkTree tree = MakeTestTree();
        ExchangeStatus status = ImportNetscape(NetscapeCorpus(c.file), tree, nullptr);
        ASSERT_TRUE(status.ok) << status.error;
        EXPECT_EQ(CountType(tree.Root(), kItemUrl), c.urls);
        EXPECT_EQ(CountType(tree.Root(), kItemFolder), c.folders);
        EXPECT_EQ(CountType(tree.Root(), kItemSeparator), c.separators);
        EXPECT_EQ(status.imported, c.urls + c.folders + c.separators);
        EXPECT_TRUE(tree.Modified());
        EXPECT_NE(Outline(tree.Root()).find(c.shows), std::string::npos);
    }
}

// A quoted HREF ends at its closing quote, whatever attributes follow it
// (old Mac exports put SUBSCRIBE, LAST_MODIFIED, OBJECT_TYPE... before ADD_DATE).
TEST(NetscapeImport, HrefEndsAtItsClosingQuote) {
    EXPECT_EQ(
        ParseOutline(
            "<DL><p>\n"
            "<DT><A HREF=\"http://x/\" SUBSCRIBE LAST_MODIFIED=\"965661969\" ADD_DATE=\"988852077\">x</A>\n"
            "<DT><A HREF=\"http://y/\" OBJECT_TYPE=\"LINK\" ADD_DATE=\"1\" LAST_VISIT=\"2\">y</A>\n"
            "<DT><A HREF=\"http://z/\" ICON=\"data:,\" ALIASOF=\"3\">z</A>\n"
            "</DL>\n"),
        "U x <http://x/>\n"
        "U y <http://y/>\n"
        "U z <http://z/>\n");
}

// The same in the Mac Internet Explorer 4.0 file: no url keeps a quote or a
// blank, that is, an attribute glued to it.
TEST(NetscapeImport, HrefEndsAtItsClosingQuoteInARealMacFile) {
    FERN_NEEDS_CORPUS();
    BookmarkTree tree = MakeTestTree();
    ASSERT_TRUE(ImportNetscape(NetscapeCorpus("macie40_favorites_xmacroman.html"), tree, nullptr).ok);
    std::size_t urls = 0;
    for (const BookmarkNode* n = NextInTree(&tree.Root(), &tree.Root()); n; n = NextInTree(n, &tree.Root())) {
        if (n->type != kItemUrl) continue;
        ++urls;
        EXPECT_EQ(n->url.find_first_of("\" "), std::string::npos) << n->name << " <" << n->url << ">";
    }
    EXPECT_EQ(urls, 149u);
    EXPECT_NE(Outline(tree.Root()).find("U This American Life <http://www.thislife.org/>\n"),
              std::string::npos);
}

TEST(NetscapeImport, LineRules) {
    // A url ends at its closing quote (a value with none runs to the line
    // end); names undo "&amp;" only.
    EXPECT_EQ(ParseOutline("<DL><p>\n"
                           "<DT><A HREF=\"http://a/\" ALIASID=\"1\" ADD_DATE=\"2\">A &amp; B</A>\n"
                           "<DT><A HREF=\"http://b/?x=%s\" ADD_DATE=\"1\">100% &lt;b&gt;</A>\n"
                           "<DT><A HREF=\"http://c/\" LAST_VISIT=\"0\">C</A>\n"
                           "<DT><A HREF=\"http://d/\" >D</A>\n"
                           "<DT><A HREF=\"http://e/\">  E  </A>\n"
                           "<DT><A HREF=\"u\"q\" ADD_DATE=\"1\">quote in url</A>\n"
                           "<DT><A>no href</A>\n"
                           "<DT><A HREF=\"http://f/\">no end\n"
                           "<DT><A HREF=\"http://g/>no closing quote</A>\n"
                           "</DL>\n"),
              "U A & B <http://a/>\n"
              "U 100% &lt;b&gt; <http://b/?x=%s>\n"
              "U C <http://c/>\n"
              "U D <http://d/>\n"
              "U   E <http://e/>\n"
              "U quote in url <u>\n"
              "U no href <>\n"
              "U  <http://g/>no closing quote</A>>\n");
    // Folders: the name of the last "<H3>" (taken literally until the folder
    // is made, then trimmed and "&amp;" undone); lists before any "<DL>" and
    // lines outside lists are skipped; every top-level list goes to the target.
    EXPECT_EQ(ParseOutline("<DT><A HREF=\"http://outside/\">outside</A>\n"
                           "<DT><H3 FOLDED>Top</H3>\n"
                           "<DL><p>\n"
                           "  <DT><H3 ADD_DATE=\"1\"> R &amp; D </H3>\n"
                           "  <DD>memo lines are skipped\n"
                           "  <DL><p>\n"
                           "    <DT><H3>Inner</H3>\n"
                           "    <DL><p>\n"
                           "      <HR>\n"
                           "    </DL><p>\n"
                           "    <DL><p>\n"
                           "    </DL><p>\n"
                           "  </DL><p>\n"
                           "</DL><p>\n"
                           "<HR>\n"
                           "<DL><p><DT><A HREF=\"http://second/\">ignored on the list line</A>\n"
                           "<DT><A HREF=\"http://second/\">second</A>\n"),
              "D R & D\n  D Inner\n    -\n  D \nU second <http://second/>\n");
}

TEST(NetscapeImport, IntoATargetWithTheDefaultAddStyle) {
    TempFolder folder;
    WriteBytes(folder.File("b.html"), "<DL><p>\n<DT><A HREF=\"http://a/\" ADD_DATE=\"5\">A</A>\n");
    BookmarkOptions options;
    options.defaultAddStyle = 0;
    BookmarkTree tree = MakeTestTree(nullptr, options);
    BookmarkNode* target = tree.AddNode(tree.Root(), "target", "", kItemFolder, 112, 1);
    ASSERT_TRUE(ImportNetscape(folder.File("b.html"), tree, target).ok);
    EXPECT_EQ(Outline(tree.Root()), "D target\n  U A <http://a/>\n");
    EXPECT_EQ(target->FirstChild()->exstyle, 0u);
    // A file that cannot be read imports nothing and says why.
    tree.Save(folder.File("x.fbl"));
    ExchangeStatus missing = ImportNetscape(folder.File("none.html"), tree, nullptr);
    EXPECT_FALSE(missing.ok || missing.error.empty());
    EXPECT_FALSE(tree.Modified());
}

std::unique_ptr<BookmarkNode> SampleRoot() {
    auto root = MakeBookmarkNode(kItemFolder, "ルート", "", 112, 1, 1);
    BookmarkNode* folder = AddBookmarkNode(*root, kItemFolder, "フォルダ&表", "", 112, 1, 7);
    AddBookmarkNode(*folder, kItemUrl, "ソフト", "http://soft/?a=1&b=2", 112, 1, 8);
    AddBookmarkNode(*folder, kItemFolder, "empty", "", 112, 1, 9);
    AddBookmarkNode(*root, kItemSeparator, "", "", 112, 1, 0);
    AddBookmarkNode(*root, kItemUrl, "100%", "http://x/", 112, 1, 4294967295u);
    return root;
}

const char kSampleDocument[] =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file.\nIt will be read and overwritten.\n"
    "DO NOT EDIT! -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=CHARSET\">\n"
    "<TITLE>ルート Bookmark</TITLE>\n"
    "<H1>ルート Bookmark</H1>\n\n"
    "<DL><p>\n"
    "    <DT><H3 ADD_DATE=\"7\">フォルダ&表</H3>\n"
    "    <DL><p>\n"
    "        <DT><A HREF=\"http://soft/?a=1&b=2\" ADD_DATE=\"8\" LAST_VISIT=\"0\" "
    "LAST_MODIFIED=\"0\">ソフト</A>\n"
    "        <DT><H3 ADD_DATE=\"9\">empty</H3>\n"
    "        <DL><p>\n"
    "        </DL><p>\n"
    "    </DL><p>\n"
    "    <HR>\n"
    "    <DT><A HREF=\"http://x/\" ADD_DATE=\"4294967295\" LAST_VISIT=\"0\" "
    "LAST_MODIFIED=\"0\">100%</A>\n"
    "</DL><p>\n";

std::string SampleDocument(const char* charset) {
    std::string text = kSampleDocument;
    text.replace(text.find("CHARSET"), 7, charset);
    return testing::Crlf(text);
}

TEST(NetscapeExport, DocumentBytes) {
    auto root = SampleRoot();
    EXPECT_EQ(SerializeNetscape(*root, false), SampleDocument("Shift_JIS"));
    EXPECT_EQ(SerializeNetscape(*root, true), ToUtf8(SampleDocument("UTF-8")));
    auto empty = MakeBookmarkNode(kItemFolder, "R", "", 112, 1, 1);
    EXPECT_NE(SerializeNetscape(*empty, true).find("<DL><p>\r\n</DL><p>\r\n"), std::string::npos);
}

TEST(NetscapeExport, RoundTripsThroughTheImportInBothEncodings) {
    TempFolder folder;
    auto root = SampleRoot();
    for (bool utf8 : {true, false}) {
        std::string path = folder.File(utf8 ? "bookmarks.html" : "bookmark.htm");
        ASSERT_TRUE(ExportNetscape(path, *root, utf8).ok);
        std::uint32_t now = 1234;
        BookmarkTree tree = MakeTestTree(&now);
        ASSERT_TRUE(ImportNetscape(path, tree, nullptr).ok);
        EXPECT_EQ(Outline(tree.Root()), Outline(*root)) << utf8;
        for (const BookmarkNode* n = &tree.Root(); n; n = NextInTree(n, &tree.Root()))
            EXPECT_EQ(n->created, 1234u);
    }
    ExchangeStatus failed = ExportNetscape(folder.File("none/b.htm"), *root, true);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.empty());

    // A quote in an address would end the attribute on reading: it goes out
    // escaped and comes back as the same address.
    std::uint32_t now = 1;
    BookmarkTree quoted = MakeTestTree(&now);
    quoted.AddNode(quoted.Root(), "mark", "javascript:alert(\"x\")", kItemUrl, 112, 1);
    std::string path = folder.File("quoted.html");
    ASSERT_TRUE(ExportNetscape(path, quoted.Root(), true).ok);
    BookmarkTree back = MakeTestTree(&now);
    ASSERT_TRUE(ImportNetscape(path, back, nullptr).ok);
    ASSERT_NE(back.Root().FirstChild(), nullptr);
    EXPECT_EQ(back.Root().FirstChild()->url, "javascript:alert(%22x%22)");
}

}  // namespace
}  // namespace fern
