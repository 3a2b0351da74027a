#pragma once
// Helpers shared by the exchange readers and writers: they look for ASCII
// markers in Shift-JIS lines. Every marker starts with a byte below 0x40
// ('<', '"', '>', '='), which is never the second byte of a double-byte
// character, so a plain search cannot match inside one.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "bookmarks/exchange/ExchangeStatus.h"
#include "lists/BookmarkNode.h"

namespace fern {

class BookmarkTree;

// `text` without blanks (space, TAB, CR, LF, VT, FF) at both ends.
std::string_view TrimBlanks(std::string_view text);

// Every "&amp;" turned into "&".
std::string UnescapeAmp(std::string_view text);

inline bool Contains(std::string_view text, std::string_view marker) {
    return text.find(marker) != std::string_view::npos;
}

// The bytes of an import file, or a failed status saying why not.
std::optional<std::string> ReadImportFile(std::string_view path, ExchangeStatus& status);

// Counts the nodes below `folder`, all levels.
std::size_t CountDescendants(const BookmarkNode& folder);

// The end of an import: the nodes read into `scratch` go to the end of
// `target` (the root when null) and the tree is marked modified.
ExchangeStatus PasteImport(BookmarkTree& tree, BookmarkNode& scratch, BookmarkNode* target);

// A whole file import: read the file, `parse` its bytes into a scratch
// folder, paste that into `target`. `renewTimeStamp`: new nodes get the
// time of this import.
ExchangeStatus ImportFile(std::string_view path, BookmarkTree& tree, BookmarkNode* target,
                          bool renewTimeStamp,
                          const std::function<void(const std::string&, BookmarkNode&)>& parse);

}  // namespace fern
