#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/BookmarkNode.h"
#include "lists/ListTestText.h"

using namespace fern;
using fern::testing::DescribeTree;

namespace {

std::vector<std::string> ChildNames(const BookmarkNode& folder) {
    std::vector<std::string> names;
    for (const BookmarkNode* c = folder.FirstChild(); c; c = c->Next()) names.push_back(c->name);
    // The backward links must tell the same story.
    std::vector<std::string> backwards;
    for (const BookmarkNode* c = folder.LastChild(); c; c = c->Prev())
        backwards.insert(backwards.begin(), c->name);
    EXPECT_EQ(names, backwards);
    for (const BookmarkNode* c = folder.FirstChild(); c; c = c->Next()) EXPECT_EQ(c->Parent(), &folder);
    return names;
}

}  // namespace

TEST(BookmarkNode, NewNodesTrimTheirTextsAndCarryTheFixedUrlTexts) {
    auto url = MakeBookmarkNode(kItemUrl, "  名前 \t\r\n", "http://a/ \t", 0x80, 2, 77);
    EXPECT_EQ(DescribeTree(*url), "1|  名前|http://a/||128|2|77\n");
    // "ソ" ends in 0x5C and "表" in 0x5C: trimming must not eat trail bytes.
    EXPECT_EQ(MakeBookmarkNode(kItemUrl, "ソ表 ", "", 112, 1, 0)->name, "ソ表");

    EXPECT_EQ(DescribeTree(*MakeBookmarkNode(kItemFolder, "F", "ignored", 112, 1, 0)),
              "2|F|<フォルダ>||112|1|0\n");
    EXPECT_EQ(DescribeTree(*MakeBookmarkNode(kItemSeparator, "x", "y", 112, 1, 0)),
              "0|<セパレータ>|<セパレータ>||112|1|0\n");
}

TEST(BookmarkNode, LinksStayConsistentThroughAppendInsertAndDetach) {
    BookmarkNode root;
    root.type = kItemFolder;
    BookmarkNode* a = AddBookmarkNode(root, kItemUrl, "a", "", 112, 1, 0);
    BookmarkNode* c = AddBookmarkNode(root, kItemUrl, "c", "", 112, 1, 0);
    root.InsertChild(MakeBookmarkNode(kItemUrl, "b", "", 112, 1, 0), c);
    root.InsertChild(MakeBookmarkNode(kItemUrl, "first", "", 112, 1, 0), a);
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"first", "a", "b", "c"}));
    EXPECT_EQ(root.Parent(), nullptr);
    EXPECT_EQ(root.FirstChild()->Prev(), nullptr);
    EXPECT_EQ(root.LastChild()->Next(), nullptr);

    std::unique_ptr<BookmarkNode> taken = a->Detach();
    EXPECT_EQ(taken.get(), a);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(a->Next(), nullptr);
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"first", "b", "c"}));
    root.LastChild()->Detach();
    root.FirstChild()->Detach();
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"b"}));
    root.FirstChild()->Detach();
    EXPECT_EQ(root.FirstChild(), nullptr);
    EXPECT_EQ(root.LastChild(), nullptr);
    // A node without a parent belongs to whoever holds it.
    EXPECT_EQ(root.Detach(), nullptr);
    // A detached subtree can be linked elsewhere, and a foreign `before` appends.
    BookmarkNode other;
    other.InsertChild(std::move(taken), &root);
    EXPECT_EQ(ChildNames(other), (std::vector<std::string>{"a"}));
}

TEST(BookmarkNode, WalksAndDeletesHugeTreesWithoutRecursion) {
    auto root = MakeBookmarkNode(kItemFolder, "root", "", 112, 1, 0);
    BookmarkNode* folder = root.get();
    for (int i = 0; i < 200000; ++i) {
        AddBookmarkNode(*folder, kItemUrl, "u", "", 112, 1, 0);
        folder = AddBookmarkNode(*folder, kItemFolder, "f", "", 112, 1, 0);
    }
    std::size_t count = 0;
    for (const BookmarkNode* n = root.get(); n; n = NextInTree(n, root.get())) ++count;
    EXPECT_EQ(count, 400001u);
    // The walk stays inside the given subtree.
    const BookmarkNode* sub = root->LastChild();
    std::size_t inside = 0;
    for (const BookmarkNode* n = sub; n; n = NextInTree(n, sub)) ++inside;
    EXPECT_EQ(inside, 399999u);
    root.reset();  // a recursive destructor would overflow the stack here
}
