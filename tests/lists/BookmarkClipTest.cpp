#include "lists/BookmarkClip.h"

#include <gtest/gtest.h>

namespace fern {
namespace {

// Every field of every node below `top`, one line each.
std::string Fields(const BookmarkNode& top) {
    std::string out;
    for (const BookmarkNode* n = NextInTree(&top, &top); n; n = NextInTree(n, &top)) {
        int depth = 0;
        for (const BookmarkNode* p = n->Parent(); p != &top; p = p->Parent()) ++depth;
        out += std::to_string(depth) + " " + std::to_string(n->type) + " [" + n->name + "] [" + n->url +
               "] [" + n->desc + "] " + std::to_string(n->style) + " " + std::to_string(n->exstyle) + " " +
               std::to_string(n->created) + "\n";
    }
    return out;
}

TEST(BookmarkClip, EveryFieldOfEveryCarriedNodeComesBack) {
    auto tree = MakeBookmarkNode(kItemFolder, "root", "", 112, 1, 0);
    BookmarkNode* page = AddBookmarkNode(*tree, kItemUrl, "ソフト表示", "http://ソ/", 0x7F0, 2, 1700000000);
    page->desc = "一行目\x02\x02二行目\x02\x02";
    BookmarkNode* folder = AddBookmarkNode(*tree, kItemFolder, "フォルダ", "", 112, 1, 5);
    folder->desc = "memo";
    AddBookmarkNode(*folder, kItemUrl, "in", "http://in/", 0x10, 0, 6);
    AddBookmarkNode(*folder, kItemSeparator, "", "", 112, 1, 0);
    BookmarkNode* deeper = AddBookmarkNode(*folder, kItemFolder, "深い", "", 112, 1, 7);
    AddBookmarkNode(*deeper, kItemUrl, "deep", "http://deep/", 0x80, 1, 8);
    AddBookmarkNode(*tree, kItemUrl, "not carried", "http://no/", 112, 1, 0);

    std::string bytes = BookmarkClipBytes({page, nullptr, folder});
    std::unique_ptr<BookmarkNode> back = ParseBookmarkClip(bytes);
    auto expected = MakeBookmarkNode(kItemFolder, "", "", 112, 1, 0);
    expected->AppendChild(CopyBookmarkSubtree(*page));
    expected->AppendChild(CopyBookmarkSubtree(*folder));
    EXPECT_EQ(Fields(*back), Fields(*expected));
    EXPECT_NE(Fields(*back).find("[一行目\x02\x02二行目\x02\x02]"), std::string::npos);

    std::vector<UrlItem> urls = BookmarkClipUrls(bytes);
    ASSERT_EQ(urls.size(), 3u);  // in display order, separators and folders left out
    EXPECT_EQ(urls[0].url, "http://ソ/");
    EXPECT_EQ(urls[0].style, 0x7F0u);
    EXPECT_EQ(urls[0].exstyle, 2u);
    EXPECT_EQ(urls[1].url, "http://in/");
    EXPECT_EQ(urls[2].url, "http://deep/");
}

TEST(BookmarkClip, BytesThatCarryNoBookmarksGiveNone) {
    const char* inputs[] = {"", "garbage\r\n\x81", "#URL\r\n\tURL=http://x/\r\n", "#INFO\r\n\r\n-\r\n-\r\n"};
    for (const char* input : inputs) {
        EXPECT_TRUE(BookmarkClipUrls(input).empty()) << input;
        EXPECT_EQ(ParseBookmarkClip(input)->FirstChild(), nullptr);
    }
    EXPECT_TRUE(BookmarkClipUrls(BookmarkClipBytes({})).empty());
}

}  // namespace
}  // namespace fern
