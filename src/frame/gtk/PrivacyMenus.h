#pragma once
// Entries of the tools menu for the cookie switches and the Internet options.
#include <vector>

#include "frame/gtk/MenuBuilder.h"

namespace fern {

std::vector<MenuEntry> PrivacyMenuEntries();

}  // namespace fern
