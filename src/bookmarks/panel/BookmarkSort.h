#pragma once
// The panel's sort of one folder's children: grouped by type (folders,
// bookmarks, separators), each group ordered by name or url compared
// without regard to case (single bytes only, so Japanese text is never
// folded), ascending or descending; equal keys keep their order.
#include <vector>

#include "lists/BookmarkNode.h"

namespace fern {

enum class BookmarkSortKey { Title, Address };
enum class BookmarkSortOrder { Ascending, Descending };

std::vector<BookmarkNode*> SortedChildren(const BookmarkNode& folder, BookmarkSortKey key,
                                          BookmarkSortOrder order);

}  // namespace fern
