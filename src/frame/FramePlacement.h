#pragma once
// Where the main window opens and what is kept of it at the end: the stored
// placement laid onto today's monitors, and the window's state turned back
// into a placement.
#include <optional>
#include <vector>

#include "settings/WindowPlacement.h"

namespace fern {

// A rectangle on the desktop: a monitor's work area or a window's box.
struct ScreenBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const ScreenBox&) const = default;
};

// The show commands a placement stores, and the one flag that matters here.
enum : unsigned {
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3,
    kShowDefault = 10,
    kRestoreToMaximized = 0x2,  // placement flag: minimized from maximized
};

struct WindowOpening {
    ScreenBox box;  // the window's normal (unmaximized) box
    bool maximized = false;
};

// What the stored placement makes of the window, or nullopt when it is not
// applied (the window keeps its default place): started with another show
// command than normal or default, or a rectangle without width or height.
// A stored minimized window opens normal (or maximized when it was
// minimized from maximized), so it is never out of reach at start.
std::optional<WindowOpening> OpeningOfPlacement(const WindowPlacement& stored,
                                                const std::vector<ScreenBox>& monitors,
                                                unsigned startCommand = kShowNormal);

// `box` when its top edge shows on a monitor with enough of its width to be
// taken hold of; otherwise moved onto the monitor it overlaps most (the
// nearest when it overlaps none) and shrunk to fit it. No monitors: as is.
ScreenBox PulledOnScreen(const ScreenBox& box, const std::vector<ScreenBox>& monitors);

// The placement written at the end.
WindowPlacement PlacementOfWindow(const ScreenBox& normal, bool maximized, bool minimized);

}  // namespace fern
