#pragma once
// What every bookmark import must give, whatever the bytes: a readable file
// imports, the count it reports is what the root holds, nodes hang only
// under folders, and the tree survives the user's next save: written as the
// bookmark file and read back it has the same nodes. The writers run on it
// too, since an imported tree is what they meet next.
#include <cstddef>
#include <cstdint>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/ExchangeStatus.h"
#include "bookmarks/exchange/HtmlList.h"
#include "bookmarks/exchange/Netscape.h"
#include "lists/BookmarkFile.h"

namespace fern::fuzz {

inline constexpr std::uint32_t kFuzzNow = 1700000000;

inline BookmarkOptions FuzzOptions() { return BookmarkOptions{}; }

inline std::size_t CountBelow(const BookmarkNode& top) {
    std::size_t count = 0;
    for (const BookmarkNode* n = NextInTree(&top, &top); n; n = NextInTree(n, &top)) ++count;
    return count;
}

inline void CheckImportedTree(const BookmarkTree& tree, const ExchangeStatus& status) {
    if (!status) __builtin_trap();
    const BookmarkNode& root = tree.Root();
    std::size_t nodes = CountBelow(root);
    if (status.imported != nodes) __builtin_trap();
    if (nodes > 0 && !tree.Modified()) __builtin_trap();
    for (const BookmarkNode* n = NextInTree(&root, &root); n; n = NextInTree(n, &root))
        if (!n->Parent() || !n->Parent()->IsFolder()) __builtin_trap();

    BookmarkReadOptions read;
    read.rootName = root.name;
    read.timeStamp = kFuzzNow;
    BookmarkFileContents back = ParseBookmarkFile(SerializeBookmarkFile(root, tree.Trash()), read);
    if (!back.root || CountBelow(*back.root) != nodes) __builtin_trap();

    SerializeNetscape(root, true);
    SerializeNetscape(root, false);
    SerializeHtmlList(root, &tree.Trash());
}

}  // namespace fern::fuzz
