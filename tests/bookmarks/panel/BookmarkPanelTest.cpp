#include "bookmarks/panel/BookmarkPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bookmarks/BookmarkTestTree.h"
#include "bookmarks/exchange/BrowserImport.h"
#include "bookmarks/exchange/Netscape.h"
#include "lists/BookmarkClip.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"

namespace fern {
namespace {

using testing::Child;
using testing::MakeTestTree;
using testing::Outline;

struct FakeView : IBookmarkTreeView {
    int shown = 0;
    std::vector<BookmarkNode*> selected;
    void ShowTree(const std::vector<BookmarkNode*>& select) override {
        ++shown;
        selected = select;
    }
    void ExpandAll(bool) override {}
};

struct FakeClipboard : IBookmarkClipboard {
    BookmarkTransfer held;
    void PutNodes(const std::string& bytes, const std::string& text) override { held = {bytes, text, {}}; }
    void PutText(const std::string& text) override { held = {{}, text, {}}; }
    BookmarkTransfer Get() override { return held; }
    bool HasData() override { return !held.Empty(); }
};

struct Opened {
    std::string url;
    bool newTab, source;
};

// Root: A (folder: a1, a2), B (folder: b1), u1, u2, separator; trash empty.
struct PanelFixture : ::testing::Test {
    BookmarkTree tree = MakeTestTree();
    FakeView view;
    FakeClipboard clipboard;
    std::vector<Opened> opened;
    int changes = 0;
    CBookmarkPanel panel{tree, view, clipboard,
                         CBookmarkPanel::Host{[this](const UrlItem& n, bool nt, bool src) {
                                                  opened.push_back({n.url, nt, src});
                                              },
                                              [this] { ++changes; }}};
    BookmarkNode *a, *b, *u1, *u2;

    void SetUp() override {
        BookmarkNode& root = tree.Root();
        a = tree.AddNode(root, "A", "", kItemFolder, 112, 1);
        tree.AddNode(*a, "a1", "http://a1/", kItemUrl, 112, 1);
        tree.AddNode(*a, "a2", "http://a2/", kItemUrl, 112, 1);
        b = tree.AddNode(root, "B", "", kItemFolder, 112, 1);
        tree.AddNode(*b, "b1", "http://b1/", kItemUrl, 112, 1);
        u1 = tree.AddNode(root, "u1", "http://u1/", kItemUrl, 112, 1);
        u2 = tree.AddNode(root, "u2", "http://u2/", kItemUrl, 112, 1);
        tree.AddNode(root, "", "", kItemSeparator, 112, 1);
        panel.SetBarStyle(kBarUseTrash);
    }
    std::string Bytes() const { return SerializeBookmarkFile(tree.Root(), tree.Trash()); }
    std::string Trash() const { return Outline(tree.Trash()); }
    void Select(std::vector<BookmarkNode*> nodes) { panel.SetSelection(std::move(nodes)); }
};

const char kStart[] =
    "D A\n  U a1 <http://a1/>\n  U a2 <http://a2/>\nD B\n  U b1 <http://b1/>\nU u1 <http://u1/>\n"
    "U u2 <http://u2/>\n-\n";

// Each kind of record, undone and redone: (action, outline after it).
TEST_F(PanelFixture, EachUndoKindAndItsRedo) {
    struct Case {
        const char* name;
        std::function<void()> act;
        std::string after;
    };
    const Case cases[] = {
        {"insert (paste)",
         [&] {
             clipboard.held = {{}, "http://new/", {}};
             Select({u2});
             panel.Paste();
         },
         "D A\n  U a1 <http://a1/>\n  U a2 <http://a2/>\nD B\n  U b1 <http://b1/>\nU u1 <http://u1/>\n"
         "U u2 <http://u2/>\nU 新しいアイテム <http://new/>\n-\n"},
        {"delete for good",
         [&] {
             Select({a});
             panel.Delete(true);
         },
         "D B\n  U b1 <http://b1/>\nU u1 <http://u1/>\nU u2 <http://u2/>\n-\n"},
        {"edit",
         [&] {
             BookmarkFields f = FieldsOf(*u1);
             f.name = "renamed";
             f.url = "http://renamed/";
             panel.ApplyEdit(u1, f);
         },
         "D A\n  U a1 <http://a1/>\n  U a2 <http://a2/>\nD B\n  U b1 <http://b1/>\n"
         "U renamed <http://renamed/>\nU u2 <http://u2/>\n-\n"},
        {"move (drop into a folder)",
         [&] {
             panel.Drop({}, b, DropPosition::Into, {u1, u2});
         },
         "D A\n  U a1 <http://a1/>\n  U a2 <http://a2/>\nD B\n  U b1 <http://b1/>\n  U u1 <http://u1/>\n"
         "  U u2 <http://u2/>\n-\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string start = Bytes();
        c.act();
        EXPECT_EQ(Outline(tree.Root()), c.after);
        ASSERT_TRUE(panel.CanUndo());
        EXPECT_FALSE(panel.CanRedo());
        panel.Undo();
        EXPECT_EQ(Bytes(), start);
        EXPECT_TRUE(panel.CanRedo());
        panel.Redo();
        EXPECT_EQ(Outline(tree.Root()), c.after);
        panel.Undo();
        EXPECT_EQ(Bytes(), start);
        panel.ClearHistory();
    }
}

TEST_F(PanelFixture, FiftyStepsBackAndForthAreByteIdentical) {
    const std::string start = Bytes();
    std::vector<std::string> states{start};
    for (int i = 0; i < 50; ++i) {
        BookmarkNode& root = tree.Root();
        switch (i % 7) {
            case 0:
                Select({root.FirstChild()});
                panel.Delete(false);
                break;  // to the trash
            case 1:
                Select({root.LastChild()});
                panel.Delete(true);
                break;  // for good
            case 2:
                clipboard.held = {{}, "http://x" + std::to_string(i), {}};
                Select({root.FirstChild()});
                panel.Paste();
                break;
            case 3:
                Select({&root});
                panel.SortOrder() = BookmarkSortOrder::Descending;
                panel.Sort(BookmarkSortKey::Title);
                break;
            case 4:
                Select({tree.Trash().FirstChild() ? tree.Trash().FirstChild() : root.FirstChild()});
                panel.Cut();
                Select({&root});
                panel.Paste();
                break;
            case 5: {
                BookmarkFields f = FieldsOf(*root.FirstChild());
                f.name += "+";
                f.desc = "m";
                panel.ApplyEdit(root.FirstChild(), f);
                break;
            }
            case 6: panel.Drop({}, root.LastChild(), DropPosition::Before, {root.FirstChild()}); break;
        }
        if (Bytes() != states.back()) states.push_back(Bytes());
    }
    ASSERT_GE(panel.History().UndoCount(), 45u);
    const std::string end = Bytes();
    while (panel.CanUndo()) panel.Undo();
    EXPECT_EQ(Bytes(), start);
    while (panel.CanRedo()) panel.Redo();
    EXPECT_EQ(Bytes(), end);
    while (panel.CanUndo()) panel.Undo();
    EXPECT_EQ(Bytes(), start);
}

TEST_F(PanelFixture, UndoAndRedoSelectWhatTheyChanged) {
    Select({u1});
    panel.Delete(false);
    EXPECT_TRUE(view.selected.empty());
    panel.Undo();
    EXPECT_EQ(view.selected, std::vector<BookmarkNode*>{u1});
    EXPECT_EQ(panel.Selection(), std::vector<BookmarkNode*>{u1});
    panel.Redo();
    EXPECT_EQ(view.selected, std::vector<BookmarkNode*>{u1});  // now in the trash
    EXPECT_EQ(u1->Parent(), &tree.Trash());
}

TEST_F(PanelFixture, NewActionAfterUndoEmptiesRedo) {
    Select({u1});
    panel.Delete(false);
    panel.Undo();
    ASSERT_TRUE(panel.CanRedo());
    Select({u2});
    panel.Delete(false);
    EXPECT_FALSE(panel.CanRedo());
}

TEST_F(PanelFixture, TrashRules) {
    struct Case {
        const char* name;
        int barStyle;
        bool shift;
        bool inTrash;
        bool endsInTrash;
    };
    const Case cases[] = {
        {"trash on: into the trash", kBarUseTrash, false, false, true},
        {"trash on, Shift: for good", kBarUseTrash, true, false, false},
        {"trash on, inside the trash: for good", kBarUseTrash, false, true, false},
        {"trash off: for good", 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BookmarkTree t = MakeTestTree();
        FakeView v;
        FakeClipboard cb;
        CBookmarkPanel p(t, v, cb, {});
        p.SetBarStyle(c.barStyle);
        BookmarkNode* node = t.AddNode(c.inTrash ? t.Trash() : t.Root(), "x", "http://x/", kItemUrl, 112, 1);
        p.SetSelection({node});
        p.Delete(c.shift);
        EXPECT_EQ(Outline(t.Root()), "");
        EXPECT_EQ(Outline(t.Trash()), c.endsInTrash ? "U x <http://x/>\n" : "");
        p.Undo();
        EXPECT_EQ(Outline(c.inTrash ? t.Trash() : t.Root()), "U x <http://x/>\n");
    }
}

TEST_F(PanelFixture, EmptyTrashDeletesEveryChildAndCanBeUndone) {
    Select({a, u1});
    panel.Delete(false);
    EXPECT_EQ(Trash(), "D A\n  U a1 <http://a1/>\n  U a2 <http://a2/>\nU u1 <http://u1/>\n");
    ASSERT_TRUE(panel.CanEmptyTrash());
    panel.EmptyTrash();
    EXPECT_EQ(Trash(), "");
    EXPECT_FALSE(panel.CanEmptyTrash());
    panel.Undo();
    EXPECT_EQ(Trash(), "D A\n  U a1 <http://a1/>\n  U a2 <http://a2/>\nU u1 <http://u1/>\n");
}

TEST_F(PanelFixture, RootAndTrashAreNeverDeletedMovedOrCut) {
    const std::string start = Bytes();
    Select({&tree.Root(), &tree.Trash()});
    EXPECT_FALSE(panel.CanChange());
    EXPECT_FALSE(panel.CanEdit());
    panel.Delete(true);
    panel.Cut();
    EXPECT_FALSE(panel.MoveNodes({&tree.Trash()}, {&tree.Root(), nullptr}));
    EXPECT_FALSE(panel.Drop({}, a, DropPosition::Into, {&tree.Root()}));
    EXPECT_EQ(Bytes(), start);
    EXPECT_FALSE(panel.CanUndo());
}

TEST_F(PanelFixture, RefusedMoves) {
    BookmarkNode* inner = tree.AddNode(*a, "inner", "", kItemFolder, 112, 1);
    const std::string start = Bytes();
    struct Case {
        const char* name;
        BookmarkNode* target;
        DropPosition where;
    };
    const Case cases[] = {
        {"a folder into itself", a, DropPosition::Into},
        {"a folder below itself", inner, DropPosition::Into},
        {"beside its own child", a->FirstChild(), DropPosition::After},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(panel.Drop({}, c.target, c.where, {a, u1}));
        EXPECT_EQ(Bytes(), start);
    }
    EXPECT_FALSE(panel.CanUndo());
}

TEST_F(PanelFixture, AFolderAndItsChildrenActOnce) {
    BookmarkNode* a1 = a->FirstChild();
    Select({a1, a, a1});
    EXPECT_EQ(panel.Selection(), std::vector<BookmarkNode*>{a});
    EXPECT_EQ(panel.StatusText(nullptr), "3 個のオブジェクトを選択中..");
    panel.Copy();
    std::unique_ptr<BookmarkNode> carried = ParseBookmarkClip(clipboard.held.privateBytes);
    EXPECT_EQ(Outline(*carried), "D A\n  U a1 <http://a1/>\n  U a2 <http://a2/>\n");
    panel.Delete(false);
    EXPECT_EQ(Trash(), "D A\n  U a1 <http://a1/>\n  U a2 <http://a2/>\n");
    EXPECT_EQ(panel.History().UndoCount(), 1u);
}

TEST_F(PanelFixture, CutAndPasteBetweenFolders) {
    Select({a->FirstChild()});
    panel.Cut();
    Select({b});
    ASSERT_TRUE(panel.Paste());
    EXPECT_EQ(Outline(*a), "U a2 <http://a2/>\n");
    EXPECT_EQ(Outline(*b), "U b1 <http://b1/>\nU a1 <http://a1/>\n");
    // Pasted after a selected bookmark, and again: the clipboard keeps its copy.
    Select({b->FirstChild()});
    ASSERT_TRUE(panel.Paste());
    EXPECT_EQ(Outline(*b), "U b1 <http://b1/>\nU a1 <http://a1/>\nU a1 <http://a1/>\n");
    panel.Undo();
    panel.Undo();
    panel.Undo();
    EXPECT_EQ(Outline(tree.Root()), kStart);
}

TEST_F(PanelFixture, PasteAndDropTakeTextAndUrlFiles) {
    testing::TempFolder folder;
    const std::string shortcut = folder.Path() + "/site.URL";
    ASSERT_TRUE(WriteFileAtomic(shortcut, "[InternetShortcut]\r\nURL=http://from-file/\r\n"));
    ASSERT_TRUE(panel.Drop({{}, {}, {shortcut}}, b, DropPosition::Into));
    ASSERT_TRUE(panel.Drop({{}, "\r\n  http://text/  \r\nsecond\r\n", {}}, b, DropPosition::Into));
    EXPECT_EQ(Outline(*b),
              "U b1 <http://b1/>\nU site <http://from-file/>\nU 新しいアイテム <http://text/>\n");
    EXPECT_FALSE(panel.Drop({{}, " \r\n", {}}, b, DropPosition::Into));
    // Bytes that are not the private format at all add nothing.
    clipboard.held = {"garbage\x01\x02", {}, {}};
    Select({b});
    EXPECT_FALSE(panel.Paste());
}

TEST_F(PanelFixture, SortOneLevelByTitleOrAddressEitherWay) {
    BookmarkNode& f = *tree.AddNode(tree.Root(), "S", "", kItemFolder, 112, 1);
    tree.AddNode(f, "beta", "http://c/", kItemUrl, 112, 1);
    tree.AddNode(f, "", "", kItemSeparator, 112, 1);
    BookmarkNode* sub = tree.AddNode(f, "zeta", "", kItemFolder, 112, 1);
    tree.AddNode(*sub, "z2", "http://2/", kItemUrl, 112, 1);
    tree.AddNode(*sub, "z1", "http://1/", kItemUrl, 112, 1);
    tree.AddNode(f, "Alpha", "http://b/", kItemUrl, 112, 1);
    tree.AddNode(f, "gamma", "http://a/", kItemUrl, 112, 1);
    const std::string before = Outline(f);
    struct Case {
        BookmarkSortKey key;
        BookmarkSortOrder order;
        const char* names;
    };
    const Case cases[] = {
        {BookmarkSortKey::Title, BookmarkSortOrder::Ascending, "zeta Alpha beta gamma <セパレータ> "},
        {BookmarkSortKey::Title, BookmarkSortOrder::Descending, "zeta gamma beta Alpha <セパレータ> "},
        {BookmarkSortKey::Address, BookmarkSortOrder::Ascending, "zeta gamma Alpha beta <セパレータ> "},
        {BookmarkSortKey::Address, BookmarkSortOrder::Descending, "zeta beta Alpha gamma <セパレータ> "},
    };
    for (const Case& c : cases) {
        Select({&f});
        panel.SortOrder() = c.order;
        panel.Sort(c.key);
        std::string names;
        for (BookmarkNode* n = f.FirstChild(); n; n = n->Next()) names += n->name + " ";
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(Outline(*sub), "U z2 <http://2/>\nU z1 <http://1/>\n");  // one level only
        panel.Undo();
        EXPECT_EQ(Outline(f), before);
    }
}

// Records own what they took out: a delete for good, an emptied trash and a
// reload leave nothing dangling (this runs under AddressSanitizer too).
TEST_F(PanelFixture, DeleteForGoodThenUndoOfOlderSteps) {
    panel.Drop({}, a, DropPosition::Into, {u1});  // 1: u1 into A
    BookmarkFields f = FieldsOf(*u1);
    f.name = "edited";
    panel.ApplyEdit(u1, f);  // 2: an edit of u1 inside A
    Select({a});
    panel.Delete(true);  // 3: A with u1 for good
    Select({b});
    panel.Delete(false);  // 4: B into the trash
    panel.EmptyTrash();   // 5: B for good
    EXPECT_EQ(Outline(tree.Root()), "U u2 <http://u2/>\n-\n");
    while (panel.CanUndo()) panel.Undo();
    EXPECT_EQ(Outline(tree.Root()), kStart);
    while (panel.CanRedo()) panel.Redo();
    EXPECT_EQ(Outline(tree.Root()), "U u2 <http://u2/>\n-\n");
    // Undo two, then a new action frees the redo records' subtrees.
    panel.Undo();
    panel.Undo();
    Select({u2});
    panel.Delete(true);
    while (panel.CanUndo()) panel.Undo();
    EXPECT_EQ(Outline(tree.Root()), kStart);
}

TEST_F(PanelFixture, AReloadClearsTheUndoLists) {
    Select({a});
    panel.Delete(true);
    ASSERT_TRUE(panel.CanUndo());
    testing::TempFolder folder;
    tree.Load(folder.Path() + "/other.fbl");
    panel.Undo();  // must not touch the old tree's nodes
    EXPECT_FALSE(panel.CanUndo());
    EXPECT_FALSE(panel.CanRedo());
    EXPECT_TRUE(panel.Selection().empty());
}

TEST_F(PanelFixture, OpeningFollowsShiftAltAndTheSwitch) {
    BookmarkNode* a1 = a->FirstChild();
    Select({a1});
    panel.Open(false, false);
    panel.Open(true, false);
    panel.Open(false, true);
    panel.SetBarStyle(kBarOpenInNewTab);
    panel.Open(false, false);
    Select({a});
    EXPECT_FALSE(panel.CanOpen());
    tree.AddNode(*a, "sub", "", kItemFolder, 112, 1);
    EXPECT_EQ(panel.OpenFolder(), 2u);  // the subfolder is not opened
    Select({a1, b->FirstChild(), b});
    panel.OpenInNewTabs(false);
    std::vector<std::string> got;
    for (const Opened& o : opened)
        got.push_back(o.url + (o.newTab ? " new" : " here") + (o.source ? " source" : ""));
    EXPECT_EQ(got, (std::vector<std::string>{"http://a1/ here", "http://a1/ new", "http://a1/ here source",
                                             "http://a1/ new", "http://a1/ new", "http://a2/ new",
                                             "http://a1/ new", "http://b1/ new"}));
}

TEST_F(PanelFixture, StatusTextAndCommandsOnWrongSelections) {
    EXPECT_EQ(panel.StatusText(u1), "http://u1/");
    EXPECT_EQ(panel.StatusText(a), "");
    Select({u1});
    EXPECT_EQ(panel.StatusText(nullptr), "");
    Select({tree.Root().LastChild()});  // a separator
    EXPECT_FALSE(panel.CanEdit());
    EXPECT_FALSE(panel.CanCopyTitle());
    EXPECT_FALSE(panel.CanCopyUrl());
    EXPECT_FALSE(panel.CanSort());
    Select({});
    EXPECT_FALSE(panel.CanChange());
    EXPECT_FALSE(panel.CanOpenFolder());
    panel.Undo();
    panel.Redo();
    EXPECT_EQ(Outline(tree.Root()), kStart);
}

TEST_F(PanelFixture, NewNodesGoIntoTheSelectedFolderOrAfterTheItem) {
    Select({a});
    BookmarkNode* folder = panel.InsertNew(panel.NewFields(true), panel.NewPlace());
    EXPECT_EQ(folder->Parent(), a);
    EXPECT_EQ(folder->name, "新しいフォルダ");
    Select({u1});
    BookmarkNode* sep = panel.NewSeparator();
    EXPECT_EQ(sep->Prev(), u1);
    EXPECT_EQ(view.selected, std::vector<BookmarkNode*>{sep});
    // A place that went while the sheet was open falls back to the root.
    Select({b});
    BookmarkPlace stale = panel.NewPlace();
    panel.Delete(true);
    panel.ClearHistory();  // b is freed now
    BookmarkNode* added = panel.InsertNew(panel.NewFields(false), stale);
    EXPECT_EQ(added->Parent(), &tree.Root());
}

// An import goes where a paste goes, as one step: one undo takes all of it
// away, and a file that cannot be read leaves the tree as it was.
TEST_F(PanelFixture, AnImportIsOneUndoableStep) {
    testing::TempFolder folder;
    const std::string path = folder.File("bookmarks.html");
    ASSERT_TRUE(WriteFileAtomic(path,
                                "<DL><p>\r\n<DT><H3>F</H3>\r\n<DL><p>\r\n<DT><A HREF=\"http://i/\">in</A>\r\n"
                                "</DL><p>\r\n<DT><A HREF=\"http://t/\">top</A>\r\n</DL><p>\r\n"));
    const std::string start = Bytes();
    std::unique_ptr<BookmarkNode> scratch = tree.MakeScratchFolder();
    ASSERT_TRUE(ImportNetscape(path, tree, scratch.get()));
    Select({b});
    EXPECT_EQ(panel.InsertImported(*scratch), 2u);
    EXPECT_EQ(Outline(*b), "U b1 <http://b1/>\nD F\n  U in <http://i/>\nU top <http://t/>\n");
    panel.Undo();
    EXPECT_EQ(Bytes(), start);
    panel.Redo();
    EXPECT_EQ(Outline(*b), "U b1 <http://b1/>\nD F\n  U in <http://i/>\nU top <http://t/>\n");

    std::unique_ptr<BookmarkNode> none = tree.MakeScratchFolder();
    EXPECT_FALSE(ImportNetscape(folder.File("missing.html"), tree, none.get()));
    EXPECT_EQ(panel.InsertImported(*none), 0u);
    EXPECT_EQ(panel.History().UndoCount(), 1u);
}

// Another browser's profile read from the panel goes where the other
// imports go; a profile that cannot be read leaves the tree untouched.
TEST_F(PanelFixture, ABrowserProfileImportsIntoTheSelectedFolder) {
    testing::TempFolder profile;
    ASSERT_TRUE(
        WriteFileAtomic(profile.File("Bookmarks"),
                        R"({"roots": {"bookmark_bar": {"type": "folder", "name": "bar", "children": [)"
                        R"({"type": "url", "name": "x", "url": "http://x/"}]}}})"));
    const std::string start = Bytes();
    std::unique_ptr<BookmarkNode> broken = tree.MakeScratchFolder();
    EXPECT_FALSE(ReadBrowserProfile(BrowserFamily::Chromium, profile.File("none"), tree, *broken));
    EXPECT_EQ(Bytes(), start);

    std::unique_ptr<BookmarkNode> scratch = tree.MakeScratchFolder();
    ASSERT_TRUE(ReadBrowserProfile(BrowserFamily::Chromium, profile.Path(), tree, *scratch));
    EXPECT_EQ(Bytes(), start);
    Select({b});
    EXPECT_EQ(panel.InsertImported(*scratch), 1u);
    EXPECT_EQ(Outline(*b), "U b1 <http://b1/>\nD ブックマーク ツールバー\n  U x <http://x/>\n");
    panel.Undo();
    EXPECT_EQ(Bytes(), start);
}

}  // namespace
}  // namespace fern
