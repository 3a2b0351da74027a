#include "bookmarks/BookmarkTree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "../fakes/FakeShell.h"
#include "bookmarks/BookmarkTestTree.h"
#include "lists/ListTestText.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"

namespace fern {
namespace {

using testing::Child;
using testing::MakeTestTree;
using testing::Outline;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const char kSmallFile[] =
    "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"
    "#FOLDER\n\tNAME=Fern Browser BookMark\n\tCREATED=5\n\n"
    "#URL\n\tNAME=ソフト\n\tURL=http://soft/\n\n-\n\n"
    "#FOLDER\n\tNAME=ゴミ箱\n\tCREATED=5\n\n-\n\n";

// Runs `f` with standard error captured; returns what was written there.
template <typename F>
std::string Stderr(F&& f) {
    ::testing::internal::CaptureStderr();
    f();
    return ::testing::internal::GetCapturedStderr();
}

TEST(BookmarkTree, LoadAddAndTimeStamps) {
    TempFolder folder;
    std::uint32_t now = 1000;
    BookmarkOptions options;
    options.defaultAddStyle = 2;
    BookmarkTree tree = MakeTestTree(&now, options);

    // A missing file: the folder "リンク"; the menu mirrors the new root.
    now = 2000;
    EXPECT_FALSE(tree.Load(folder.File("none.fbl")).ok);
    EXPECT_EQ(Outline(tree.Root()), "D リンク\n");
    EXPECT_EQ(tree.Root().FirstChild()->created, 2000u);
    EXPECT_FALSE(tree.Modified());
    EXPECT_EQ(tree.Menu().Items(0).back().text, "リンク");

    // A new page: trimmed, the default add style, the tree's stamp until renewed.
    now = 3000;
    BookmarkNode* page = tree.AddCurrentPage(tree.Root().FirstChild(), "Title \t", "http://p/ ", 0x90);
    EXPECT_TRUE(tree.Modified());
    EXPECT_EQ(Outline(tree.Root()), "D リンク\n  U Title <http://p/>\n");
    EXPECT_EQ(page->style, 0x90u);
    EXPECT_EQ(page->exstyle, 2u);
    EXPECT_EQ(page->created, 2000u);
    tree.RenewTimeStamp();
    EXPECT_EQ(tree.AddCurrentPage(nullptr, "t", "u")->created, 3000u);
    EXPECT_EQ(tree.Root().LastChild()->style, kDefaultItemStyle);

    // Loading drops all that; undated records get the stamp of the load.
    WriteBytes(folder.File("b.fbl"), kSmallFile);
    now = 4000;
    EXPECT_TRUE(tree.Load(folder.File("b.fbl")).ok);
    EXPECT_FALSE(tree.Modified());
    EXPECT_EQ(Outline(tree.Root()), "U ソフト <http://soft/>\n");
    EXPECT_EQ(tree.Root().FirstChild()->created, 4000u);
}

TEST(BookmarkTree, SaveWritesWhenModifiedAndTheHtmlCopyOncePerLoad) {
    TempFolder folder;
    std::string path = folder.File("bookmark.fbl"), html = folder.File("bookmark.htm");
    WriteBytes(path, kSmallFile);
    BookmarkOptions options;
    options.style = 114 | kBkSaveHtmlToo;
    BookmarkTree tree = MakeTestTree(nullptr, options);
    tree.Load(path);

    BookmarkSaveResult first = tree.Save();
    EXPECT_TRUE(first.ok && !first.wroteList && first.wroteHtml);
    EXPECT_EQ(ReadBytes(path), kSmallFile);
    EXPECT_EQ(ReadBytes(html),
              testing::Crlf("<HTML>\n<TITLE>Fern Browser BookMark</TITLE>\n<UL>\n"
                            "\t<LI><A HREF=\"http://soft/\">ソフト</A>\n</UL>\n<UL>\n</UL>\n</HTML>\n"));
    std::remove(html.c_str());
    EXPECT_FALSE(tree.Save().wroteHtml);  // nothing new since the copy
    EXPECT_FALSE(IsRegularFile(html));

    tree.AddCurrentPage(nullptr, "b", "http://b/");
    BookmarkSaveResult changed = tree.Save();
    EXPECT_TRUE(changed.ok && changed.wroteList && changed.wroteHtml);
    EXPECT_FALSE(tree.Modified());
    EXPECT_NE(ReadBytes(path).find("\tNAME=b\r\n"), std::string::npos);
    EXPECT_NE(ReadBytes(html).find("http://b/"), std::string::npos);

    // Without the bit no copy; another path only when given.
    options.style = 114;
    tree.SetOptions(options);
    tree.SetModified();
    BookmarkSaveResult copy = tree.Save(folder.File("copy.fbl"));
    EXPECT_TRUE(copy.wroteList && !copy.wroteHtml);
    EXPECT_EQ(tree.Path(), path);
    EXPECT_FALSE(IsRegularFile(folder.File("copy.htm")));
}

TEST(BookmarkTree, HtmlCopyPathCutsTheFileNameOnly) {
    EXPECT_EQ(HtmlCopyPath("/data/bookmark.fbl"), "/data/bookmark.htm");
    EXPECT_EQ(HtmlCopyPath("/data/bookmark.old.fbl"), "/data/bookmark.htm");
    EXPECT_EQ(HtmlCopyPath("bookmark"), "bookmark.htm");
    // Dots in folder names: a cut at the first dot of the whole path fails these.
    EXPECT_EQ(HtmlCopyPath("/home/u/.config/fern/bookmark.fbl"), "/home/u/.config/fern/bookmark.htm");
    EXPECT_EQ(HtmlCopyPath("/a.b/bookmark"), "/a.b/bookmark.htm");
    EXPECT_EQ(HtmlCopyPath("./a.b/c.d/bookmark.fbl"), "./a.b/c.d/bookmark.htm");
}

TEST(BookmarkTree, AFailedSaveIsReportedAndKeepsTheChanges) {
    TempFolder folder;
    BookmarkTree tree = MakeTestTree();
    tree.Load(folder.File("missing-folder/bookmark.fbl"));
    tree.AddCurrentPage(nullptr, "a", "http://a/");
    BookmarkSaveResult result;
    std::string logged = Stderr([&] { result = tree.Save(); });
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(tree.Modified());
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1) << logged;
    EXPECT_NE(logged.find("bookmark.fbl"), std::string::npos);

    // A file that exists but could not be read is never overwritten (a
    // FIFO: a write would replace it, unlike a folder).
    std::string unreadable = folder.File("fifo.fbl");
    fern::testing::FifoInPlace fifo(unreadable);
    ASSERT_TRUE(fifo.Made());
    EXPECT_FALSE(tree.Load(unreadable).ok);
    tree.AddCurrentPage(nullptr, "a", "http://a/");
    EXPECT_FALSE(Stderr([&] { EXPECT_FALSE(tree.Save().ok); }).empty());
    EXPECT_TRUE(tree.Modified());
    EXPECT_TRUE(fifo.StillThere());
    EXPECT_TRUE(tree.Save(folder.File("elsewhere.fbl")).ok);

    // A failed HTML copy fails the save; the list file is written all the same.
    BookmarkOptions options;
    options.style = kBkSaveHtmlToo;
    BookmarkTree html = MakeTestTree(nullptr, options);
    html.Load(folder.File("b.fbl"));
    mkdir(folder.File("b.htm").c_str(), 0700);
    html.SetModified();
    BookmarkSaveResult both;
    Stderr([&] { both = html.Save(); });
    EXPECT_TRUE(!both.ok && both.wroteList && !html.Modified());
}

TEST(BookmarkTree, SwitchAsksBeforeDroppingChanges) {
    TempFolder folder;
    std::string first = folder.File("first.fbl"), second = folder.File("second.fbl");
    WriteBytes(second, kSmallFile);
    test::FakeMessageBox box;
    BookmarkTree tree = MakeTestTree();
    tree.Load(first);
    EXPECT_TRUE(tree.Switch(second, box));  // not modified: no question
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(tree.Path(), second);

    // OK saves the old file, then the new one is read.
    tree.Load(first);
    tree.AddCurrentPage(nullptr, "kept", "http://kept/");
    EXPECT_TRUE(tree.Switch(second, box));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0], first + "は変更されています。\n上書き保存しますか？");
    EXPECT_NE(ReadBytes(first).find("\tNAME=kept\r\n"), std::string::npos);
    EXPECT_EQ(Outline(tree.Root()), "U ソフト <http://soft/>\n");

    // Cancel drops the changes.
    tree.AddCurrentPage(nullptr, "dropped", "http://dropped/");
    box.answer = MessageBoxAnswer::Cancel;
    EXPECT_TRUE(tree.Switch(first, box));
    EXPECT_EQ(ReadBytes(second), kSmallFile);
    EXPECT_NE(Child(tree.Root(), "kept"), nullptr);

    // A save that fails keeps the tree, so the changes are not lost.
    tree.Load(folder.File("gone/b.fbl"));
    tree.AddCurrentPage(nullptr, "precious", "http://p/");
    box.answer = MessageBoxAnswer::Ok;
    Stderr([&] { EXPECT_FALSE(tree.Switch(second, box)); });
    EXPECT_NE(Child(tree.Root(), "precious"), nullptr);
    EXPECT_EQ(tree.Path(), folder.File("gone/b.fbl"));
}

}  // namespace
}  // namespace fern
