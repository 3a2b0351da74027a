#include "frame/TabBarLook.h"

#include <glib.h>

#include <algorithm>

#include "platform/text/Encoding.h"

namespace fern {

namespace {

// The ranges the options page keeps; a hand-edited INI file may hold anything.
constexpr int kMinTextLimit = 1;
constexpr int kMaxTextLimit = 100;
constexpr int kMinFixedWidth = 20;
constexpr int kMaxFixedWidth = 256;

TabFontLook Font(bool bold, bool italic, bool underline) {
    TabFontLook font;
    font.weight = bold ? 700 : 400;
    font.italic = italic;
    font.underline = underline;
    return font;
}

}  // namespace

TabBarLook MakeTabBarLook(const TabBarSettings& t) {
    TabBarLook look;
    if (t.limitText) look.textLimit = std::clamp(t.textLimit, kMinTextLimit, kMaxTextLimit);
    look.multiLine = t.multiLine;
    if (t.fixedWidth) look.fixedWidth = std::clamp(t.fixedSize & 0xFFFF, kMinFixedWidth, kMaxFixedWidth);
    look.belowPages = t.barBelowPages;
    if (t.useColours) {
        look.customColours = true;
        look.selText = static_cast<std::uint32_t>(t.selectedTextColour) & 0xFFFFFF;
        look.unselText = static_cast<std::uint32_t>(t.unselectedTextColour) & 0xFFFFFF;
        look.selBack = static_cast<std::uint32_t>(t.selectedBackColour) & 0xFFFFFF;
        look.unselBack = static_cast<std::uint32_t>(t.unselectedBackColour) & 0xFFFFFF;
        look.selFont = Font(t.selectedBold, t.selectedItalic, t.selectedUnderline);
        look.unselFont = Font(t.unselectedBold, t.unselectedItalic, t.unselectedUnderline);
    }
    return look;
}

std::string TabButtonText(std::string_view sjis, int limit) {
    std::string utf8 = ToUtf8(sjis);
    if (limit <= 0) return utf8;
    // ToUtf8 yields valid UTF-8, so characters can be counted and cut whole.
    if (g_utf8_strlen(utf8.data(), static_cast<gssize>(utf8.size())) <= limit) return utf8;
    const char* end = g_utf8_offset_to_pointer(utf8.data(), limit);
    return utf8.substr(0, static_cast<std::size_t>(end - utf8.data()));
}

}  // namespace fern
