#include "bookmarks/BookmarkTip.h"

#include <gtest/gtest.h>

#include "bookmarks/DatePicture.h"

namespace fern {
namespace {

std::string Tip(const char* name, const std::string& url, std::uint32_t style, std::uint32_t exstyle,
                int bits, std::uint16_t type = kItemUrl) {
    auto node = MakeBookmarkNode(type, name, url, style, exstyle, 0);
    return TipText(*node, bits, "yy");
}

TEST(BookmarkTip, UrlAndSecurityLines) {
    EXPECT_EQ(Tip("Example", "http://e/", 112, 1, 0), "");
    EXPECT_EQ(Tip("Example", "http://e/", 112, 1, 1), "Example");
    EXPECT_EQ(Tip("Example", "http://e/", 112, 1, 2), "http://e/");
    EXPECT_EQ(Tip("Example", "http://e/", 112, 1, 3), "Example\nhttp://e/");
    EXPECT_EQ(Tip("http://a/", "http://a/", 112, 1, 3), "http://a/");  // shown once
    EXPECT_EQ(Tip("n", "", 112, 1, 3), "n");
    std::string compact = Tip("x", "http://e/" + std::string(200, 'a') + "/page.html", 112, 1, 2);
    EXPECT_EQ(compact.size(), 119u);
    EXPECT_EQ(compact.substr(compact.size() - 13), ".../page.html");

    EXPECT_EQ(Tip("n", "", 112, 2, 1), "n\n初期値で開きます");
    EXPECT_EQ(Tip("n", "", 112, 0, 1), "n\nImg O Vid O Snd O Scr O Jav O Rax O Dax O ");
    EXPECT_EQ(Tip("n", "", 0x7F0, 0, 1), "n\nImg O Vid O Snd O Scr X Jav X Rax X Dax X ");
    EXPECT_EQ(Tip("n", "", 0x110, 0, 1), "n\nImg O Vid X Snd X Scr O Jav X Rax O Dax O ");
    EXPECT_EQ(Tip("n", "", 112, 7, 1), "n");
    EXPECT_EQ(Tip("f", "", 112, 2, 15, kItemFolder), "");  // folders have neither
}

TEST(BookmarkTip, MemoAndCreationDate) {
    auto node = MakeBookmarkNode(kItemUrl, "n", "u", 112, 1, 1700000000);
    node->desc = "行1\x02\x02行2\x02\x02";
    std::string date = FormatLocalTime(1700000000, "yyyy");
    EXPECT_EQ(TipText(*node, 4, "yyyy"), "Memo : 行1\n\t行2");
    EXPECT_EQ(TipText(*node, 15, "yyyy"), "n\nu\nMemo : 行1\n\t行2\n作成日時 " + date);
    auto folder = MakeBookmarkNode(kItemFolder, "f", "", 112, 0, 1700000000);
    folder->desc = "m";
    EXPECT_EQ(TipText(*folder, 15, "yyyy"), "Memo : m\n作成日時 " + date);
    auto separator = MakeBookmarkNode(kItemSeparator, "", "", 112, 0, 1700000000);
    EXPECT_EQ(TipText(*separator, 15, "yyyy"), "");
    node->created = 0;  // unknown
    EXPECT_EQ(TipText(*node, 8, "yyyy"), "");
    EXPECT_EQ(MemoTipText("a\x02\x02\x02\x02"), "a\n\t");  // only one trailing break goes
}

}  // namespace
}  // namespace fern
