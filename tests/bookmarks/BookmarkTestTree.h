#pragma once
// Helpers for the bookmark tests: a tree on a fixed clock and short views of
// a subtree.
#include <cstdint>
#include <string>
#include <string_view>

#include "bookmarks/BookmarkTree.h"

namespace fern::testing {

inline constexpr std::uint32_t kTestNow = 1700000000;

// A tree whose clock reads `*now` (kTestNow unless given).
inline BookmarkTree MakeTestTree(const std::uint32_t* now = nullptr,
                                 BookmarkOptions options = BookmarkOptions{}) {
    if (!now) {
        static const std::uint32_t fixed = kTestNow;
        now = &fixed;
    }
    return BookmarkTree(std::move(options), [now] { return *now; });
}

// One line per node below `top`: indent by depth, then "D name", "U name <url>"
// or "-".
inline std::string Outline(const BookmarkNode& top) {
    std::string out;
    for (const BookmarkNode* n = NextInTree(&top, &top); n; n = NextInTree(n, &top)) {
        std::size_t depth = 0;
        for (const BookmarkNode* p = n->Parent(); p != &top; p = p->Parent()) ++depth;
        out.append(2 * depth, ' ');
        if (n->type == kItemFolder) out += "D " + n->name;
        else if (n->type == kItemUrl) out += "U " + n->name + " <" + n->url + ">";
        else out += "-";
        out += "\n";
    }
    return out;
}

// The first child of `folder` named `name`, or null.
inline BookmarkNode* Child(BookmarkNode& folder, std::string_view name) {
    for (BookmarkNode* n = folder.FirstChild(); n; n = n->Next())
        if (n->name == name) return n;
    return nullptr;
}

// Nodes below `top` of the given type (all levels).
inline std::size_t CountType(const BookmarkNode& top, std::uint16_t type) {
    std::size_t count = 0;
    for (const BookmarkNode* n = NextInTree(&top, &top); n; n = NextInTree(n, &top)) count += n->type == type;
    return count;
}

}  // namespace fern::testing
