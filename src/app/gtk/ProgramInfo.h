#pragma once
// Where the program is and what it is: its resources, its own path, the
// text of the About box.
#include <string>

#include "settings/AppSettings.h"
#include "settings/FrameSettings.h"

namespace fern {

// res/ beside the executable, then the installed share/fern/res.
std::string ResourceFolder();
std::string ExecutablePath();
std::string AboutText(int closedTotal);

}  // namespace fern
