#include "bookmarks/exchange/Favorites.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestData.h"
#include "bookmarks/BookmarkTestTree.h"
#include "bookmarks/UrlShortcut.h"
#include "bookmarks/exchange/MakeFileName.h"
#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"

namespace fern {
namespace {

using testing::CountType;
using testing::MakeTestTree;
using testing::Outline;
using testing::ReadBytes;
using testing::TempFolder;

std::string Shortcuts(const std::string& name) { return testing::Corpus("shortcuts/" + name); }

TEST(MakeFileName, ReplacesWhatFileNamesCannotHoldAndCuts) {
    struct Case {
        std::string text;
        std::size_t max;
        std::string expected;
    } cases[] = {
        {"a/b", 64, "a／b"},
        {"\\/:,;*?\"<>|.", 64, "￥／：，；＊？”＜＞｜．"},
        {"ソフト表|", 64, "ソフト表｜"},  // "ソ" and "表" end in "\"
        {"", 64, "newfile"},
        {"abc", 0, "newfile"},
        {"aあいう", 4, "aあ"},  // the cut would split "い"
        {"........", 5, "．．"},
        {std::string(100, 'x'), 64, std::string(64, 'x')},
    };
    for (const Case& c : cases) EXPECT_EQ(MakeFileName(c.text, c.max), c.expected) << c.text << " " << c.max;
}

// Our own Favorites folder with the quirks of real ones (see
// tests/data/make_fixtures.py): sections before [InternetShortcut], a
// shortcut without URL=, ".URL" in upper case, desktop.ini files in UTF-16LE
// and ANSI, names that code page 932 holds and one it does not.
TEST(FavoritesImport, AFavoritesFolderWithTheQuirksOfWindows) {
    BookmarkTree tree = MakeTestTree();
    ExchangeStatus status = ImportFavorites(testing::Fixture("shortcuts/Favorites"), tree, nullptr);
    ASSERT_TRUE(status.ok) << status.error;
    EXPECT_EQ(status.imported, 12u);  // 8 shortcuts, 4 folders
    EXPECT_EQ(Outline(tree.Root()),
              "U Bank｜English Site <http://www.bank.example/en/>\n"
              "U Bing <http://www.bing.example/?form=FAV>\n"
              "D Links\n"
              "  U Suggested Sites <>\n"
              "  U Web Slice Gallery <http://slices.example/>\n"
              "  U WEB-SLIC <http://go.example/?LinkId=121315>\n"
              "D L?nkar\n"
              "  D Mer\n"
              "    U Scox <http://www.scox.example/>\n"
              "U Q&A <http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=6&ar=CLinks&lcid=&ver=>\n"
              "D 本社\n"
              "  U ポータル <http://portal.example.jp/index.html>\n");
    EXPECT_EQ(ReadUrlShortcut(testing::Fixture("shortcuts/minimal.url")), "http://www.example.net/");
}

TEST(FavoritesImport, RealFavoritesFolders) {
    FERN_NEEDS_CORPUS();
    BookmarkTree win8 = MakeTestTree();
    ExchangeStatus status = ImportFavorites(Shortcuts("favorites_tree_win8/Favorites"), win8, nullptr);
    ASSERT_TRUE(status.ok) << status.error;
    EXPECT_EQ(CountType(win8.Root(), kItemUrl), 45u);
    EXPECT_EQ(CountType(win8.Root(), kItemFolder), 2u);
    std::string outline = Outline(win8.Root());
    EXPECT_EQ(outline.rfind("U Bing <http://go.microsoft.com/fwlink/p/?LinkId=255142>\n", 0), 0u);
    EXPECT_NE(outline.find("\n  U Suggested Sites (23) <>\n"),
              std::string::npos);                                    // the shortcut has no URL key
    EXPECT_NE(outline.find("\n  U WEB-SLIC <"), std::string::npos);  // ".URL" in upper case

    BookmarkTree xp = MakeTestTree();
    ASSERT_TRUE(
        ImportFavorites(Shortcuts("favorites_tree_xp_vista_reconstructed/Favorites"), xp, nullptr).ok);
    outline = Outline(xp.Root());
    EXPECT_NE(outline.find(
                  "D Alps\n  U 本社ポータルサイト <http://wwwinfo6.tokyo.alps.intra/~web/index_JP.html>\n"),
              std::string::npos);
    // A folder name that code page 932 cannot hold still gets read.
    EXPECT_NE(outline.find("D L?nkar\n"), std::string::npos);
    EXPECT_NE(outline.find("  U Scox <http"), std::string::npos);
    EXPECT_NE(outline.find("D Private\n"), std::string::npos);
    EXPECT_NE(outline.find("  U SEVEN BANK English Site｜Seven Bank, Ltd. <"), std::string::npos);
}

TEST(FavoritesImport, OddFolders) {
    TempFolder folder;
    mkdir(folder.File("fav").c_str(), 0700);
    mkdir(folder.File("fav/sub").c_str(), 0700);
    ASSERT_TRUE(WriteUrlShortcut(folder.File("fav/sub/a.url"), "http://a/"));
    testing::WriteBytes(folder.File("fav/notes.txt"), "x");
    // A link back up does not make the walk endless.
    symlink(folder.File("fav").c_str(), folder.File("fav/sub/loop").c_str());
    BookmarkTree tree = MakeTestTree();
    ExchangeStatus status = ImportFavorites(folder.File("fav"), tree, nullptr);
    ASSERT_TRUE(status.ok);
    EXPECT_EQ(status.imported, 2u);
    EXPECT_EQ(Outline(tree.Root()), "D sub\n  U a <http://a/>\n");
    EXPECT_FALSE(ImportFavorites(folder.File("none"), tree, nullptr).ok);
    EXPECT_FALSE(ImportFavorites(folder.File("fav/notes.txt"), tree, nullptr).ok);
}

TEST(FavoritesExport, WritesFoldersAndShortcuts) {
    TempFolder folder;
    BookmarkTree tree = MakeTestTree();
    BookmarkNode& root = tree.Root();
    tree.AddNode(root, "a/b", "http://1/", kItemUrl, 112, 1);
    tree.AddNode(root, "a/b", "http://2/", kItemUrl, 112, 1);
    tree.AddNode(root, "a/b", "http://3/", kItemUrl, 112, 1);
    tree.AddNode(root, "", "", kItemSeparator, 112, 1);
    BookmarkNode* sub = tree.AddNode(root, "日本語.フォルダ", "", kItemFolder, 112, 1);
    tree.AddNode(*sub, "ソフト", "http://soft/", kItemUrl, 112, 1);
    tree.AddNode(root, "日本語.フォルダ", "", kItemFolder, 112, 1);

    ExchangeStatus status = ExportFavorites(folder.Path(), root.FirstChild());
    ASSERT_TRUE(status.ok) << status.error;
    EXPECT_EQ(ReadBytes(folder.Path() + "/" + ToUtf8("a／b.url")), "[InternetShortcut]\r\nURL=http://1/\r\n");
    // Read back by the import: the same names and urls in the file-name form,
    // in name order ("(" sorts before "."); no file for the separator.
    BookmarkTree back = MakeTestTree();
    ASSERT_TRUE(ImportFavorites(folder.Path(), back, nullptr).ok);
    EXPECT_EQ(Outline(back.Root()),
              "U a／b(0) <http://2/>\nU a／b(1) <http://3/>\nU a／b <http://1/>\n"
              "D 日本語．フォルダ\n  U ソフト <http://soft/>\nD 日本語．フォルダ(0)\n");
}

TEST(FavoritesExport, FailuresAreCountedAndReported) {
    TempFolder folder;
    BookmarkTree tree = MakeTestTree();
    tree.AddNode(tree.Root(), "ok", "http://ok/", kItemUrl, 112, 1);
    BookmarkNode* bad = tree.AddNode(tree.Root(), "bad", "", kItemUrl, 112, 1);
    bad->url = "http://line\nbreak/";  // a shortcut cannot hold it
    tree.AddNode(tree.Root(), "after", "http://after/", kItemUrl, 112, 1);

    ::testing::internal::CaptureStderr();
    ExchangeStatus status = ExportFavorites(folder.Path(), tree.Root().FirstChild());
    std::string logged = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.skipped, 1u);
    EXPECT_FALSE(logged.empty());
    EXPECT_EQ(ReadUrlShortcut(folder.File("ok.url")), "http://ok/");
    EXPECT_EQ(ReadUrlShortcut(folder.File("after.url")), "http://after/");

    EXPECT_FALSE(ExportFavorites(folder.File("none"), tree.Root().FirstChild()).ok);
}

}  // namespace
}  // namespace fern
