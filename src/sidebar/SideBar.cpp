#include "sidebar/SideBar.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "commands/CommandIds.h"

namespace fern {

const char* SideBarPanelTitle(int index) {
    static const char* const titles[kSideBarPanelCount] = {"ブックマーク", "履歴", "履歴検索", "Web検索"};
    return index >= 0 && index < kSideBarPanelCount ? titles[index] : "";
}

int SideBarStartPanel(int fbIndex) { return fbIndex >= 0 && fbIndex < kSideBarPanelCount ? fbIndex : 0; }

int NextSideBarPanel(int index) { return (SideBarStartPanel(index) + 1) % kSideBarPanelCount; }

int PreviousSideBarPanel(int index) {
    return (SideBarStartPanel(index) + kSideBarPanelCount - 1) % kSideBarPanelCount;
}

std::optional<int> PanelOfBarCommand(int id) {
    switch (id) {
        case ID_BOOKMARK_BAR: return kBookmarkPanel;
        case ID_HISTORY_BAR: return kHistoryPanel;
        case ID_HISTORY_SEARCH_BAR: return kHistorySearchPanel;
        case ID_WEB_SEARCH_BAR: return kWebSearchPanel;
        default: return std::nullopt;
    }
}

SideBarState ApplyBarCommand(SideBarState state, int id) {
    if (id == ID_FERN_BAR) {
        state.shown = !state.shown;
        return state;
    }
    std::optional<int> panel = PanelOfBarCommand(id);
    if (!panel) return state;
    if (state.shown && state.panel == *panel) {
        state.shown = false;
        return state;
    }
    state.shown = true;
    state.panel = *panel;
    return state;
}

bool BarCommandChecked(SideBarState state, int id) {
    if (id == ID_FERN_BAR) return state.shown;
    std::optional<int> panel = PanelOfBarCommand(id);
    return panel && state.shown && state.panel == *panel;
}

namespace {

// Reads one decimal number after optional blanks; false when none is there.
bool ReadNumber(std::string_view& text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::size_t digits = i;
    long number = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (number < 1000000) number = number * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digits) return false;
    value = static_cast<int>(text[start] == '-' ? -number : number);
    text.remove_prefix(i);
    return true;
}

}  // namespace

SideBarSizes ParseSideBarSizes(std::string_view text, const SideBarSizes& builtIn) {
    int numbers[6];
    for (int i = 0; i < 6; ++i) {
        if (!ReadNumber(text, numbers[i])) return builtIn;
        if (i < 5) {
            if (text.empty() || text.front() != ',') return builtIn;
            text.remove_prefix(1);
        }
    }
    auto size = [&](int at) {
        return BarSize{std::max(numbers[at], kSideBarMinimum.width),
                       std::max(numbers[at + 1], kSideBarMinimum.height)};
    };
    return SideBarSizes{size(0), size(2), size(4)};
}

std::string FormatSideBarSizes(const SideBarSizes& s) {
    char text[96];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d", s.horizontal.width, s.horizontal.height,
                  s.vertical.width, s.vertical.height, s.floating.width, s.floating.height);
    return text;
}

std::vector<TabBox> LayoutSideBarTabs(const std::vector<int>& titleWidths, bool showTitles, int width,
                                      const TabStripMetrics& m) {
    std::vector<TabBox> boxes;
    int x = 0, y = 0;
    for (int titleWidth : titleWidths) {
        int tab = 2 * m.padding + m.image + (showTitles ? m.gap + std::max(titleWidth, 0) : 0);
        // A tab wider than the strip still gets a row of its own.
        if (x > 0 && x + tab > width) {
            x = 0;
            y += m.height;
        }
        boxes.push_back({x, y, tab, m.height});
        x += tab;
    }
    return boxes;
}

int SideBarTabsHeight(const std::vector<TabBox>& boxes, const TabStripMetrics& m) {
    int height = m.height;
    for (const TabBox& box : boxes) height = std::max(height, box.y + box.height);
    return height;
}

int SideBarTabAt(const std::vector<TabBox>& boxes, int x, int y) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const TabBox& b = boxes[i];
        if (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace fern
