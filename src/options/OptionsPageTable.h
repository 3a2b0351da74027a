#pragma once
// The pages of the options dialog in their fixed order: ODIndex stores a
// position in this table, and a title "A::B" puts page B under page A.
#include <span>
#include <string>
#include <vector>

namespace fern {

std::span<const char* const> OptionsPageTitles();
// The position of a title in the table; -1 when it is not there.
int OptionsPageIndex(const std::string& title);

struct OptionsTreeNode {
    std::string title;  // the whole title, "A::B"
    std::string label;  // what the tree shows, "B"
    std::vector<OptionsTreeNode> children;
};

// The tree of the given titles in table order (unknown titles after them,
// in the order given); a child whose parent is missing stands at the top.
std::vector<OptionsTreeNode> BuildOptionsTree(const std::vector<std::string>& titles);

}  // namespace fern
