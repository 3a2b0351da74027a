#pragma once
// The frame's and the pages' options as the loaded settings give them.
#include "app/settings/ProgramSettings.h"
#include "frame/MainFrame.h"

namespace fern {

FrameOptions MakeFrameOptions(const ProgramSettings& settings);

}  // namespace fern
