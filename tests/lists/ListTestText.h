#pragma once
// Helpers shared by the list file tests.
#include <string>
#include <string_view>

#include "lists/BookmarkNode.h"

namespace fern::testing {

// `text` with every LF turned into CR LF, as the writers put it on disk.
inline std::string Crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Every field of every node of the subtree, one line per node, indented by
// depth; two trees are equal when their descriptions are.
inline std::string DescribeTree(const BookmarkNode& top) {
    std::string out;
    for (const BookmarkNode* n = &top; n; n = NextInTree(n, &top)) {
        std::size_t depth = 0;
        for (const BookmarkNode* p = n; p != &top; p = p->Parent()) ++depth;
        out += std::string(depth, ' ') + std::to_string(n->type) + "|" + n->name + "|" + n->url + "|" +
               n->desc + "|" + std::to_string(n->style) + "|" + std::to_string(n->exstyle) + "|" +
               std::to_string(n->created) + "\n";
    }
    return out;
}

}  // namespace fern::testing
