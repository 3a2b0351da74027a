// Runs the real fernctl binary: bookmarks import / export.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "TestData.h"
#include "bookmarks/BookmarkTestTree.h"
#include "fernctl/FernctlRunner.h"
#include "lists/BookmarkFile.h"
#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"

using namespace fern::testing;
using fern::test::ExpectRefused;
using fern::test::FernctlRun;

namespace {

// Our own files in tests/data.
std::string Data(const std::string& path) { return fern::testing::Fixture(path); }

// "fernctl bookmarks ACTION KIND 'FROM' 'TO'".
FernctlRun Bookmarks(const std::string& action, const std::string& from, const std::string& to) {
    return fern::test::RunFernctlWords("bookmarks " + action + " '" + from + "' '" + to + "'");
}

// The bookmark root of a file as an outline (names Shift-JIS).
std::string RootOutline(const std::string& fbl) {
    fern::BookmarkReadOptions options;
    options.rootName = "Fern Browser BookMark";
    return Outline(*fern::ReadBookmarkFile(fbl, options).root);
}

}  // namespace

TEST(FernctlBookmarks, ImportsIntoTheBookmarkFile) {
    TempFolder folder;
    std::string fbl = folder.File("bookmark.fbl");
    // A missing file starts as the program starts it: with "リンク".
    FernctlRun ns = Bookmarks("import netscape", Data("bookmarks/netscape/firefox_ja_crlf.html"), fbl);
    ASSERT_EQ(ns.status, 0) << ns.err;
    EXPECT_EQ(ns.out, "{\"imported\": 7}\n");
    std::string outline = RootOutline(fbl);
    EXPECT_EQ(outline.rfind("D リンク\nD ツールバー\n", 0), 0u) << outline;

    FernctlRun fav = Bookmarks("import favorites", Data("shortcuts/Favorites"), fbl);
    ASSERT_EQ(fav.status, 0) << fav.err;
    EXPECT_EQ(fav.out, "{\"imported\": 12}\n");
    outline = RootOutline(fbl);
    EXPECT_EQ(outline.find("D リンク\n"), 0u);
    EXPECT_EQ(outline.find("D リンク\n", 1), std::string::npos);  // added to, not replaced
    EXPECT_NE(outline.find("\nU Bing <http://www.bing.example/?form=FAV>\n"), std::string::npos);

    // The HTML list the program writes beside the file reads back too.
    std::string html = folder.File("list.htm"), second = folder.File("second.fbl");
    ASSERT_EQ(Bookmarks("export htmllist", fbl, html).status, 0);
    ASSERT_EQ(Bookmarks("import htmllist", html, second).status, 0);
    EXPECT_EQ(RootOutline(second), "D リンク\n" + RootOutline(fbl));
}

TEST(FernctlBookmarks, ImportsRealFiles) {
    FERN_NEEDS_CORPUS();
    TempFolder folder;
    std::string fbl = folder.File("bookmark.fbl");
    FernctlRun ns = Bookmarks("import netscape", Corpus("bookmarks/netscape/firefox15_ja_crlf.html"), fbl);
    ASSERT_EQ(ns.status, 0) << ns.err;
    EXPECT_EQ(ns.out, "{\"imported\": 25}\n");
    EXPECT_EQ(RootOutline(fbl).rfind("D リンク\nD 1-Bookmarks Toolbar Folder\n", 0), 0u);
    FernctlRun fav = Bookmarks("import favorites", Corpus("shortcuts/favorites_tree_win8/Favorites"), fbl);
    ASSERT_EQ(fav.status, 0) << fav.err;
    EXPECT_EQ(fav.out, "{\"imported\": 47}\n");
}

TEST(FernctlBookmarks, ExportsEveryKind) {
    TempFolder folder;
    std::string fbl = folder.File("bookmark.fbl");
    WriteBytes(fbl,
               "#INFO\r\n\r\n#FOLDER\r\n\tNAME=Fern Browser BookMark\r\n\r\n"
               "#URL\r\n\tNAME=ソフト/表\r\n\tURL=http://soft/\r\n\r\n#SEP\r\n\r\n"
               "#FOLDER\r\n\tNAME=F\r\n\r\n#URL\r\n\tNAME=in\r\n\tURL=http://in/\r\n\r\n-\r\n\r\n"
               "-\r\n\r\n#FOLDER\r\n\tNAME=ゴミ箱\r\n\r\n#URL\r\n\tNAME=old\r\n\r\n-\r\n\r\n");
    auto exported = [&](const char* kind, const char* to, const char* count) {
        FernctlRun run = Bookmarks(std::string("export ") + kind, fbl, folder.File(to));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, std::string("{\"exported\": ") + count + "}\n") << kind;
        return std::filesystem::is_directory(folder.File(to)) ? "" : ReadBytes(folder.File(to));
    };
    std::string bytes = exported("netscape", "bookmark.htm", "4");
    EXPECT_NE(bytes.find("charset=Shift_JIS"), std::string::npos);
    EXPECT_NE(bytes.find(">ソフト/表</A>\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("old"), std::string::npos);  // not the trash
    bytes = exported("netscape-utf8", "bookmarks.html", "4");
    EXPECT_NE(bytes.find("charset=UTF-8"), std::string::npos);
    EXPECT_NE(bytes.find(">" + fern::ToUtf8("ソフト/表") + "</A>\r\n"), std::string::npos);
    EXPECT_NE(exported("htmllist", "list.htm", "5").find("\t<LI><A HREF=\"\">old</A>\r\n"),
              std::string::npos);

    // Favorites: the folder is made when only it is missing; separators are skipped.
    exported("favorites", "fav", "3");
    EXPECT_EQ(ReadBytes(folder.File("fav/" + fern::ToUtf8("ソフト／表.url"))),
              "[InternetShortcut]\r\nURL=http://soft/\r\n");
    EXPECT_EQ(ReadBytes(folder.File("fav/F/in.url")), "[InternetShortcut]\r\nURL=http://in/\r\n");
}

TEST(FernctlBookmarks, BadInputIsRefusedAndNothingIsWritten) {
    TempFolder folder;
    std::string fbl = folder.File("bookmark.fbl");
    const std::string original = "#INFO\r\n\r\n#FOLDER\r\n\tNAME=R\r\n\r\n-\r\n\r\n";
    WriteBytes(fbl, original);
    std::string html = Data("bookmarks/netscape/netscape4_concat_crlf.htm");
    mkdir(folder.File("dir.fbl").c_str(), 0700);
    mkdir(folder.File("dir.htm").c_str(), 0700);

    ExpectRefused(fern::test::RunFernctlWords("bookmarks"), "import or export");
    ExpectRefused(fern::test::RunFernctlWords("bookmarks import netscape '" + html + "'"), "two paths");
    ExpectRefused(Bookmarks("import opera", html, fbl), "unknown import kind 'opera'");
    ExpectRefused(Bookmarks("import netscape", folder.File("none.html"), fbl), "no such file");
    ExpectRefused(Bookmarks("import netscape", Data("shortcuts/Favorites"), fbl), "is a folder");
    ExpectRefused(Bookmarks("import favorites", html, fbl), "not a folder");
    ExpectRefused(Bookmarks("import netscape", html, folder.File("dir.fbl")), "is a folder");
    ExpectRefused(Bookmarks("import netscape", html, folder.File("none/b.fbl")), "folder does not exist");
    ExpectRefused(Bookmarks("export netscape", folder.File("none.fbl"), folder.File("out.htm")),
                  "no such file");
    ExpectRefused(Bookmarks("export netscape", fbl, folder.File("none/out.htm")), "folder does not exist");
    ExpectRefused(Bookmarks("export htmllist", fbl, folder.File("dir.htm")), "is a folder");
    ExpectRefused(Bookmarks("export favorites", fbl, folder.File("none/fav")), "folder does not exist");

    EXPECT_EQ(ReadBytes(fbl), original);
    auto entries = std::filesystem::directory_iterator(folder.Path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 3);  // bookmark.fbl, dir.fbl, dir.htm
}
