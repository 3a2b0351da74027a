#include <gtest/gtest.h>

#include "fakes/FakeProfile.h"
#include "frame/TabBarLook.h"

using namespace fern;

namespace {

// The section as a profile holding these bit words reads.
TabBarSettings Values(int tabStyle, int btnStyle = 0) {
    FakeProfile profile, windows;
    profile.Set("TabBar", "TabStyle", std::to_string(tabStyle));
    profile.Set("TabBar", "TabBtnStyle", std::to_string(btnStyle));
    profile.Set("TabBar", "TabBtnTextLimit", "12");
    profile.Set("TabBar", "TabFixBtnSize", std::to_string((7 << 16) | 120));
    profile.Set("TabBar", "TabBtnSelClr", std::to_string(0x0000FF));
    profile.Set("TabBar", "TabBtnUnSelClr", std::to_string(0x00FF00));
    profile.Set("TabBar", "TabBtnSelBkgClr", std::to_string(0xFF0000));
    profile.Set("TabBar", "TabBtnUnSelBkgClr", std::to_string(0x123456));
    TabBarSettings settings;
    settings.Load(SettingsStore(profile, windows));
    return settings;
}

// UTF-8 whatever the execution character set.
std::string U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

}  // namespace

TEST(TabBarLook, LayoutSwitchesFollowTheirBits) {
    TabBarLook plain = MakeTabBarLook(Values(0));
    EXPECT_EQ(plain.textLimit, 0);
    EXPECT_FALSE(plain.multiLine);
    EXPECT_EQ(plain.fixedWidth, 0);
    EXPECT_FALSE(plain.belowPages);

    TabBarLook all = MakeTabBarLook(Values(0x100 | 0x40 | 0x80 | 0x10000));
    EXPECT_EQ(all.textLimit, 12);
    EXPECT_TRUE(all.multiLine);
    EXPECT_EQ(all.fixedWidth, 120);  // low word only
    EXPECT_TRUE(all.belowPages);

    // Values the options page would never write are brought into its range.
    TabBarSettings odd = Values(0x100 | 0x80);
    odd.textLimit = 0;
    odd.fixedSize = 5;
    EXPECT_EQ(MakeTabBarLook(odd).textLimit, 1);
    EXPECT_EQ(MakeTabBarLook(odd).fixedWidth, 20);
    odd.textLimit = 5000;
    odd.fixedSize = 0xFFFF;
    EXPECT_EQ(MakeTabBarLook(odd).textLimit, 100);
    EXPECT_EQ(MakeTabBarLook(odd).fixedWidth, 256);
}

TEST(TabBarLook, ColoursAndFontsOnlyWithCustomColours) {
    // Without bit 0x1, TabBtnStyle has no effect.
    TabBarLook theme = MakeTabBarLook(Values(0x240, 0x70007));
    EXPECT_FALSE(theme.customColours);
    EXPECT_EQ(theme.selFont, TabFontLook{});
    EXPECT_EQ(theme.unselFont, TabFontLook{});

    TabBarLook custom = MakeTabBarLook(Values(0x241, 0x1 | 0x4 | 0x20000));
    EXPECT_TRUE(custom.customColours);
    EXPECT_EQ(custom.selText, 0x0000FFu);
    EXPECT_EQ(custom.unselText, 0x00FF00u);
    EXPECT_EQ(custom.selBack, 0xFF0000u);
    EXPECT_EQ(custom.unselBack, 0x123456u);
    EXPECT_EQ(custom.selFont, (TabFontLook{700, false, true}));
    EXPECT_EQ(custom.unselFont, (TabFontLook{400, true, false}));

    TabBarLook unsel = MakeTabBarLook(Values(0x1, 0x10000 | 0x40000 | 0x2));
    EXPECT_EQ(unsel.selFont, (TabFontLook{400, true, false}));
    EXPECT_EQ(unsel.unselFont, (TabFontLook{700, false, true}));
}

TEST(TabButtonText, CutsByCharactersNeverSplittingOne) {
    EXPECT_EQ(TabButtonText("abcdef", 0), "abcdef");
    EXPECT_EQ(TabButtonText("abcdef", 3), "abc");
    EXPECT_EQ(TabButtonText("abc", 3), "abc");
    // "ソフト" in Shift-JIS is 6 bytes, 3 characters.
    EXPECT_EQ(TabButtonText("ソフトウェア", 3), U8(u8"ソフト"));
    EXPECT_EQ(TabButtonText("aソb", 2), U8(u8"aソ"));
    // Half-width katakana is one byte and one character.
    EXPECT_EQ(TabButtonText("\xB1\xB2\xB3", 2), U8(u8"ｱｲ"));
    EXPECT_EQ(TabButtonText("", 5), "");
}
