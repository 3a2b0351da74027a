#pragma once
// The program's own HTML list of the bookmarks: the copy written beside the
// bookmark file ("Htmlでも保存(&H)") and the older bookmark form it imports.
#include <string>
#include <string_view>

#include "bookmarks/exchange/ExchangeStatus.h"
#include "lists/BookmarkNode.h"

namespace fern {

class BookmarkTree;

// "<HTML>", the title, the root's children in one "<UL>" list and the
// trash's (when given) in another; Shift-JIS, lines end in CR LF.
std::string SerializeHtmlList(const BookmarkNode& root, const BookmarkNode* trash);

// Writes SerializeHtmlList for the tree atomically.
ExchangeStatus WriteHtmlList(std::string_view path, const BookmarkTree& tree);

// Every top-level "<UL>" list of `bytes` into `folder`, with the tree's
// AddNode. A "<LI ID=n VALUE=m>" item gives style n and security mode m;
// others get 112 and 1.
void ParseHtmlList(std::string_view bytes, BookmarkTree& tree, BookmarkNode& folder);

// Reads the file into a scratch folder and pastes it into `target` (the root
// when null). The tree's time stamp is kept as it is.
ExchangeStatus ImportHtmlList(std::string_view path, BookmarkTree& tree, BookmarkNode* target);

}  // namespace fern
