#pragma once
// A window placement as stored in wnds.ini (MFWndPlac, LEDWndPlac):
// "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d" = flags, show command, minimized x and y,
// maximized x and y, normal left, top, right, bottom.
#include <optional>
#include <string>
#include <string_view>

namespace fern {

struct WindowPlacement {
    unsigned flags = 0;
    unsigned showCommand = 0;
    int minX = 0, minY = 0;
    int maxX = 0, maxY = 0;
    int left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const WindowPlacement&) const = default;
};

// All ten numbers, or nothing: a text that does not yield them is ignored and
// the window keeps its default place.
std::optional<WindowPlacement> ParseWindowPlacement(std::string_view text);
std::string FormatWindowPlacement(const WindowPlacement& placement);

}  // namespace fern
