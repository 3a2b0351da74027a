#pragma once
// Entries of the tools menu for the pop-up and dialog filters: registering a tab's URL or title, the script-error and dialog-sweep switches.
#include <vector>

#include "frame/gtk/MenuBuilder.h"

namespace fern {

std::vector<MenuEntry> FilterMenuEntries();

}  // namespace fern
