#pragma once
// The side bar's rules without its widgets: the four panels and their
// titles, which panel the next and previous commands show, what the bar
// commands do to the bar and its panel, the bar's stored sizes in wnds.ini
// and the layout of the tab strip.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

enum SideBarPanel : int {
    kBookmarkPanel = 0,
    kHistoryPanel = 1,
    kHistorySearchPanel = 2,
    kWebSearchPanel = 3,
};
inline constexpr int kSideBarPanelCount = 4;

// "ブックマーク", "履歴", "履歴検索", "Web検索"; "" outside 0..3.
const char* SideBarPanelTitle(int index);
// `FBIndex` as the bar starts with it: values outside 0..3 give 0.
int SideBarStartPanel(int fbIndex);
// Round the strip: after the last comes the first, before the first the last.
int NextSideBarPanel(int index);
int PreviousSideBarPanel(int index);

// The bar: shown or not, and the panel it shows.
struct SideBarState {
    bool shown = false;
    int panel = kBookmarkPanel;
    bool operator==(const SideBarState&) const = default;
};

// The panel a bar command stands for ("履歴 バー" .. "Web検索 バー"); nullopt
// for "ファーン バー" and other ids.
std::optional<int> PanelOfBarCommand(int id);
// "ファーン バー" shows or hides the bar as it is. A panel's bar command
// shows the bar with that panel; when the bar already shows that panel it
// hides the bar (the command is a switch, like its check mark).
SideBarState ApplyBarCommand(SideBarState state, int id);
// "ファーン バー" is checked while the bar shows; a panel's command while the
// bar shows that panel.
bool BarCommandChecked(SideBarState state, int id);

// The bar's sizes as the sizing bar keeps them: the width and height when
// docked along a horizontal edge, along a vertical edge (beside the pages,
// where ours is), and floating, in this order in "DefaultSize".
struct BarSize {
    int width = 0;
    int height = 0;
    bool operator==(const BarSize&) const = default;
};
struct SideBarSizes {
    BarSize horizontal{200, 120};
    BarSize vertical{220, 400};
    BarSize floating{220, 400};
    bool operator==(const SideBarSizes&) const = default;
};
// The smallest the bar may be in each size.
inline constexpr BarSize kSideBarMinimum{80, 40};
// "%d,%d,%d,%d,%d,%d": fewer than six numbers (or a value that is not one)
// keep `builtIn`; each number read is raised to the minimum.
SideBarSizes ParseSideBarSizes(std::string_view text, const SideBarSizes& builtIn = {});
std::string FormatSideBarSizes(const SideBarSizes& sizes);

// The tab strip: one tab per panel, each an image and, when titles show,
// the title after it; tabs fill rows left to right and wrap to a new row
// when the strip is too narrow.
struct TabStripMetrics {
    int image = 16;
    int padding = 5;  // left and right of a tab's content
    int gap = 4;      // between the image and the title
    int height = 24;  // one row
};
struct TabBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const TabBox&) const = default;
};
// `titleWidths`: the measured width of each title; `width`: the strip's.
std::vector<TabBox> LayoutSideBarTabs(const std::vector<int>& titleWidths, bool showTitles, int width,
                                      const TabStripMetrics& metrics = {});
// The height the rows of that layout need (one row at least).
int SideBarTabsHeight(const std::vector<TabBox>& boxes, const TabStripMetrics& metrics = {});
// The tab under a point; -1 when none.
int SideBarTabAt(const std::vector<TabBox>& boxes, int x, int y);

}  // namespace fern
