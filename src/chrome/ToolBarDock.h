#pragma once
// Where the tool bar stands: a band of the rebar (wnds.ini [FernBars]
// TBStyle 1) or a bar of its own docked to a side of the window (TBStyle 0).
// The side of a docked bar is kept in wnds.ini as a dock layout:
//   [FernBars-Summary]  Bars=<how many bar sections follow>
//   [FernBars-Bar<n>]   BarID=2 (the tool bar, its band id), Side=<DockSide>
// Going from band to docked takes the band out of the rebar (the rebar
// follows TBStyle) and docks the bar on the side asked for; going back to
// the band deletes the dock layout. TBStyle is written after every switch.
#include "settings/Profile.h"
#include "settings/SettingsService.h"

namespace fern {

enum class DockSide : int { Top = 0, Left = 1, Right = 2, Bottom = 3 };

inline constexpr int kToolBarStyleDocked = 0;
inline constexpr int kToolBarStyleBand = 1;
// At most this many bar sections are looked at or deleted, whatever Bars says.
inline constexpr int kMaxDockedBars = 64;

// TBStyle 0 docks the bar; every other number (negative, huge) keeps it a
// band, the value the program writes by default.
bool ToolBarDockedByStyle(int tbStyle);
// A stored Side; numbers that name no side are the top.
DockSide DockSideOf(int value);
// Left and right stand the bar upright.
inline bool DockSideVertical(DockSide side) { return side == DockSide::Left || side == DockSide::Right; }

// The side a bar dragged to (x, y) of a window of `width` x `height`
// docks to: the nearest edge; points outside count as on the edge past them.
DockSide DockSideNearest(int x, int y, int width, int height);

// The saved dock layout in the windows profile. No layout, or none that
// names the tool bar, gives the top.
DockSide LoadDockSide(const Profile& windows);
bool SaveDockSide(Profile& windows, DockSide side);
// Deletes the summary and every bar section it counts (at least Bar0).
bool DeleteDockLayout(Profile& windows);

struct ToolBarPlacement {
    bool docked = false;
    DockSide side = DockSide::Top;
    bool operator==(const ToolBarPlacement&) const = default;
};

// The switches between band and docked bar. A dock layout that cannot be
// written is logged and the switch still happens for this run.
class CToolBarDock {
public:
    CToolBarDock(CSettingsService& settings, Profile& windows);

    ToolBarPlacement Placement() const;
    // From band or from another side: docked on `side`.
    bool DockOn(DockSide side);
    // Back to a band of the rebar.
    bool MakeBand();

private:
    CSettingsService& m_settings;
    Profile& m_windows;
    DockSide m_side;

    bool WriteStyle(int style);
};

}  // namespace fern
