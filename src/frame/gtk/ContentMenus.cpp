#include "frame/gtk/ContentMenus.h"

namespace fern {

std::vector<MenuEntry> ContentMenuEntries() { return {}; }

}  // namespace fern
