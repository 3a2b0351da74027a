#pragma once
// Hot lists (".adr"): a header, then "#FOLDER" and "#URL" records whose
// fields are "KEY=value" lines, folders closed by a line "-".
#include <string_view>

#include "bookmarks/exchange/ExchangeStatus.h"
#include "lists/BookmarkNode.h"

namespace fern {

class BookmarkTree;

// The records of `bytes` into `folder` with the tree's AddNode; only NAME
// and URL are taken. Lines are converted from UTF-8 when a line before the
// first record holds "options", "encoding" and "utf8" (in any case).
void ParseHotList(std::string_view bytes, BookmarkTree& tree, BookmarkNode& folder);

// Renews the tree's time stamp, reads the file into a scratch folder and
// pastes it into `target` (the root when null).
ExchangeStatus ImportHotList(std::string_view path, BookmarkTree& tree, BookmarkNode* target);

}  // namespace fern
