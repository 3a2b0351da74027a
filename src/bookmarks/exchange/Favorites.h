#pragma once
// Favorites: a folder tree whose folders are bookmark folders and whose
// ".url" files (Internet shortcuts) are bookmarks.
#include <string_view>

#include "bookmarks/exchange/ExchangeStatus.h"
#include "lists/BookmarkNode.h"

namespace fern {

class BookmarkTree;

// Renews the tree's time stamp and reads the folder `folderPath`: each
// subfolder becomes a folder node, each "*.url" file (any case) a bookmark
// named after the file without ".url", its url the shortcut's "URL" key
// (empty when missing); other files are skipped. Entries are read in name
// order. The nodes are pasted into `target` (the root when null).
ExchangeStatus ImportFavorites(std::string_view folderPath, BookmarkTree& tree, BookmarkNode* target);

// Writes `first` and its following siblings into the existing folder
// `folderPath`: a folder becomes a subfolder, a bookmark a shortcut file
// "name.url", named with MakeFileName(name, 64) and "(0)", "(1)" ... when
// the name is taken; separators are skipped. An entry that cannot be
// written is skipped (with its children) and counted; the status then fails.
ExchangeStatus ExportFavorites(std::string_view folderPath, const BookmarkNode* first);

}  // namespace fern
