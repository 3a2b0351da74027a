#include "lists/BookmarkNode.h"

namespace fern {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Blanks are below 0x40, so no trail byte of a double-byte character is cut.
std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

BookmarkNode::~BookmarkNode() {
    // The children wait in a chain through `next_`; a folder in the chain
    // hands its own children to the chain before it is deleted, so every
    // node dies with no children and the destructor never nests.
    BookmarkNode* pending = firstChild_;
    firstChild_ = lastChild_ = nullptr;
    while (pending) {
        BookmarkNode* node = pending;
        if (node->firstChild_) {
            node->lastChild_->next_ = node->next_;
            pending = node->firstChild_;
            node->firstChild_ = node->lastChild_ = nullptr;
        } else {
            pending = node->next_;
        }
        delete node;
    }
}

BookmarkNode* BookmarkNode::AppendChild(std::unique_ptr<BookmarkNode> child) {
    return InsertChild(std::move(child), nullptr);
}

BookmarkNode* BookmarkNode::InsertChild(std::unique_ptr<BookmarkNode> child, BookmarkNode* before) {
    if (!child) return nullptr;
    if (before && before->parent_ != this) before = nullptr;
    BookmarkNode* node = child.release();
    node->parent_ = this;
    node->next_ = before;
    node->prev_ = before ? before->prev_ : lastChild_;
    if (node->prev_) node->prev_->next_ = node;
    else firstChild_ = node;
    if (before) before->prev_ = node;
    else lastChild_ = node;
    return node;
}

std::unique_ptr<BookmarkNode> BookmarkNode::Detach() {
    if (!parent_) return nullptr;
    if (prev_) prev_->next_ = next_;
    else parent_->firstChild_ = next_;
    if (next_) next_->prev_ = prev_;
    else parent_->lastChild_ = prev_;
    prev_ = next_ = parent_ = nullptr;
    return std::unique_ptr<BookmarkNode>(this);
}

std::unique_ptr<BookmarkNode> MakeBookmarkNode(std::uint16_t type, std::string_view name,
                                               std::string_view url, std::uint32_t style,
                                               std::uint32_t exstyle, std::uint32_t created) {
    auto node = std::make_unique<BookmarkNode>();
    node->type = type;
    node->style = style;
    node->exstyle = exstyle;
    node->created = created;
    if (type == kItemSeparator) {
        node->name = kSeparatorText;
        node->url = kSeparatorText;
    } else {
        node->name = TrimRight(name);
        node->url = type == kItemFolder ? std::string_view(kFolderUrlText) : TrimRight(url);
    }
    return node;
}

BookmarkNode* AddBookmarkNode(BookmarkNode& parent, std::uint16_t type, std::string_view name,
                              std::string_view url, std::uint32_t style, std::uint32_t exstyle,
                              std::uint32_t created) {
    return parent.AppendChild(MakeBookmarkNode(type, name, url, style, exstyle, created));
}

const BookmarkNode* NextInTree(const BookmarkNode* node, const BookmarkNode* top) {
    if (!node) return nullptr;
    if (node->FirstChild()) return node->FirstChild();
    while (node && node != top) {
        if (node->Next()) return node->Next();
        node = node->Parent();
    }
    return nullptr;
}

BookmarkNode* NextInTree(BookmarkNode* node, const BookmarkNode* top) {
    return const_cast<BookmarkNode*>(NextInTree(static_cast<const BookmarkNode*>(node), top));
}

}  // namespace fern
