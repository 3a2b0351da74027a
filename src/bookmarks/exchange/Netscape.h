#pragma once
// Netscape bookmark files ("<!DOCTYPE NETSCAPE-Bookmark-file-1>"), the HTML
// that most browsers import and export.
#include <string>
#include <string_view>

#include "bookmarks/exchange/ExchangeStatus.h"
#include "lists/BookmarkNode.h"

namespace fern {

class BookmarkTree;

// Reads the bookmarks of `bytes` into `folder` with the tree's AddNode:
// every top-level "<DL>" list goes into `folder`, nested lists become
// folders named by the "<H3>" before them. Lines are Shift-JIS until one
// holds "charset=UTF-8" (or the file starts with a UTF-8 byte-order mark);
// later lines are converted from UTF-8.
void ParseNetscapeBookmarks(std::string_view bytes, BookmarkTree& tree, BookmarkNode& folder);

// Renews the tree's time stamp, reads the file into a scratch folder and
// pastes that into `target` (the root when null). Nothing is imported from
// a file that cannot be read.
ExchangeStatus ImportNetscape(std::string_view path, BookmarkTree& tree, BookmarkNode* target);

// The document for the children of `root` (not the trash), titled with the
// root's name; Shift-JIS, or UTF-8 when `utf8`. Lines end in CR LF.
std::string SerializeNetscape(const BookmarkNode& root, bool utf8);

// Writes SerializeNetscape atomically; a failure leaves any old file whole.
ExchangeStatus ExportNetscape(std::string_view path, const BookmarkNode& root, bool utf8);

}  // namespace fern
