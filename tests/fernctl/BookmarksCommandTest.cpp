// Runs the real fernctl binary: bookmarks import / export.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bookmarks/BookmarkTestTree.h"
#include "fernctl/FernctlRunner.h"
#include "lists/BookmarkFile.h"
#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"

using namespace fern::testing;

namespace {

using Outcome = fern::test::FernctlRun;
using fern::test::ExpectRefused;

Outcome Fernctl(const TempFolder&, const std::string& args) { return fern::test::RunFernctlWords(args); }

std::string Data(const std::string& path) { return std::string(FERN_TESTDATA_DIR) + "/" + path; }

// The bookmark root of a file as an outline (names Shift-JIS).
std::string RootOutline(const std::string& fbl) {
    fern::BookmarkReadOptions options;
    options.rootName = "Fern Browser BookMark";
    fern::BookmarkFileContents contents = fern::ReadBookmarkFile(fbl, options);
    return Outline(*contents.root);
}

}  // namespace

TEST(FernctlBookmarks, ImportsIntoTheBookmarkFile) {
    TempFolder folder;
    std::string fbl = folder.File("bookmark.fbl");
    // A missing file starts as the program starts it: with "リンク".
    Outcome ns = Fernctl(folder, "bookmarks import netscape '" +
                                     Data("bookmarks/netscape/firefox15_ja_crlf.html") + "' '" +
                                     fbl + "'");
    ASSERT_EQ(ns.status, 0) << ns.err;
    EXPECT_EQ(ns.out, "{\"imported\": 25}\n");
    std::string outline = RootOutline(fbl);
    EXPECT_EQ(outline.rfind("D リンク\nD 1-Bookmarks Toolbar Folder\n", 0), 0u) << outline;
    EXPECT_NE(outline.find("D 4-日本語\n  U メインページ - Wikipedia <"), std::string::npos);

    Outcome fav = Fernctl(folder, "bookmarks import favorites '" +
                                      Data("shortcuts/favorites_tree_win8/Favorites") + "' '" +
                                      fbl + "'");
    ASSERT_EQ(fav.status, 0) << fav.err;
    EXPECT_EQ(fav.out, "{\"imported\": 47}\n");
    outline = RootOutline(fbl);
    EXPECT_EQ(outline.find("D リンク\n"), 0u);
    EXPECT_EQ(outline.find("D リンク\n", 1), std::string::npos);  // added to, not replaced
    EXPECT_NE(outline.find("\nU Bing <http://go.microsoft.com/fwlink/p/?LinkId=255142>\n"),
              std::string::npos);

    // The HTML list the program writes beside the file reads back too.
    std::string html = folder.File("list.htm");
    ASSERT_EQ(Fernctl(folder, "bookmarks export htmllist '" + fbl + "' '" + html + "'").status, 0);
    std::string second = folder.File("second.fbl");
    Outcome list = Fernctl(folder, "bookmarks import htmllist '" + html + "' '" + second + "'");
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(RootOutline(second), "D リンク\n" + RootOutline(fbl));
}

TEST(FernctlBookmarks, ExportsEveryKind) {
    TempFolder folder;
    std::string fbl = folder.File("bookmark.fbl");
    WriteBytes(fbl,
               "#INFO\r\n\r\n#FOLDER\r\n\tNAME=Fern Browser BookMark\r\n\r\n"
               "#URL\r\n\tNAME=ソフト/表\r\n\tURL=http://soft/\r\n\r\n#SEP\r\n\r\n"
               "#FOLDER\r\n\tNAME=F\r\n\r\n#URL\r\n\tNAME=in\r\n\tURL=http://in/\r\n\r\n-\r\n\r\n"
               "-\r\n\r\n#FOLDER\r\n\tNAME=ゴミ箱\r\n\r\n#URL\r\n\tNAME=old\r\n\r\n-\r\n\r\n");

    Outcome sjis = Fernctl(folder, "bookmarks export netscape '" + fbl + "' '" +
                                       folder.File("bookmark.htm") + "'");
    ASSERT_EQ(sjis.status, 0) << sjis.err;
    EXPECT_EQ(sjis.out, "{\"exported\": 4}\n");
    std::string bytes = ReadBytes(folder.File("bookmark.htm"));
    EXPECT_NE(bytes.find("charset=Shift_JIS"), std::string::npos);
    EXPECT_NE(bytes.find(">ソフト/表</A>\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("old"), std::string::npos);  // not the trash

    ASSERT_EQ(Fernctl(folder, "bookmarks export netscape-utf8 '" + fbl + "' '" +
                                  folder.File("bookmarks.html") + "'").status, 0);
    bytes = ReadBytes(folder.File("bookmarks.html"));
    EXPECT_NE(bytes.find("charset=UTF-8"), std::string::npos);
    EXPECT_NE(bytes.find(">" + fern::ToUtf8("ソフト/表") + "</A>\r\n"), std::string::npos);

    Outcome html = Fernctl(folder, "bookmarks export htmllist '" + fbl + "' '" +
                                       folder.File("list.htm") + "'");
    ASSERT_EQ(html.status, 0) << html.err;
    EXPECT_EQ(html.out, "{\"exported\": 5}\n");
    EXPECT_NE(ReadBytes(folder.File("list.htm")).find("\t<LI><A HREF=\"\">old</A>\r\n"),
              std::string::npos);

    // Favorites: the folder is made when only it is missing; separators are skipped.
    std::string fav = folder.File("fav");
    Outcome favorites = Fernctl(folder, "bookmarks export favorites '" + fbl + "' '" + fav + "'");
    ASSERT_EQ(favorites.status, 0) << favorites.err;
    EXPECT_EQ(favorites.out, "{\"exported\": 3}\n");
    EXPECT_EQ(ReadBytes(fav + "/" + fern::ToUtf8("ソフト／表.url")),
              "[InternetShortcut]\r\nURL=http://soft/\r\n");
    EXPECT_EQ(ReadBytes(fav + "/F/in.url"), "[InternetShortcut]\r\nURL=http://in/\r\n");
}

TEST(FernctlBookmarks, BadInputIsRefusedAndNothingIsWritten) {
    TempFolder folder;
    std::string fbl = folder.File("bookmark.fbl");
    const std::string original = "#INFO\r\n\r\n#FOLDER\r\n\tNAME=R\r\n\r\n-\r\n\r\n";
    WriteBytes(fbl, original);
    std::string html = Data("bookmarks/netscape/netscape47.html");
    std::string favorites = Data("shortcuts/favorites_tree_win8/Favorites");
    mkdir(folder.File("dir.fbl").c_str(), 0700);
    mkdir(folder.File("dir.htm").c_str(), 0700);

    ExpectRefused(Fernctl(folder, "bookmarks"), "import or export");
    ExpectRefused(Fernctl(folder, "bookmarks import netscape '" + html + "'"), "two paths");
    ExpectRefused(Fernctl(folder, "bookmarks import opera '" + html + "' '" + fbl + "'"),
                  "unknown import kind 'opera'");
    ExpectRefused(Fernctl(folder, "bookmarks import netscape '" + folder.File("none.html") +
                                      "' '" + fbl + "'"),
                  "no such file");
    ExpectRefused(Fernctl(folder, "bookmarks import netscape '" + favorites + "' '" + fbl + "'"),
                  "is a folder");
    ExpectRefused(Fernctl(folder, "bookmarks import favorites '" + html + "' '" + fbl + "'"),
                  "not a folder");
    ExpectRefused(Fernctl(folder, "bookmarks import netscape '" + html + "' '" +
                                      folder.File("dir.fbl") + "'"),
                  "is a folder");
    ExpectRefused(Fernctl(folder, "bookmarks import netscape '" + html + "' '" +
                                      folder.File("none/b.fbl") + "'"),
                  "folder does not exist");
    ExpectRefused(Fernctl(folder, "bookmarks export netscape '" + folder.File("none.fbl") +
                                      "' '" + folder.File("out.htm") + "'"),
                  "no such file");
    ExpectRefused(Fernctl(folder, "bookmarks export netscape '" + fbl + "' '" +
                                      folder.File("none/out.htm") + "'"),
                  "folder does not exist");
    ExpectRefused(Fernctl(folder, "bookmarks export htmllist '" + fbl + "' '" +
                                      folder.File("dir.htm") + "'"),
                  "is a folder");
    ExpectRefused(Fernctl(folder, "bookmarks export favorites '" + fbl + "' '" +
                                      folder.File("none/fav") + "'"),
                  "folder does not exist");

    EXPECT_EQ(ReadBytes(fbl), original);
    std::size_t entries = 0;
    for (auto& e : std::filesystem::directory_iterator(folder.Path()))
        entries += e.path().filename() != "stdout" && e.path().filename() != "stderr";
    EXPECT_EQ(entries, 3u);  // bookmark.fbl, dir.fbl, dir.htm
}
