// The bookmarks in the running browser on the scripted engine: the tree read
// at start, saved by the exit step and the auto-save tick, replaced when the
// options name another file, and the commands of the bookmark menu.
#include "bookmarks/BookmarkCommands.h"

#include <gtest/gtest.h>

#include "bookmarks/BookmarkTestTree.h"
#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "frame/SessionTestFrame.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"

namespace fern {
namespace {

using testing::Outline;
using testing::TempFolder;

const char kTwoBookmarks[] =
    "[Fern Browser BookMark]\r\n"
    "\tTYPE=1\r\n\tNAME=ソフト\r\n\tURL=http://soft/\r\n\tSTYLE=112\r\n\tEXSTYLE=1\r\n";

struct BookmarksTest : ::testing::Test, test::SessionTestFrame {
    TempFolder folder;
    std::string path = folder.File("bookmark.fbl");
    std::unique_ptr<CBookmarkStore> store;
    std::unique_ptr<CBookmarkCommands> commands;
    CCommandRouter router;
    std::vector<BookmarkNode*> edited;

    void Start() {
        store = std::make_unique<CBookmarkStore>(settings, messageBox, path, path,
                                                 [] { return testing::kTestNow; });
        store->JoinExitSteps(frame);
        commands = std::make_unique<CBookmarkCommands>(
            *store, frame, settings, [this](BookmarkNode& node) { edited.push_back(&node); });
        commands->RegisterCommands(router);
    }
    BookmarkTree& Tree() { return store->Tree(); }
    void Bookmark(const std::function<void(BookmarkSettings&)>& edit) {
        settings.Change(SettingsSection::Bookmark, [&](ProgramSettings& s) { edit(s.bookmark); });
    }
    // A page in a new tab, loaded, with its title.
    CFernView* Page(const std::string& url) { return frame.OpenUrl(url, kOpenNewTab | kOpenFocus, 0x70, 0); }
};

TEST_F(BookmarksTest, AMissingFileGivesTheLinksFolderAndTheExitStepWritesOnlyChanges) {
    Start();
    EXPECT_EQ(Outline(Tree().Root()), "D リンク\n");
    frame.SaveOnExit(true, false);
    EXPECT_FALSE(IsRegularFile(path));  // nothing changed, nothing written

    Page("http://a/");
    router.Run(ID_BOOKMARK_ADD);
    frame.Exit().bookmarks.Emit();
    std::string written = testing::ReadBytes(path);
    EXPECT_NE(written.find("\tNAME=Title of http://a/\r\n\tURL=http://a/\r\n"), std::string::npos) << written;

    // The next start reads it back.
    CBookmarkStore next(settings, messageBox, path, path);
    EXPECT_EQ(Outline(next.Tree().Root()), "D リンク\nU Title of http://a/ <http://a/>\n");
}

TEST_F(BookmarksTest, TheAutoSaveTickSavesOnlyWhileItsSwitchIsOn) {
    Start();
    Page("http://a/");
    router.Run(ID_BOOKMARK_ADD);
    EXPECT_FALSE(router.IsChecked(ID_AUTOSAVE_BOOKMARKS));
    frame.SaveOnExit(false, true);
    EXPECT_FALSE(IsRegularFile(path));

    router.Run(ID_AUTOSAVE_BOOKMARKS);
    EXPECT_TRUE(settings.Live().bookmark.autoSave);
    EXPECT_TRUE(router.IsChecked(ID_AUTOSAVE_BOOKMARKS));
    EXPECT_NE(profile.ReadString("Bookmark", "BKStyle", "").find("118"),
              std::string::npos);  // 114 | 4, saved at once
    frame.SaveOnExit(false, true);
    EXPECT_TRUE(IsRegularFile(path));
    EXPECT_FALSE(Tree().Modified());
}

TEST_F(BookmarksTest, AFileThatCannotBeReadIsNeverOverwrittenAndTheUserIsToldOnce) {
    testing::FifoInPlace fifo(path);
    ASSERT_TRUE(fifo.Made());
    Start();
    Page("http://a/");
    router.Run(ID_BOOKMARK_ADD);
    Bookmark([](BookmarkSettings& b) { b.autoSave = true; });
    frame.SaveOnExit(false, true);
    frame.SaveOnExit(false, true);
    EXPECT_TRUE(fifo.StillThere());
    ASSERT_EQ(messageBox.shown.size(), 1u);  // the tick comes back; the message does not
    EXPECT_NE(messageBox.shown[0].find("ブックマークを保存できませんでした。"), std::string::npos);
    EXPECT_TRUE(Tree().Modified());
}

TEST_F(BookmarksTest, AnotherFileInTheOptionsAsksBeforeTheChangesGo) {
    testing::WriteBytes(path, kTwoBookmarks);
    std::string other = folder.File("other.fbl");
    struct Case {
        MessageBoxAnswer answer;
        bool oldFileHasTheAdd;
    } cases[] = {{MessageBoxAnswer::Ok, true}, {MessageBoxAnswer::Cancel, false}};
    for (const Case& c : cases) {
        testing::WriteBytes(path, kTwoBookmarks);
        Bookmark([&](BookmarkSettings& b) { b.bookmarkPath = path; });
        Start();
        Tree().AddCurrentPage(nullptr, "b", "http://b/");
        int notified = 0;
        SignalConnection watch = store->changed.Connect([&] { ++notified; });
        messageBox.shown.clear();
        messageBox.answer = c.answer;
        Bookmark([&](BookmarkSettings& b) { b.bookmarkPath = other; });
        ASSERT_EQ(messageBox.shown.size(), 1u);
        EXPECT_EQ(messageBox.shown[0], path + "は変更されています。\n上書き保存しますか？");
        EXPECT_EQ(testing::ReadBytes(path).find("http://b/") != std::string::npos, c.oldFileHasTheAdd);
        EXPECT_EQ(Tree().Path(), other);
        EXPECT_EQ(Outline(Tree().Root()), "D リンク\n");
        EXPECT_EQ(notified, 1);
    }
    // An option that leaves the file as it is asks nothing.
    messageBox.shown.clear();
    Tree().SetModified();
    Bookmark([](BookmarkSettings& b) { b.limitMenuText = true; });
    EXPECT_TRUE(messageBox.shown.empty());
    EXPECT_TRUE(Tree().Options().style & kBkLimitMenuText);
}

TEST_F(BookmarksTest, AddCommandsTakeTheActivePageEveryTabOrTheRightClickedOne) {
    Start();
    Bookmark([](BookmarkSettings& b) { b.defaultAddStyle = 2; });
    EXPECT_FALSE(router.IsEnabled(ID_BOOKMARK_ADD));                // no page yet
    frame.OpenUrl("http://a/", kOpenNewTab | kOpenFocus, 0x90, 0);  // images on, scripts off
    Page("http://b/");
    frame.SelectTab(0);
    router.Run(ID_BOOKMARK_ADD);
    ASSERT_EQ(edited.size(), 1u);  // the property sheet follows
    EXPECT_EQ(edited[0]->url, "http://a/");
    EXPECT_EQ(edited[0]->exstyle, 2u);
    EXPECT_EQ(edited[0]->style, 0x90u);  // the tab's flags
    EXPECT_EQ(edited[0]->created, testing::kTestNow);

    router.Run(ID_BOOKMARK_ADD_ALL);
    EXPECT_EQ(edited.size(), 1u);  // no sheet for many
    frame.SetRightClicked(1);
    router.Run(ID_BOOKMARK_ADD_TAB);
    EXPECT_EQ(Outline(Tree().Root()),
              "D リンク\n"
              "U Title of http://a/ <http://a/>\n"
              "U Title of http://a/ <http://a/>\n"
              "U Title of http://b/ <http://b/>\n"
              "U Title of http://b/ <http://b/>\n");
    EXPECT_EQ(edited.back()->url, "http://b/");
    EXPECT_TRUE(Tree().Modified());
}

TEST_F(BookmarksTest, ABookmarkOpensWithItsOwnFlagsAndTheOpenSwitches) {
    Start();
    BookmarkNode* images = Tree().AddNode(Tree().Root(), "no images", "http://noimg/", kItemUrl, 0x60, 0);
    Page("http://first/");
    struct Case {
        bool newTab, focus;
        int linkBarStyle;
        int tabsAfter;
    } cases[] = {
        {false, false, -1, 1},                                                    // replaces the page
        {true, false, -1, 2},       {true, true, -1, 3}, {false, false, 0x2, 4},  // the link bar's own switch
        {true, false, 0x300004, 4},  // the link bar without it: the current tab
    };
    for (const Case& c : cases) {
        Bookmark([&](BookmarkSettings& b) {
            b.openInNewTab = c.newTab;
            b.focusPage = c.focus;
        });
        BookmarkMenu& menu = Tree().Menu();
        menu.Rebuild(&Tree().Root());
        int entry = -1;
        for (const BookmarkMenuItem& item : menu.Items(0))
            if (item.entry >= 0 && menu.Entry(item.entry)->node == images) entry = item.entry;
        ASSERT_GE(entry, 0);
        if (c.linkBarStyle < 0) {
            menu.SetHighlighted(entry);
            router.Run(ID_BOOKMARK_MENU_ITEM);
        } else {
            commands->Run(menu.ExecuteEntry(entry, Tree().Options().style), c.linkBarStyle);
        }
        EXPECT_EQ(frame.TabCount(), c.tabsAfter);
        CFernView* opened = frame.ViewAt(frame.TabCount() - 1);
        EXPECT_EQ(opened->Url(), "http://noimg/");
        EXPECT_EQ(opened->DownloadControlFlags(), 0x60u);  // images off, as the bookmark says
    }
}

TEST_F(BookmarksTest, FolderItemsAddIntoTheFolderAndOpenItsBookmarksInOrder) {
    Start();
    Bookmark([](BookmarkSettings& b) { b.menuAddHere = b.menuOpenFolder = true; });
    BookmarkNode* folderNode = Tree().AddNode(Tree().Root(), "F", "", kItemFolder, 112, 1);
    Tree().AddNode(*folderNode, "one", "http://one/", kItemUrl, 0x10, 0);
    Tree().AddNode(*folderNode, "sub", "", kItemFolder, 112, 1);
    Tree().AddNode(*folderNode, "", "", kItemSeparator, 112, 1);
    Tree().AddNode(*folderNode, "two", "http://two/", kItemUrl, 112, 1);
    Page("http://page/");
    BookmarkMenu& menu = Tree().Menu();
    menu.Rebuild(&Tree().Root());
    int sub = menu.Items(0).back().submenu;
    ASSERT_TRUE(menu.BuildMenu(sub));
    const std::vector<BookmarkMenuItem>& items = menu.Items(sub);

    menu.SetHighlighted(items[1].entry);  // "フォルダのURLを開く(&O)"
    router.Run(ID_BOOKMARK_MENU_ITEM);
    EXPECT_EQ(Urls(), "http://page/ http://one/ http://two/");  // direct children, in order
    EXPECT_EQ(frame.ViewAt(1)->DownloadControlFlags(), 0x10u);

    frame.SelectTab(0);
    menu.SetHighlighted(items[0].entry);  // "ここに追加(&A)"
    router.Run(ID_BOOKMARK_MENU_ITEM);
    EXPECT_EQ(folderNode->LastChild()->url, "http://page/");
    ASSERT_EQ(edited.size(), 1u);

    // A record whose node went does nothing.
    int lastEntry = items[2].entry;
    std::unique_ptr<BookmarkNode> gone = folderNode->FirstChild()->Detach();
    menu.SetHighlighted(lastEntry);
    router.Run(ID_BOOKMARK_MENU_ITEM);
    EXPECT_EQ(frame.TabCount(), 3);
}

}  // namespace
}  // namespace fern

namespace fern {
namespace {

TEST_F(BookmarksTest, BadFilesLoadWithoutHarmAndLoseNothingAtTheNextSave) {
    // Garbage lines, a 100 KB name, 100,000 nested folders and a name with
    // "&" and "_".
    constexpr int kDepth = 100000;
    std::string bigName(100 * 1024, 'n');
    std::string file =
        "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n#FOLDER\r\n\tNAME=Fern Browser BookMark\r\n\r\n";
    file += "garbage line\r\n\x81\r\n#\r\n\t\r\n\tXYZ=1\r\n";
    file += "#URL\r\n\tNAME=A&B_C\r\n\tURL=http://amp/\r\n\tSTYLE=112\r\n\tEXSTYLE=1\r\n\r\n";
    file += "#URL\r\n\tNAME=" + bigName + "\r\n\tURL=http://big/\r\n\r\n";
    for (int i = 0; i < kDepth; ++i) file += "#FOLDER\r\n\tNAME=d\r\n\r\n";
    file += "#URL\r\n\tNAME=deepest\r\n\tURL=http://deep/\r\n\r\n";
    for (int i = 0; i < kDepth; ++i) file += "-\r\n";
    file += "-\r\n#FOLDER\r\n\tNAME=ゴミ箱\r\n\r\n-\r\n";
    testing::WriteBytes(path, file);
    Start();

    BookmarkMenu& menu = Tree().Menu();
    ASSERT_TRUE(menu.BuildMenu(BookmarkMenu::kTopPopup));
    const std::vector<BookmarkMenuItem>& items = menu.Items(0);
    ASSERT_EQ(items.size(), 6u);        // two commands, a separator, three nodes
    EXPECT_EQ(items[3].text, "A&B_C");  // as written; the widget shows it without mnemonics
    EXPECT_EQ(items[4].text, std::string(20, 'n') + "...");  // BKStyle 114 cuts at 20 bytes
    EXPECT_EQ(items[5].type, BookmarkMenuItem::Type::Submenu);

    auto count = [](const BookmarkNode& root, std::size_t& deepest) {
        std::size_t nodes = 0;
        deepest = 0;
        for (const BookmarkNode* n = NextInTree(&root, &root); n; n = NextInTree(n, &root)) {
            ++nodes;
            if (n->url == "http://deep/") {
                for (const BookmarkNode* p = n; p != &root; p = p->Parent()) ++deepest;
            }
        }
        return nodes;
    };
    std::size_t depth = 0;
    std::size_t nodes = count(Tree().Root(), depth);
    EXPECT_EQ(nodes, 3u + kDepth);
    EXPECT_EQ(depth, kDepth + 1u);

    Page("http://new/");
    router.Run(ID_BOOKMARK_ADD);
    frame.Exit().bookmarks.Emit();
    CBookmarkStore again(settings, messageBox, path, path);
    std::size_t depthAgain = 0;
    EXPECT_EQ(count(again.Tree().Root(), depthAgain), nodes + 1);
    EXPECT_EQ(depthAgain, depth);
    EXPECT_EQ(again.Tree().Root().FirstChild()->name, "A&B_C");
    EXPECT_EQ(again.Tree().Root().FirstChild()->Next()->name, bigName);
}

}  // namespace
}  // namespace fern
