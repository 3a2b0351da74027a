#include "bookmarks/panel/BookmarkSort.h"

#include <algorithm>
#include <string>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

int TypeGroup(const BookmarkNode& node) {
    if (node.type == kItemFolder) return 0;
    if (node.type == kItemUrl) return 1;
    return 2;
}

}  // namespace

std::vector<BookmarkNode*> SortedChildren(const BookmarkNode& folder, BookmarkSortKey key,
                                          BookmarkSortOrder order) {
    struct Entry {
        int group;
        std::string folded;  // folded once, not at every comparison
        BookmarkNode* node;
    };
    std::vector<Entry> entries;
    for (BookmarkNode* n = folder.FirstChild(); n; n = n->Next())
        entries.push_back({TypeGroup(*n), SjisToLower(key == BookmarkSortKey::Title ? n->name : n->url), n});
    const bool descending = order == BookmarkSortOrder::Descending;
    std::stable_sort(entries.begin(), entries.end(), [descending](const Entry& a, const Entry& b) {
        if (a.group != b.group) return a.group < b.group;
        return descending ? b.folded < a.folded : a.folded < b.folded;
    });
    std::vector<BookmarkNode*> out;
    out.reserve(entries.size());
    for (Entry& e : entries) out.push_back(e.node);
    return out;
}

}  // namespace fern
