#include "frame/gtk/FilterMenus.h"

namespace fern {

std::vector<MenuEntry> FilterMenuEntries() { return {}; }

}  // namespace fern
