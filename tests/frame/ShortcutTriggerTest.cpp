#include <gtest/gtest.h>

#include "frame/ShortcutTrigger.h"

using namespace fern;

TEST(ShortcutTrigger, TheHotKeyAsTheDesktopReadsIt) {
    struct Case {
        std::uint16_t key;
        unsigned modifiers;
        const char* trigger;
    } cases[] = {
        {'F', kHotKeyControl | kHotKeyAlt, "CTRL+ALT+f"},
        {'A', kHotKeyShift, "SHIFT+a"},  // the letter's own keysym; Shift stays a modifier
        {'Z', kHotKeyControl | kHotKeyShift | kHotKeyAlt, "CTRL+ALT+SHIFT+z"},
        {'7', kHotKeyControl, "CTRL+7"},
        {0x70, 0, "F1"},
        {0x87, kHotKeyAlt, "ALT+F24"},
        {0x60, kHotKeyControl, "CTRL+KP_0"},
        {0x6B, kHotKeyControl, "CTRL+KP_Add"},
        {0x20, kHotKeyControl, "CTRL+space"},
        {0x21, kHotKeyAlt, "ALT+Page_Up"},
        {0x2E, kHotKeyControl | kHotKeyAlt, "CTRL+ALT+Delete"},
        {0xBA, kHotKeyControl, "CTRL+semicolon"},
        {0xDC, kHotKeyControl, "CTRL+backslash"},
        {0xAC, kHotKeyControl, "CTRL+XF86HomePage"},
        {0xE8, kHotKeyControl, ""},  // a code without a keysym
        {0x10, kHotKeyControl, ""},  // Shift itself is no key to press
    };
    for (const auto& c : cases) EXPECT_EQ(ShortcutTriggerOf({c.key, c.modifiers}), c.trigger) << c.key;
}
