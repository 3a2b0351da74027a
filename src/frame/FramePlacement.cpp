#include "frame/FramePlacement.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace fern {

namespace {

// How much of a window must show to be taken hold of: its top edge with a
// strip of its title bar, and some of its width.
constexpr std::int64_t kGripWidth = 64;
constexpr std::int64_t kGripHeight = 32;
// A stored window smaller than this is grown to it.
constexpr std::int64_t kMinWidth = 200;
constexpr std::int64_t kMinHeight = 120;

std::int64_t Overlap(std::int64_t a, std::int64_t aLength, std::int64_t b, std::int64_t bLength) {
    return std::max<std::int64_t>(0, std::min(a + aLength, b + bLength) - std::max(a, b));
}

bool Reachable(const ScreenBox& box, const ScreenBox& m) {
    std::int64_t wide = Overlap(box.x, box.width, m.x, m.width);
    std::int64_t top = box.y, bottom = std::int64_t{m.y} + m.height;
    return wide >= std::min<std::int64_t>(kGripWidth, box.width) && top >= m.y && top + kGripHeight <= bottom;
}

// Squared distance from the box's centre to the monitor.
std::int64_t Distance(const ScreenBox& box, const ScreenBox& m) {
    std::int64_t cx = std::int64_t{box.x} + box.width / 2, cy = std::int64_t{box.y} + box.height / 2;
    std::int64_t dx = std::max<std::int64_t>({0, m.x - cx, cx - (std::int64_t{m.x} + m.width)});
    std::int64_t dy = std::max<std::int64_t>({0, m.y - cy, cy - (std::int64_t{m.y} + m.height)});
    // Far-off coordinates must not overflow the square.
    dx = std::min<std::int64_t>(dx, INT32_MAX);
    dy = std::min<std::int64_t>(dy, INT32_MAX);
    return dx * dx + dy * dy;
}

int Clamp(std::int64_t v, std::int64_t low, std::int64_t high) {
    return static_cast<int>(std::clamp(v, low, std::max(low, high)));
}

bool Minimized(unsigned show) { return show == kShowMinimized || show == 6 || show == 7 || show == 11; }

}  // namespace

ScreenBox PulledOnScreen(const ScreenBox& box, const std::vector<ScreenBox>& monitors) {
    if (monitors.empty()) return box;
    for (const ScreenBox& m : monitors)
        if (Reachable(box, m)) return box;
    const ScreenBox* best = nullptr;
    std::int64_t bestArea = 0, bestDistance = INT64_MAX;
    for (const ScreenBox& m : monitors) {
        std::int64_t area =
            Overlap(box.x, box.width, m.x, m.width) * Overlap(box.y, box.height, m.y, m.height);
        std::int64_t distance = area > 0 ? 0 : Distance(box, m);
        if (area > bestArea || (bestArea == 0 && distance < bestDistance)) {
            best = &m;
            bestArea = area;
            bestDistance = distance;
        }
    }
    const ScreenBox& m = *best;
    ScreenBox pulled;
    pulled.width = std::min(box.width, m.width);
    pulled.height = std::min(box.height, m.height);
    pulled.x = Clamp(box.x, m.x, std::int64_t{m.x} + m.width - pulled.width);
    pulled.y = Clamp(box.y, m.y, std::int64_t{m.y} + m.height - pulled.height);
    return pulled;
}

std::optional<WindowOpening> OpeningOfPlacement(const WindowPlacement& stored,
                                                const std::vector<ScreenBox>& monitors,
                                                unsigned startCommand) {
    if (startCommand != kShowNormal && startCommand != kShowDefault) return std::nullopt;
    std::int64_t width = std::int64_t{stored.right} - stored.left;
    std::int64_t height = std::int64_t{stored.bottom} - stored.top;
    if (width <= 0 || height <= 0) return std::nullopt;
    WindowOpening opening;
    opening.box.x = stored.left;
    opening.box.y = stored.top;
    opening.box.width = static_cast<int>(std::clamp<std::int64_t>(width, kMinWidth, INT32_MAX));
    opening.box.height = static_cast<int>(std::clamp<std::int64_t>(height, kMinHeight, INT32_MAX));
    opening.box = PulledOnScreen(opening.box, monitors);
    opening.maximized = stored.showCommand == kShowMaximized ||
                        (Minimized(stored.showCommand) && (stored.flags & kRestoreToMaximized));
    return opening;
}

WindowPlacement PlacementOfWindow(const ScreenBox& normal, bool maximized, bool minimized) {
    WindowPlacement p;
    p.flags = minimized && maximized ? unsigned{kRestoreToMaximized} : 0u;
    p.showCommand = minimized ? kShowMinimized : maximized ? kShowMaximized : kShowNormal;
    p.minX = p.minY = p.maxX = p.maxY = -1;
    p.left = normal.x;
    p.top = normal.y;
    p.right = static_cast<int>(std::min<std::int64_t>(std::int64_t{normal.x} + normal.width, INT32_MAX));
    p.bottom = static_cast<int>(std::min<std::int64_t>(std::int64_t{normal.y} + normal.height, INT32_MAX));
    return p;
}

}  // namespace fern
