#pragma once
// How the tab bar looks, worked out from the TabBar settings values: text
// limit, rows, fixed width, colours and font styles. Plain integers in, so
// the drawing does not depend on how the settings are stored.
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/FrameSettings.h"

namespace fern {

struct TabFontLook {
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool operator==(const TabFontLook&) const = default;
};

struct TabBarLook {
    int textLimit = 0;  // characters; 0 = no limit
    bool multiLine = false;
    int fixedWidth = 0;  // pixels; 0 = buttons size to their text
    bool belowPages = false;
    // Off: the theme's button colours; the colour fields are then unused.
    bool customColours = false;
    std::uint32_t selText = 0;
    std::uint32_t unselText = 0;
    std::uint32_t selBack = 0;
    std::uint32_t unselBack = 0;
    TabFontLook selFont;
    TabFontLook unselFont;
};

// The look the TabBar section asks for; widths and text limits outside the
// options page's ranges are held to them.
TabBarLook MakeTabBarLook(const TabBarSettings& settings);

// The button text of a tab: the Shift-JIS text as UTF-8, cut to `limit`
// characters (0 = whole) so that no character is split.
std::string TabButtonText(std::string_view sjis, int limit);

}  // namespace fern
