#include <gtest/gtest.h>

#include "commands/KeyBinding.h"
#include "ui/gtk/VirtualKeys.h"

using namespace fern;

TEST(VirtualKeys, EveryNamedKeyHasAKeyValueAndBack) {
    for (std::uint32_t code = 1; code < 0xFF; ++code) {
        if (VirtualKeyName(static_cast<std::uint16_t>(code)).empty()) continue;
        guint keyval = KeyvalOfVirtualKey(static_cast<std::uint16_t>(code));
        ASSERT_NE(keyval, 0u) << VirtualKeyName(static_cast<std::uint16_t>(code));
        EXPECT_EQ(VirtualKeyOfKeyval(keyval), code) << VirtualKeyName(static_cast<std::uint16_t>(code));
    }
    // Letters in either case, the keypad's digits and the function keys.
    EXPECT_EQ(VirtualKeyOfKeyval(GDK_KEY_t), 'T');
    EXPECT_EQ(VirtualKeyOfKeyval(GDK_KEY_T), 'T');
    EXPECT_EQ(VirtualKeyOfKeyval(GDK_KEY_KP_7), 0x67);
    EXPECT_EQ(VirtualKeyOfKeyval(GDK_KEY_F12), 0x7B);
    EXPECT_EQ(VirtualKeyOfKeyval(GDK_KEY_ISO_Left_Tab), 0x09);
    EXPECT_EQ(VirtualKeyOfKeyval(GDK_KEY_Shift_L), 0);
}

TEST(VirtualKeys, KeysymNamesAsADesktopsShortcutServiceReadsThem) {
    struct Case {
        std::uint16_t key;
        const char* name;
    } cases[] = {
        {'F', "f"},  // the letter's own keysym; Shift stays a modifier
        {'7', "7"},       {0x70, "F1"},        {0x87, "F24"},          {0x60, "KP_0"},   {0x6B, "KP_Add"},
        {0x0D, "Return"}, {0x20, "space"},     {0x21, "Page_Up"},      {0x2E, "Delete"}, {0xBA, "semicolon"},
        {0xBB, "equal"},  {0xDC, "backslash"}, {0xAC, "XF86HomePage"}, {0xE8, ""},  // a code without a keysym
        {0x10, ""},  // Shift itself is no key to press
    };
    for (const auto& c : cases) EXPECT_EQ(KeysymNameOfVirtualKey(c.key), c.name) << c.key;
}
