#pragma once
// Entries of the tools menu for download control, security templates, cookies, offline mode and the Internet options.
#include <vector>

#include "frame/gtk/MenuBuilder.h"

namespace fern {

std::vector<MenuEntry> ContentMenuEntries();

}  // namespace fern
