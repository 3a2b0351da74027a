#pragma once
// The program's private bookmark format ("FBPrivateClipboardFormat") for
// the clipboard and drag and drop: the bookmark-file form of the list file,
// whose root folder holds copies of the carried nodes (folders with all they
// hold, every field kept: names, urls, memos with their 0x02 0x02 breaks,
// style, exstyle, created) and whose trash is empty. Reading it is reading a
// bookmark file, so any bytes give a clear outcome.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lists/BookmarkNode.h"

namespace fern {

// The drag-and-drop target and clipboard format name.
inline constexpr char kBookmarkClipFormat[] = "FBPrivateClipboardFormat";

// The bytes carrying `nodes` (null entries are skipped) in their order.
std::string BookmarkClipBytes(const std::vector<const BookmarkNode*>& nodes);

// A folder holding the carried nodes; empty when the bytes carry none.
std::unique_ptr<BookmarkNode> ParseBookmarkClip(std::string_view bytes);

// The bookmarks (URL nodes) carried, in display order, folders' contents
// included: what a drop opens.
std::vector<UrlItem> BookmarkClipUrls(std::string_view bytes);

// A copy of `node` with everything it holds, made without recursion.
std::unique_ptr<BookmarkNode> CopyBookmarkSubtree(const BookmarkNode& node);

}  // namespace fern
