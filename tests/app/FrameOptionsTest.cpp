#include <gtest/gtest.h>

#include "app/FrameOptionsFromSettings.h"
#include "fakes/FakeProfile.h"

using namespace fern;

TEST(FrameOptionsFromSettings, DefaultsOfAFirstStart) {
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    ProgramSettings settings;
    settings.LoadAll(store);
    FrameOptions o = MakeFrameOptions(settings);
    EXPECT_EQ(o.tabStyle, 0x240u);
    EXPECT_EQ(o.browserStyle, 0x355u);
    EXPECT_EQ(o.dlcDefault, 0x70u);
    EXPECT_EQ(o.homePageUrl, "about:blank");
    EXPECT_EQ(o.tabCreateLimit, 20);
    EXPECT_EQ(o.tabBtnWClick, 1);
    EXPECT_EQ(o.tabBtnLDblClick, 2);
    EXPECT_FALSE(o.bookmarkOpenInNewTab);
    profile.WriteString("Browser", "BOHomePageUrl", "");
    settings.LoadAll(store);
    EXPECT_EQ(MakeFrameOptions(settings).homePageUrl, "about:blank");
}
