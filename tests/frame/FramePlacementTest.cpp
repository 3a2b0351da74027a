#include <gtest/gtest.h>

#include <climits>

#include "frame/FramePlacement.h"
#include "frame/FullScreenState.h"

using namespace fern;

namespace {

const std::vector<ScreenBox> kOneMonitor = {{0, 0, 1280, 1024}};
// Two side by side, the right one lower and smaller.
const std::vector<ScreenBox> kTwoMonitors = {{0, 0, 1920, 1080}, {1920, 200, 1280, 800}};

WindowPlacement Stored(const char* text) { return *ParseWindowPlacement(text); }

}  // namespace

TEST(PlacementRules, BoxesOnOrOffTheMonitors) {
    struct Case {
        const char* what;
        std::vector<ScreenBox> monitors;
        ScreenBox box, expected;
    } cases[] = {
        {"inside stays", kOneMonitor, {100, 50, 800, 600}, {100, 50, 800, 600}},
        {"partly off to the right, grip still shows",
         kOneMonitor,
         {1200, 50, 800, 600},
         {1200, 50, 800, 600}},
        {"only a sliver left: pulled back", kOneMonitor, {1250, 50, 800, 600}, {480, 50, 800, 600}},
        {"title bar above the screen", kOneMonitor, {100, -300, 800, 600}, {100, 0, 800, 600}},
        {"far away: onto the nearest monitor", kOneMonitor, {-50000, 90000, 800, 600}, {0, 424, 800, 600}},
        {"larger than the monitor: shrunk", kOneMonitor, {-10, -10, 3000, 2000}, {0, 0, 1280, 1024}},
        {"on the second monitor stays", kTwoMonitors, {2000, 300, 800, 600}, {2000, 300, 800, 600}},
        {"where a gone monitor was: nearest one", kTwoMonitors, {3300, 300, 800, 600}, {2400, 300, 800, 600}},
        {"in the gap below the second", kTwoMonitors, {2000, 1010, 800, 400}, {2000, 600, 800, 400}},
        {"no monitors known: as is", {}, {-5000, -5000, 10, 10}, {-5000, -5000, 10, 10}},
    };
    for (const Case& c : cases) EXPECT_EQ(PulledOnScreen(c.box, c.monitors), c.expected) << c.what;
}

TEST(PlacementRules, StoredPlacementOpensTheWindow) {
    std::optional<WindowOpening> normal =
        OpeningOfPlacement(Stored("0,1,-1,-1,-1,-1,10,20,810,620"), kOneMonitor);
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->box, (ScreenBox{10, 20, 800, 600}));
    EXPECT_FALSE(normal->maximized);

    std::optional<WindowOpening> maximized =
        OpeningOfPlacement(Stored("0,3,-1,-1,-8,-8,10,20,810,620"), kOneMonitor);
    ASSERT_TRUE(maximized);
    EXPECT_TRUE(maximized->maximized);
    EXPECT_EQ(maximized->box, (ScreenBox{10, 20, 800, 600}));  // where it goes when unmaximized

    // Closed while minimized: opens where the user can see it.
    EXPECT_FALSE(OpeningOfPlacement(Stored("0,2,0,0,0,0,10,20,810,620"), kOneMonitor)->maximized);
    EXPECT_TRUE(OpeningOfPlacement(Stored("2,2,0,0,0,0,10,20,810,620"), kOneMonitor)->maximized);

    // Off every monitor today.
    EXPECT_EQ(OpeningOfPlacement(Stored("0,1,0,0,0,0,5000,5000,5800,5600"), kOneMonitor)->box,
              (ScreenBox{480, 424, 800, 600}));
}

TEST(PlacementRules, WhatIsNotApplied) {
    WindowPlacement good = Stored("0,1,0,0,0,0,10,20,810,620");
    // Started minimized (a shortcut's show command): the placement stays unused.
    EXPECT_FALSE(OpeningOfPlacement(good, kOneMonitor, kShowMinimized));
    EXPECT_TRUE(OpeningOfPlacement(good, kOneMonitor, kShowDefault));
    for (const char* bad : {"0,1,0,0,0,0,10,20,10,620", "0,1,0,0,0,0,10,20,810,-620",
                            "0,1,0,0,0,0,2147483647,0,-2147483648,10"})
        EXPECT_FALSE(OpeningOfPlacement(Stored(bad), kOneMonitor)) << bad;
    // Huge but well-formed numbers end on the monitor.
    std::optional<WindowOpening> huge =
        OpeningOfPlacement(Stored("0,1,0,0,0,0,-2147483648,-2147483648,2147483647,2147483647"), kOneMonitor);
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->box, (ScreenBox{0, 0, 1280, 1024}));
    // A tiny window grows to something that can be used.
    EXPECT_EQ(OpeningOfPlacement(Stored("0,1,0,0,0,0,10,20,11,21"), kOneMonitor)->box,
              (ScreenBox{10, 20, 200, 120}));
}

TEST(PlacementRules, WindowStateRoundTripsThroughTheStoredText) {
    struct Case {
        bool maximized, minimized;
        const char* text;
    } cases[] = {
        {false, false, "0,1,-1,-1,-1,-1,30,40,830,640"},
        {true, false, "0,3,-1,-1,-1,-1,30,40,830,640"},
        {false, true, "0,2,-1,-1,-1,-1,30,40,830,640"},
        {true, true, "2,2,-1,-1,-1,-1,30,40,830,640"},
    };
    for (const Case& c : cases) {
        WindowPlacement p = PlacementOfWindow({30, 40, 800, 600}, c.maximized, c.minimized);
        EXPECT_EQ(FormatWindowPlacement(p), c.text);
        std::optional<WindowOpening> back = OpeningOfPlacement(*ParseWindowPlacement(c.text), kOneMonitor);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->box, (ScreenBox{30, 40, 800, 600}));
        EXPECT_EQ(back->maximized, c.maximized) << c.text;
    }
}

TEST(FullScreenStateBits, StoredValueAndWhatLeavingGivesBack) {
    struct Case {
        int stored;
        bool on;
        FullScreenBars kept;
    } cases[] = {
        {0, false, {false, false}},
        {1, true, {false, false}},
        {7, true, {true, true}},
        {3, true, {true, false}},
        {5, true, {false, true}},
        {-1, true, {true, true}},
        {0x7FFFFFF8, false, {false, false}},
    };
    for (const Case& c : cases) {
        CFullScreenState state = CFullScreenState::FromStored(c.stored);
        EXPECT_EQ(state.On(), c.on) << c.stored;
        EXPECT_EQ(state.Kept(), c.kept) << c.stored;
        EXPECT_EQ(state.StoredValue(), c.stored & 7) << c.stored;
    }

    CFullScreenState state;
    ASSERT_TRUE(state.Enter({true, false}));
    EXPECT_EQ(state.StoredValue(), 3);
    // A second enter (the key pressed again while on) keeps the first bars.
    EXPECT_FALSE(state.Enter({false, false}));
    EXPECT_EQ(state.Leave(), (FullScreenBars{true, false}));
    EXPECT_FALSE(state.On());
    EXPECT_EQ(state.StoredValue() & 1, 0);

    // Entered at start from the stored bits: leaving shows the stored bars.
    CFullScreenState started = CFullScreenState::FromStored(1 | 4);
    EXPECT_EQ(started.Leave(), (FullScreenBars{false, true}));
}
