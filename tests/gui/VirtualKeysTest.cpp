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
