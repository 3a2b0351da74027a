#include "chrome/ToolBarDock.h"

#include <algorithm>
#include <cstdio>

#include "chrome/ReBarLayout.h"

namespace fern {

namespace {

constexpr char kSummary[] = "FernBars-Summary";
constexpr char kBarCount[] = "Bars";
constexpr char kBarId[] = "BarID";
constexpr char kSide[] = "Side";
constexpr int kToolBarId = kToolBand;

std::string BarSection(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "FernBars-Bar%d", number);
    return name;
}

int SavedBarCount(const Profile& windows) {
    return std::clamp(windows.ReadInt(kSummary, kBarCount, 0), 0, kMaxDockedBars);
}

void LogFailure(const Profile& windows) {
    std::fprintf(stderr, "fern: could not save the tool bar's dock layout in %s\n",
                 windows.Location().c_str());
}

}  // namespace

bool ToolBarDockedByStyle(int tbStyle) { return tbStyle == kToolBarStyleDocked; }

DockSide DockSideOf(int value) {
    switch (value) {
        case 1: return DockSide::Left;
        case 2: return DockSide::Right;
        case 3: return DockSide::Bottom;
        default: return DockSide::Top;
    }
}

// Ties go to the top, then left, right and bottom.
DockSide DockSideNearest(int x, int y, int width, int height) {
    x = std::clamp(x, 0, std::max(width, 0));
    y = std::clamp(y, 0, std::max(height, 0));
    const std::pair<int, DockSide> edges[] = {{y, DockSide::Top},
                                              {x, DockSide::Left},
                                              {width - x, DockSide::Right},
                                              {height - y, DockSide::Bottom}};
    return std::min_element(std::begin(edges), std::end(edges),
                            [](const auto& a, const auto& b) { return a.first < b.first; })
        ->second;
}

DockSide LoadDockSide(const Profile& windows) {
    int count = SavedBarCount(windows);
    for (int n = 0; n < count; ++n) {
        std::string section = BarSection(n);
        if (windows.ReadInt(section, kBarId, 0) == kToolBarId)
            return DockSideOf(windows.ReadInt(section, kSide, 0));
    }
    return DockSide::Top;
}

// The bar section first: a summary never counts a section not yet written.
bool SaveDockSide(Profile& windows, DockSide side) {
    int old = SavedBarCount(windows);
    std::string bar = BarSection(0);
    bool ok = windows.WriteInt(bar, kBarId, kToolBarId);
    ok = windows.WriteInt(bar, kSide, static_cast<int>(side)) && ok;
    ok = windows.WriteInt(kSummary, kBarCount, 1) && ok;
    for (int n = 1; n < old; ++n) ok = windows.DeleteSection(BarSection(n)) && ok;
    return ok;
}

bool DeleteDockLayout(Profile& windows) {
    int count = std::max(SavedBarCount(windows), 1);
    bool ok = true;
    for (int n = 0; n < count; ++n) ok = windows.DeleteSection(BarSection(n)) && ok;
    return windows.DeleteSection(kSummary) && ok;
}

CToolBarDock::CToolBarDock(CSettingsService& settings, Profile& windows)
    : m_settings(settings), m_windows(windows), m_side(LoadDockSide(windows)) {}

ToolBarPlacement CToolBarDock::Placement() const {
    return {ToolBarDockedByStyle(m_settings.Live().fernBars.toolbarStyle), m_side};
}

// The layout is written before TBStyle, so whoever is told of the style
// finds the side already there.
bool CToolBarDock::DockOn(DockSide side) {
    m_side = side;
    bool saved = SaveDockSide(m_windows, side);
    if (!saved) LogFailure(m_windows);
    return WriteStyle(kToolBarStyleDocked) && saved;
}

bool CToolBarDock::MakeBand() {
    bool deleted = DeleteDockLayout(m_windows);
    if (!deleted) LogFailure(m_windows);
    return WriteStyle(kToolBarStyleBand) && deleted;
}

bool CToolBarDock::WriteStyle(int style) {
    return m_settings.Change(SettingsSection::FernBars,
                             [style](ProgramSettings& s) { s.fernBars.toolbarStyle = style; });
}

}  // namespace fern
