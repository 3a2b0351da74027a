#include "bookmarks/exchange/HtmlList.h"

#include <gtest/gtest.h>

#include "bookmarks/BookmarkTestTree.h"
#include "lists/ListTestText.h"
#include "lists/TempFolder.h"

namespace fern {
namespace {

using testing::MakeTestTree;
using testing::Outline;
using testing::TempFolder;

void FillSample(BookmarkTree& tree) {
    BookmarkNode& root = tree.Root();
    BookmarkNode* folder = tree.AddNode(root, "フォルダ表", "", kItemFolder, 112, 1);
    tree.AddNode(*folder, "ソフト", "http://soft/", kItemUrl, 0x90, 0);
    BookmarkNode* inner = tree.AddNode(*folder, "inner", "", kItemFolder, 112, 1);
    tree.AddNode(*inner, "", "", kItemSeparator, 112, 1);
    tree.AddNode(*folder, "empty", "", kItemFolder, 112, 1);
    tree.AddNode(root, "", "", kItemSeparator, 112, 1);
    tree.AddNode(root, "100%", "http://x/?a&b", kItemUrl, 112, 2);
    tree.AddNode(tree.Trash(), "old", "http://old/", kItemUrl, 112, 1);
}

TEST(HtmlList, WrittenBytes) {
    BookmarkTree tree = MakeTestTree();
    FillSample(tree);
    EXPECT_EQ(SerializeHtmlList(tree.Root(), &tree.Trash()),
              testing::Crlf("<HTML>\n<TITLE>Fern Browser BookMark</TITLE>\n"
                            "<UL>\n"
                            "\t<LI>フォルダ表<UL>\n"
                            "\t\t<LI><A HREF=\"http://soft/\">ソフト</A>\n"
                            "\t\t<LI>inner<UL>\n"
                            "\t\t\t<HR>\n"
                            "\t\t</UL>\n"
                            "\t\t<LI>empty<UL>\n"
                            "\t\t</UL>\n"
                            "\t</UL>\n"
                            "\t<HR>\n"
                            "\t<LI><A HREF=\"http://x/?a&b\">100%</A>\n"
                            "</UL>\n"
                            "<UL>\n"
                            "\t<LI><A HREF=\"http://old/\">old</A>\n"
                            "</UL>\n"
                            "</HTML>\n"));
}

TEST(HtmlList, ReadsBackWithDefaultStylesAndKeepsTheTimeStamp) {
    TempFolder folder;
    std::string path = folder.File("bookmark.htm");
    BookmarkTree source = MakeTestTree();
    FillSample(source);
    ASSERT_TRUE(WriteHtmlList(path, source).ok);

    std::uint32_t now = 50;
    BookmarkTree tree = MakeTestTree(&now);
    now = 60;
    ExchangeStatus status = ImportHtmlList(path, tree, nullptr);
    ASSERT_TRUE(status.ok);
    EXPECT_EQ(status.imported, 8u);
    // The trash's list is read into the target after the root's.
    EXPECT_EQ(Outline(tree.Root()), Outline(source.Root()) + "U old <http://old/>\n");
    for (const BookmarkNode* n = &tree.Root(); n; n = NextInTree(n, &tree.Root())) {
        EXPECT_EQ(n->style, 112u) << n->name;
        EXPECT_EQ(n->exstyle, 1u) << n->name;
        EXPECT_EQ(n->created, 50u) << n->name;
    }
    EXPECT_TRUE(tree.Modified());
}

TEST(HtmlList, OlderFormWithNumbersAndOddLines) {
    BookmarkTree tree = MakeTestTree();
    ParseHtmlList(
        "<HTML>\n<LI>outside<UL>\n"  // at the top a "<UL>" line only opens the list
        "<UL>\n"
        "  <LI ID=144 VALUE=0><A HREF=\"http://a/\">A</A>\n"
        "  <LI ID=999><A HREF=\"http://b/\">B</A>\n"
        "  <LI><A HREF=\"http://c/\">no name end\n"
        "  <LI><A HREF=no-quotes>x</A>\n"
        "  <LI> F <UL>\n"
        "  </UL>\n"
        "</UL>\n"
        "<LI><A HREF=\"http://after/\">after</A>\n",
        tree, tree.Root());
    EXPECT_EQ(Outline(tree.Root()), "U A <http://a/>\nU B <http://b/>\nU  <>\nD  F\n");
    const BookmarkNode* a = tree.Root().FirstChild();
    EXPECT_EQ(a->style, 144u);
    EXPECT_EQ(a->exstyle, 0u);
    EXPECT_EQ(a->Next()->style, 999u);
    EXPECT_EQ(a->Next()->exstyle, 1u);
}

}  // namespace
}  // namespace fern
