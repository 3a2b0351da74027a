#include "chrome/ToolBarDock.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/FakeProfile.h"

using namespace fern;

namespace {

struct Rig {
    FakeProfile profile, windows;
    SettingsStore store{profile, windows};
    std::optional<CSettingsService> settings;
    std::optional<CToolBarDock> dock;
    int told = 0;
    SettingsSubscription subscription;

    // Builds the service and the dock over what the files hold now.
    void Start() {
        settings.emplace(store);
        dock.emplace(*settings, windows);
        subscription = settings->Subscribe(SettingsSection::FernBars, [this] { ++told; });
    }
};

}  // namespace

TEST(ToolBarDock, EverySideComesBackFromTheSavedLayout) {
    for (DockSide side : {DockSide::Top, DockSide::Left, DockSide::Right, DockSide::Bottom}) {
        FakeProfile windows;
        EXPECT_TRUE(SaveDockSide(windows, side));
        EXPECT_EQ(LoadDockSide(windows), side) << static_cast<int>(side);
        EXPECT_EQ(windows.Get("FernBars-Summary", "Bars"), "1");
        EXPECT_EQ(windows.Get("FernBars-Bar0", "BarID"), "2");
        EXPECT_EQ(windows.Get("FernBars-Bar0", "Side"), std::to_string(static_cast<int>(side)));
    }
}

TEST(ToolBarDock, ALayoutThatNamesNoKnownSideOfTheToolBarIsTheTop) {
    struct Case {
        const char* what;
        const char* bars;
        const char* barId;
        const char* side;
    };
    const Case cases[] = {
        {"no layout", nullptr, nullptr, nullptr}, {"garbage side", "1", "2", "links"},
        {"negative side", "1", "2", "-1"},        {"side past bottom", "1", "2", "4"},
        {"huge side", "1", "2", "99999999999"},   {"another bar", "1", "7", "1"},
        {"no bar id", "1", nullptr, "1"},         {"no bar counted", "0", "2", "1"},
        {"garbage count", "x", "2", "1"},         {"negative count", "-3", "2", "1"},
    };
    for (const Case& c : cases) {
        FakeProfile windows;
        if (c.bars) windows.Set("FernBars-Summary", "Bars", c.bars);
        if (c.barId) windows.Set("FernBars-Bar0", "BarID", c.barId);
        if (c.side) windows.Set("FernBars-Bar0", "Side", c.side);
        EXPECT_EQ(LoadDockSide(windows), DockSide::Top) << c.what;
    }
}

TEST(ToolBarDock, TheToolBarIsFoundAmongOtherSavedBars) {
    FakeProfile windows;
    windows.Set("FernBars-Summary", "Bars", "3");
    windows.Set("FernBars-Bar0", "BarID", "9");
    windows.Set("FernBars-Bar0", "Side", "3");
    windows.Set("FernBars-Bar2", "BarID", "2");
    windows.Set("FernBars-Bar2", "Side", "2");
    EXPECT_EQ(LoadDockSide(windows), DockSide::Right);
}

TEST(ToolBarDock, OnlyStyleZeroDocksTheBar) {
    struct Case {
        const char* stored;  // nullptr: no key
        bool docked;
    };
    // Numbers are read like atol: text that starts with no digit is 0.
    const Case cases[] = {{nullptr, false}, {"1", false},           {"0", true},       {"-1", false},
                          {"2", false},     {"99999999999", false}, {"garbage", true}, {"0x1", true}};
    for (const Case& c : cases) {
        Rig rig;
        if (c.stored) rig.windows.Set("FernBars", "TBStyle", c.stored);
        rig.windows.Set("FernBars-Summary", "Bars", "1");
        rig.windows.Set("FernBars-Bar0", "BarID", "2");
        rig.windows.Set("FernBars-Bar0", "Side", "3");
        rig.Start();
        EXPECT_EQ(rig.dock->Placement(), (ToolBarPlacement{c.docked, DockSide::Bottom}))
            << (c.stored ? c.stored : "(none)");
    }
}

TEST(ToolBarDock, DockingFromTheBandWritesTheSideThenTheStyle) {
    Rig rig;
    rig.Start();
    EXPECT_EQ(rig.dock->Placement(), (ToolBarPlacement{false, DockSide::Top}));
    DockSide seen = DockSide::Top;
    SettingsSubscription look =
        rig.settings->Subscribe(SettingsSection::FernBars, [&] { seen = LoadDockSide(rig.windows); });
    EXPECT_TRUE(rig.dock->DockOn(DockSide::Left));
    EXPECT_EQ(rig.told, 1);
    EXPECT_EQ(seen, DockSide::Left);  // the layout was there when the style was told
    EXPECT_EQ(rig.windows.Get("FernBars", "TBStyle"), "0");
    EXPECT_EQ(rig.dock->Placement(), (ToolBarPlacement{true, DockSide::Left}));

    // Docked to docked: another side, the style written again.
    rig.windows.Set("FernBars", "TBStyle", "junk");
    EXPECT_TRUE(rig.dock->DockOn(DockSide::Bottom));
    EXPECT_EQ(rig.told, 2);
    EXPECT_EQ(rig.windows.Get("FernBars", "TBStyle"), "0");
    EXPECT_EQ(rig.windows.Get("FernBars-Bar0", "Side"), "3");

    // The next start finds it so.
    Rig again;
    again.windows = rig.windows;
    again.Start();
    EXPECT_EQ(again.dock->Placement(), (ToolBarPlacement{true, DockSide::Bottom}));
}

TEST(ToolBarDock, BackToTheBandDeletesEverySavedBarSectionAndNothingElse) {
    Rig rig;
    rig.windows.Set("FernBars", "TBStyle", "0");
    rig.windows.Set("FernBars", "TBBtnCount", "0,1,-1,2");
    rig.windows.Set("FernBars-Summary", "Bars", "3");
    for (const char* bar : {"FernBars-Bar0", "FernBars-Bar1", "FernBars-Bar2"})
        rig.windows.Set(bar, "BarID", "2");
    rig.windows.Set("FernBars-Bar3", "BarID", "5");  // not counted by the summary: not ours to delete
    rig.windows.Set("FernBars-Other", "Keep", "1");
    rig.windows.Set("ReBar", "RBBandCount", "5");
    rig.Start();
    ASSERT_TRUE(rig.dock->Placement().docked);

    EXPECT_TRUE(rig.dock->MakeBand());
    for (const char* gone : {"FernBars-Summary", "FernBars-Bar0", "FernBars-Bar1", "FernBars-Bar2"})
        EXPECT_FALSE(rig.windows.HasSection(gone)) << gone;
    EXPECT_TRUE(rig.windows.HasSection("FernBars-Bar3"));
    EXPECT_EQ(rig.windows.Get("FernBars-Other", "Keep"), "1");
    EXPECT_EQ(rig.windows.Get("FernBars", "TBBtnCount"), "0,1,-1,2");
    EXPECT_EQ(rig.windows.Get("ReBar", "RBBandCount"), "5");
    EXPECT_EQ(rig.windows.Get("FernBars", "TBStyle"), "1");
    EXPECT_EQ(rig.told, 1);
    EXPECT_FALSE(rig.dock->Placement().docked);

    Rig again;
    again.windows = rig.windows;
    again.Start();
    EXPECT_EQ(again.dock->Placement(), (ToolBarPlacement{false, DockSide::Top}));
}

TEST(ToolBarDock, AHugeBarCountDeletesABoundedNumberOfSections) {
    FakeProfile windows;
    windows.Set("FernBars-Summary", "Bars", "2147483647");
    windows.Set("FernBars-Bar0", "BarID", "2");
    EXPECT_TRUE(DeleteDockLayout(windows));
    EXPECT_FALSE(windows.HasSection("FernBars-Bar0"));
    EXPECT_LE(windows.writes, kMaxDockedBars + 1);
}

TEST(ToolBarDock, ALayoutSavedOverALongerOneLeavesNoStaleBar) {
    FakeProfile windows;
    windows.Set("FernBars-Summary", "Bars", "2");
    windows.Set("FernBars-Bar1", "BarID", "2");
    windows.Set("FernBars-Bar1", "Side", "1");
    EXPECT_TRUE(SaveDockSide(windows, DockSide::Right));
    EXPECT_FALSE(windows.HasSection("FernBars-Bar1"));
    EXPECT_EQ(LoadDockSide(windows), DockSide::Right);
}

TEST(ToolBarDock, ALayoutThatCannotBeWrittenIsReportedAndTheSwitchStillHappens) {
    Rig rig;
    rig.Start();
    rig.windows.failWrites = true;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(rig.dock->DockOn(DockSide::Right));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("dock layout"), std::string::npos);
    EXPECT_EQ(rig.dock->Placement(), (ToolBarPlacement{true, DockSide::Right}));
    EXPECT_EQ(rig.told, 1);
}

TEST(ToolBarDock, ADraggedBarDocksToTheNearestEdge) {
    struct Case {
        int x, y;
        DockSide side;
    };
    // A window of 1000 x 600.
    const Case cases[] = {
        {500, 10, DockSide::Top},     {10, 300, DockSide::Left},    {990, 300, DockSide::Right},
        {500, 590, DockSide::Bottom}, {500, 300, DockSide::Top},    {200, 300, DockSide::Left},
        {-50, 300, DockSide::Left},   {500, 900, DockSide::Bottom}, {2000, 300, DockSide::Right},
        {0, 0, DockSide::Top},  // a corner: the top
    };
    for (const Case& c : cases) EXPECT_EQ(DockSideNearest(c.x, c.y, 1000, 600), c.side) << c.x << "," << c.y;
}
