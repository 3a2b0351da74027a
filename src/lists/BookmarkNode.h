#pragma once
// One node of the bookmark tree. A node owns its children; the links are
// changed only through the members below, so they always agree. Nothing here
// recurses: a file of 100,000 nested folders must not overflow the stack.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "lists/UrlItem.h"

namespace fern {

// The url texts of folders and separators (and the separator's name). They
// are never written to a list file.
inline constexpr const char* kFolderUrlText = "<フォルダ>";
inline constexpr const char* kSeparatorText = "<セパレータ>";

class BookmarkNode : public UrlItem {
public:
    BookmarkNode() = default;
    BookmarkNode(const BookmarkNode&) = delete;
    BookmarkNode& operator=(const BookmarkNode&) = delete;
    // Deletes the whole subtree without recursion.
    ~BookmarkNode() override;

    std::string desc;  // the memo; a line break is stored as 0x02 0x02

    BookmarkNode* Prev() const { return prev_; }
    BookmarkNode* Next() const { return next_; }
    BookmarkNode* Parent() const { return parent_; }
    BookmarkNode* FirstChild() const { return firstChild_; }
    BookmarkNode* LastChild() const { return lastChild_; }
    bool IsFolder() const { return type == kItemFolder; }

    // Links `child` (linked nowhere) as the last child and returns it.
    BookmarkNode* AppendChild(std::unique_ptr<BookmarkNode> child);
    // Links `child` before `before`, a child of this node; null appends.
    BookmarkNode* InsertChild(std::unique_ptr<BookmarkNode> child, BookmarkNode* before);
    // Unlinks this node from its parent and siblings and hands it over with
    // its subtree. A node without a parent is owned by whoever holds it, so
    // the result is then null and nothing changes.
    std::unique_ptr<BookmarkNode> Detach();

private:
    BookmarkNode* prev_ = nullptr;
    BookmarkNode* next_ = nullptr;
    BookmarkNode* parent_ = nullptr;
    BookmarkNode* firstChild_ = nullptr;
    BookmarkNode* lastChild_ = nullptr;  // keeps appending O(1)
};

// A new unlinked node: name and url right-trimmed of white space; a folder
// gets the url "<フォルダ>", a separator "<セパレータ>" as name and url.
std::unique_ptr<BookmarkNode> MakeBookmarkNode(std::uint16_t type, std::string_view name,
                                               std::string_view url, std::uint32_t style,
                                               std::uint32_t exstyle, std::uint32_t created);

// MakeBookmarkNode, linked as the last child of `parent`.
BookmarkNode* AddBookmarkNode(BookmarkNode& parent, std::uint16_t type, std::string_view name,
                              std::string_view url, std::uint32_t style, std::uint32_t exstyle,
                              std::uint32_t created);

// The node after `node` in display order (depth first, children before
// siblings), staying inside the subtree of `top`; null after the last one.
const BookmarkNode* NextInTree(const BookmarkNode* node, const BookmarkNode* top);
BookmarkNode* NextInTree(BookmarkNode* node, const BookmarkNode* top);

}  // namespace fern
