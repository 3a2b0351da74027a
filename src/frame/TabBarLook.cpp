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

TabFontLook FontFromBits(int bits, int bold, int italic, int underline) {
    TabFontLook font;
    font.weight = (bits & bold) ? 700 : 400;
    font.italic = (bits & italic) != 0;
    font.underline = (bits & underline) != 0;
    return font;
}

}  // namespace

TabBarLook MakeTabBarLook(const TabBarSettingsValues& v) {
    TabBarLook look;
    if (v.tabStyle & kTabStyleTextLimit)
        look.textLimit = std::clamp(v.textLimit, kMinTextLimit, kMaxTextLimit);
    look.multiLine = (v.tabStyle & kTabStyleMultiLine) != 0;
    if (v.tabStyle & kTabStyleFixedWidth)
        look.fixedWidth = std::clamp(v.fixBtnSize & 0xFFFF, kMinFixedWidth, kMaxFixedWidth);
    look.belowPages = (v.tabStyle & kTabStyleBelowPages) != 0;
    if (v.tabStyle & kTabStyleCustomColours) {
        look.customColours = true;
        look.selText = v.selClr & 0xFFFFFF;
        look.unselText = v.unselClr & 0xFFFFFF;
        look.selBack = v.selBkgClr & 0xFFFFFF;
        look.unselBack = v.unselBkgClr & 0xFFFFFF;
        look.selFont = FontFromBits(v.btnStyle, 0x1, 0x2, 0x4);
        look.unselFont = FontFromBits(v.btnStyle, 0x10000, 0x20000, 0x40000);
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
