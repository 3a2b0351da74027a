#pragma once
// Entries of the tools menu for download control and the security templates.
#include <vector>

#include "frame/gtk/MenuBuilder.h"

namespace fern {

std::vector<MenuEntry> ContentMenuEntries();

}  // namespace fern
