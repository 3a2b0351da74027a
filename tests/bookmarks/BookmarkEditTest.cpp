#include "bookmarks/BookmarkEdit.h"

#include <gtest/gtest.h>

namespace fern {
namespace {

TEST(BookmarkEdit, NamesAndUrlsLoseLineEndsAndTabs) {
    struct Case {
        std::string typed, kept;
    } cases[] = {
        {"plain", "plain"},       {"two\r\nlines", "twolines"},
        {"\ttabbed\t", "tabbed"}, {"ソフト\n表示", "ソフト表示"},  // "ソ" and "表" end in 0x5C: not touched
        {"a\rb\nc", "abc"},
    };
    for (const Case& c : cases) EXPECT_EQ(CleanFieldText(c.typed), c.kept) << c.typed;
    // The limit never splits a character.
    EXPECT_EQ(CleanFieldText("abソ", 3), "ab");
    EXPECT_EQ(CleanFieldText(std::string(3000, 'x')).size(), kEditTextLimit);
}

TEST(BookmarkEdit, TheMemoKeepsItsBreaksAndIsCutOnWholeCharacters) {
    EXPECT_EQ(MemoForEditing("one\x02\x02two"), "one\r\ntwo");
    struct Case {
        std::string shown, stored;
    } cases[] = {
        {"one\r\ntwo", "one\x02\x02two"},
        {"one\ntwo\r", "one\x02\x02two\x02\x02"},
        {"日本語", "日本語"},
    };
    for (const Case& c : cases) EXPECT_EQ(MemoForStoring(c.shown), c.stored);
    // 259 single bytes, then a double-byte character: it does not fit whole.
    std::string memo = std::string(259, 'a') + "あ";
    EXPECT_EQ(MemoForStoring(memo), std::string(259, 'a'));
    // Nor does a break, whose two bytes belong together.
    EXPECT_EQ(MemoForStoring(std::string(259, 'a') + "\r\n"), std::string(259, 'a'));
    // 130 characters of two bytes fill it exactly.
    std::string wide;
    for (int i = 0; i < 140; ++i) wide += "あ";
    EXPECT_EQ(MemoForStoring(wide).size(), kEditMemoLimit);
    // A round trip of a stored memo gives it back.
    EXPECT_EQ(MemoForStoring(MemoForEditing("a\x02\x02ソ\x02\x02")), "a\x02\x02ソ\x02\x02");
}

TEST(BookmarkEdit, TheSwitchesAndTheSecurityModeGoBackIntoTheStyle) {
    auto node = MakeBookmarkNode(kItemUrl, "n", "http://n/", 0x70, 1, 0);
    BookmarkEditFields f = EditFieldsOf(*node, "yy");
    EXPECT_TRUE(f.images && f.videos && f.sounds && f.scripts && f.java && f.activexRun && f.activexDownload);
    EXPECT_EQ(f.created, "");  // unknown
    struct Case {
        void (*edit)(BookmarkEditFields&);
        std::uint32_t style;
    } cases[] = {
        {[](BookmarkEditFields& e) { e.images = false; }, 0x60},
        {[](BookmarkEditFields& e) { e.scripts = false; }, 0xF0},
        {[](BookmarkEditFields& e) { e.java = e.activexRun = e.activexDownload = false; }, 0x770},
        {[](BookmarkEditFields& e) { e.videos = e.sounds = false; }, 0x10},
    };
    for (const Case& c : cases) {
        auto n = MakeBookmarkNode(kItemUrl, "n", "http://n/", 0x70 | 0x1000, 1, 0);  // an unknown bit stays
        BookmarkEditFields e = EditFieldsOf(*n, "");
        c.edit(e);
        e.securityMode = 0;
        ApplyEditFields(e, *n);
        EXPECT_EQ(n->style, c.style | 0x1000);
        EXPECT_EQ(n->exstyle, 0u);
    }
    // A folder keeps its url text and style whatever the fields say.
    auto folder = MakeBookmarkNode(kItemFolder, "F", "", 112, 1, 0);
    BookmarkEditFields ff = EditFieldsOf(*folder, "");
    EXPECT_TRUE(ff.folder);
    ff.url = "http://x/";
    ff.images = false;
    ff.name = "New\tname";
    ApplyEditFields(ff, *folder);
    EXPECT_EQ(folder->name, "Newname");
    EXPECT_EQ(folder->url, kFolderUrlText);
    EXPECT_EQ(folder->style, 112u);
}

}  // namespace
}  // namespace fern
