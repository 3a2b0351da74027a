#include "lists/BookmarkClip.h"

#include <map>

#include "lists/BookmarkFile.h"

namespace fern {

namespace {

std::unique_ptr<BookmarkNode> CopyOne(const BookmarkNode& from) {
    auto copy = MakeBookmarkNode(from.type, from.name, from.url, from.style, from.exstyle, from.created);
    // Names and urls as they are: MakeBookmarkNode trims, a copy must not.
    copy->name = from.name;
    copy->url = from.url;
    copy->desc = from.desc;
    return copy;
}

}  // namespace

std::unique_ptr<BookmarkNode> CopyBookmarkSubtree(const BookmarkNode& node) {
    std::unique_ptr<BookmarkNode> top = CopyOne(node);
    std::map<const BookmarkNode*, BookmarkNode*> copies{{&node, top.get()}};
    for (const BookmarkNode* n = NextInTree(&node, &node); n; n = NextInTree(n, &node)) {
        BookmarkNode* parent = copies.at(n->Parent());
        copies[n] = parent->AppendChild(CopyOne(*n));
    }
    return top;
}

std::string BookmarkClipBytes(const std::vector<const BookmarkNode*>& nodes) {
    auto root =
        MakeBookmarkNode(kItemFolder, kBookmarkClipFormat, "", kDefaultItemStyle, kDefaultItemExStyle, 0);
    auto trash =
        MakeBookmarkNode(kItemFolder, kTrashFolderName, "", kDefaultItemStyle, kDefaultItemExStyle, 0);
    for (const BookmarkNode* node : nodes)
        if (node) root->AppendChild(CopyBookmarkSubtree(*node));
    return SerializeBookmarkFile(*root, *trash);
}

std::unique_ptr<BookmarkNode> ParseBookmarkClip(std::string_view bytes) {
    BookmarkReadOptions options;
    options.rootName = kBookmarkClipFormat;
    BookmarkFileContents contents = ParseBookmarkFile(bytes, options);
    if (!contents.rootRead || !contents.root) return MakeBookmarkNode(kItemFolder, "", "", 112, 1, 0);
    return std::move(contents.root);
}

std::vector<UrlItem> BookmarkClipUrls(std::string_view bytes) {
    std::unique_ptr<BookmarkNode> root = ParseBookmarkClip(bytes);
    std::vector<UrlItem> urls;
    for (const BookmarkNode* n = NextInTree(root.get(), root.get()); n; n = NextInTree(n, root.get()))
        if (n->type == kItemUrl && !n->url.empty()) urls.push_back(static_cast<const UrlItem&>(*n));
    return urls;
}

}  // namespace fern
