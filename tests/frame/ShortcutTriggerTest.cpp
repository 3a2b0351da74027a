#include <gtest/gtest.h>

#include "frame/ShortcutTrigger.h"

using namespace fern;

TEST(ShortcutTrigger, ModifiersInTheDesktopsOrderThenTheKeysym) {
    EXPECT_EQ(ShortcutTriggerOf(kHotKeyControl | kHotKeyAlt, "f"), "CTRL+ALT+f");
    EXPECT_EQ(ShortcutTriggerOf(kHotKeyShift, "a"), "SHIFT+a");
    EXPECT_EQ(ShortcutTriggerOf(kHotKeyShift | kHotKeyAlt | kHotKeyControl, "z"), "CTRL+ALT+SHIFT+z");
    EXPECT_EQ(ShortcutTriggerOf(0, "F1"), "F1");
    // A key without a keysym name gives no trigger at all.
    EXPECT_EQ(ShortcutTriggerOf(kHotKeyControl, ""), "");
}
