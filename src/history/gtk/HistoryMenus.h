#pragma once
// The history's entries of the tools menu.
#include <vector>

#include "frame/gtk/MenuBuilder.h"

namespace fern {

// "履歴を消去(&H)" with all, today's and the shown site's history.
std::vector<MenuEntry> HistoryMenuEntries();

}  // namespace fern
