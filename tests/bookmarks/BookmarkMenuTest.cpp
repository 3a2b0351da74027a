#include "bookmarks/BookmarkMenu.h"

#include <gtest/gtest.h>

#include "bookmarks/BookmarkOptions.h"
#include "bookmarks/BookmarkTestTree.h"

namespace fern {
namespace {

using Type = BookmarkMenuItem::Type;
using Action = BookmarkMenuAction::Type;

// "C text" for commands ("C*" for 34000), "S text" for submenus, "-".
std::string Describe(const std::vector<BookmarkMenuItem>& items) {
    std::string out;
    for (const BookmarkMenuItem& item : items) {
        if (item.type == Type::Separator) out += "-|";
        else if (item.type == Type::Submenu) out += "S " + item.text + "|";
        else out += (item.commandId == kBookmarkMenuCommand ? "C* " : "C ") + item.text + "|";
    }
    return out;
}

struct MenuFixture {
    BookmarkTree tree = testing::MakeTestTree();
    BookmarkNode* folder;
    BookmarkNode* inner;

    MenuFixture() {
        tree.AddNode(tree.Root(), "Page", "http://page/", kItemUrl, 0x90, 0);
        tree.AddNode(tree.Root(), "", "", kItemSeparator, 112, 1);
        folder = tree.AddNode(tree.Root(), "Folder", "", kItemFolder, 112, 1);
        tree.AddNode(*folder, "In", "http://in/", kItemUrl, 112, 2);
        inner = tree.AddNode(*folder, "Inner", "", kItemFolder, 112, 1);
    }

    // Builds `menu` on the root and opens the folder's submenu.
    int OpenFolder(BookmarkMenu& menu) {
        menu.Rebuild(&tree.Root());
        int sub = menu.Items(0)[5].submenu;
        EXPECT_FALSE(menu.IsFilled(sub));
        EXPECT_TRUE(menu.BuildMenu(sub));
        return sub;
    }
};

const char kTop[] = "C 追加(&A)|C すべて追加(&C)|-|C* Page|-|S Folder|";

TEST(BookmarkMenu, PopupsAndTheOptionalFirstItems) {
    MenuFixture f;
    struct Case {
        int bkStyle;
        const char* folderMenu;
    } cases[] = {
        {0, "C* In|S Inner|"},
        {kBkMenuAddHere, "C* ここに追加(&A)|-|C* In|S Inner|"},
        {kBkMenuOpenFolder, "C* フォルダのURLを開く(&O)|-|C* In|S Inner|"},
        {kBkMenuAddHere | kBkMenuOpenFolder, "C* ここに追加(&A)|C* フォルダのURLを開く(&O)|-|C* In|S Inner|"},
    };
    for (const Case& c : cases) {
        BookmarkOptions options;
        options.style = c.bkStyle;
        BookmarkMenu menu(BookmarkMenu::Top::MainMenu, BookmarkMenuOptions::ForMainMenu(options));
        int sub = f.OpenFolder(menu);
        EXPECT_EQ(Describe(menu.Items(0)), kTop);  // never on the main popup itself
        EXPECT_EQ(Describe(menu.Items(sub)), c.folderMenu) << c.bkStyle;
        const BookmarkMenuEntry* entry = menu.Entry(menu.Items(sub).back().entry);
        EXPECT_EQ(entry->node, f.inner);
        EXPECT_EQ(entry->marker, 0xFFFF);
    }

    // Refilling the top drops the old submenus and records.
    BookmarkMenu menu(BookmarkMenu::Top::MainMenu, {});
    f.OpenFolder(menu);
    f.tree.AddNode(f.tree.Root(), "New", "http://new/", kItemUrl, 112, 1);
    ASSERT_TRUE(menu.BuildMenu(BookmarkMenu::kTopPopup));
    EXPECT_EQ(Describe(menu.Items(0)), std::string(kTop) + "C* New|");
    EXPECT_EQ(menu.PopupCount(), 2u);
    EXPECT_EQ(menu.EntryCount(), 3u);

    // The link bar takes the two items from LBStyle; its folder menu is built
    // like any folder submenu.
    BookmarkOptions options;
    options.style = kBkMenuAddHere | kBkMenuOpenFolder;
    BookmarkMenu linkBar(BookmarkMenu::Top::FolderMenu,
                         BookmarkMenuOptions::ForLinkBar(options, kLbMenuOpenFolder));
    linkBar.Rebuild(f.folder, &f.tree.Root());
    EXPECT_EQ(Describe(linkBar.Items(0)), "C* フォルダのURLを開く(&O)|-|C* In|S Inner|");
}

TEST(BookmarkMenu, ItemTextsAreCut) {
    std::string kanji(127, 'b');  // then double-byte characters: byte 128 is a second byte
    while (kanji.size() < 200) kanji += "表";
    BookmarkMenuOptions off;
    EXPECT_EQ(BookmarkMenuText(std::string(200, 'a'), off), std::string(128, 'a') + "...");
    EXPECT_EQ(BookmarkMenuText(kanji, off), std::string(127, 'b') + "....");
    EXPECT_EQ(BookmarkMenuText(std::string(128, 'c'), off), std::string(128, 'c'));
    BookmarkMenuOptions on;
    on.limitText = true;
    on.textLimit = 20;
    EXPECT_EQ(BookmarkMenuText(std::string(200, 'a'), on), std::string(20, 'a') + "...");
    EXPECT_EQ(BookmarkMenuText("aソフト表ソフト表ソフト表", on), "aソフト表ソフト表ソ....");
    EXPECT_EQ(BookmarkMenuText("short", on), "short");
    on.textLimit = 0;  // a hand-edited limit still leaves a text
    EXPECT_EQ(BookmarkMenuText("abc", on), "a...");
}

TEST(BookmarkMenu, PromptsAndCommandsOfTheRecords) {
    MenuFixture f;
    BookmarkOptions options;
    options.style = kBkMenuAddHere | kBkMenuOpenFolder;
    BookmarkMenu menu(BookmarkMenu::Top::MainMenu, BookmarkMenuOptions::ForMainMenu(options));
    const auto& items = menu.Items(f.OpenFolder(menu));

    menu.SetHighlighted(menu.Items(0)[3].entry);  // "Page"
    EXPECT_EQ(menu.MenuPrompt(kBookmarkMenuCommand), "http://page/");
    EXPECT_EQ(menu.MenuPrompt(kBookmarkAddCommand), "");
    for (int style : {0, 1, 2, 3}) {  // BKStyle bits 0 and 1 give open flags 1 and 2
        BookmarkMenuAction open = menu.ExecuteMenuEntry(kBookmarkMenuCommand, style);
        EXPECT_EQ(open.type, Action::Open);
        EXPECT_EQ(open.url, "http://page/");
        EXPECT_EQ(open.openFlags, style);
        EXPECT_EQ(open.style, 0x90u);
        EXPECT_EQ(open.exstyle, 0u);
    }
    menu.SetHighlighted(items[0].entry);
    EXPECT_EQ(menu.MenuPrompt(kBookmarkMenuCommand), "フォルダに追加します。");
    BookmarkMenuAction add = menu.ExecuteMenuEntry(kBookmarkMenuCommand, 0);
    EXPECT_EQ(add.type, Action::AddHere);
    EXPECT_EQ(add.node, f.folder);
    menu.SetHighlighted(items[1].entry);
    EXPECT_EQ(menu.MenuPrompt(kBookmarkMenuCommand), "フォルダのURLを開きます。");
    EXPECT_EQ(menu.ExecuteMenuEntry(kBookmarkMenuCommand, 0).type, Action::OpenFolder);

    // Another command, no record, or a record whose node is gone: nothing.
    EXPECT_EQ(menu.ExecuteMenuEntry(kBookmarkAddCommand, 0).type, Action::None);
    menu.SetHighlighted(-1);
    EXPECT_EQ(menu.ExecuteMenuEntry(kBookmarkMenuCommand, 0).type, Action::None);
    int inEntry = items[3].entry, innerMenu = items[4].submenu;
    f.folder->FirstChild()->Detach();  // "In", deleted
    EXPECT_EQ(menu.ExecuteEntry(inEntry, 0).type, Action::None);
    f.inner->Detach();
    EXPECT_FALSE(menu.BuildMenu(innerMenu));
    EXPECT_TRUE(menu.Items(innerMenu).empty());
}

}  // namespace
}  // namespace fern
