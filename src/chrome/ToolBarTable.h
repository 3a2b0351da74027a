#pragma once
// The tool bar's button table (53 rows, fixed, and one of ours for the
// downloads window), the default set, and the
// records of wnds.ini [FernBars] that say which rows the bar shows
// (TBBtnCount) and how (TBBtnStyle). Pure: the widget reads the rows and
// the records from here.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/MenuLayout.h"

namespace fern {

struct ToolBarButton {
    int image = -1;          // index into the tool bar's images; -1 for a separator
    int command = 0;         // 0 for a separator
    const char* label = "";  // the button's text, and its accessible name
    bool inDefaultSet = false;
    bool dropDown = false;  // has an arrow with a menu
    bool IsSeparator() const { return command == 0; }
};

inline constexpr int kToolBarRowCount = 54;
inline constexpr int kToolBarSeparator = -1;  // in a layout: a separator, not a row

std::span<const ToolBarButton> ToolBarButtons();
// Row `row` of the table; null outside 0..53.
const ToolBarButton* ToolBarRow(int row);
// The first row of `command`, -1 when none has it.
int ToolBarRowOfCommand(int command);

// A tool bar layout: row numbers left to right, kToolBarSeparator for a
// separator. Separator rows of the table stand as kToolBarSeparator.
using ToolBarLayout = std::vector<int>;

// The rows marked for the default set, in table order.
ToolBarLayout DefaultToolBarLayout();
// TBBtnCount: empty gives the default set. Fields that are not a row
// number or -1 (garbage, other negatives, numbers past the table) are
// dropped and the rest kept; when nothing valid is left, the default set.
ToolBarLayout ParseToolBarLayout(std::string_view text);
// TBBtnCount for `layout`; anything that is not a row is written as -1.
std::string FormatToolBarLayout(const ToolBarLayout& layout);

// How the buttons show: text beside or below the images, or none.
enum class ToolBarText { None = 0, Right = 1, Below = 2 };

// TBBtnStyle: "%d,%d,%d,%d" = large images, text mode, two values kept as read.
struct ToolBarLook {
    bool largeImages = true;  // 20-pixel images, else 16
    ToolBarText text = ToolBarText::None;
    int extra1 = 0, extra2 = 0;
    bool operator==(const ToolBarLook&) const = default;
};
// Taken only with at least four numeric fields; an unknown text mode is None.
ToolBarLook ParseToolBarLook(std::string_view text);
std::string FormatToolBarLook(const ToolBarLook& look);

// The menu of a drop-down button (back and forward lists, new tab, open,
// text size, security templates); empty for the others.
std::vector<MenuNode> ToolBarDropDownMenu(int command);

// The icon-theme name of each image index, large or small form alike.
const char* ToolBarIconName(int image);

}  // namespace fern
