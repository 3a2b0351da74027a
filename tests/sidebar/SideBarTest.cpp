#include "sidebar/SideBar.h"

#include <gtest/gtest.h>

#include "commands/CommandIds.h"

using namespace fern;

TEST(SideBarPanels, StartPanelClampsFBIndex) {
    const std::pair<int, int> cases[] = {{-1, 0},        {0, 0}, {3, 3}, {4, 0}, {-2147483647 - 1, 0},
                                         {2147483647, 0}};
    for (auto [stored, start] : cases) EXPECT_EQ(SideBarStartPanel(stored), start) << stored;
}

TEST(SideBarPanels, NextAndPreviousWrapAround) {
    const int next[] = {1, 2, 3, 0};
    const int previous[] = {3, 0, 1, 2};
    for (int i = 0; i < kSideBarPanelCount; ++i) {
        EXPECT_EQ(NextSideBarPanel(i), next[i]);
        EXPECT_EQ(PreviousSideBarPanel(i), previous[i]);
    }
    EXPECT_EQ(NextSideBarPanel(kWebSearchPanel), kBookmarkPanel);
    EXPECT_EQ(PreviousSideBarPanel(kBookmarkPanel), kWebSearchPanel);
}

TEST(SideBarPanels, TitlesInTableOrder) {
    EXPECT_STREQ(SideBarPanelTitle(0), "ブックマーク");
    EXPECT_STREQ(SideBarPanelTitle(1), "履歴");
    EXPECT_STREQ(SideBarPanelTitle(2), "履歴検索");
    EXPECT_STREQ(SideBarPanelTitle(3), "Web検索");
    EXPECT_STREQ(SideBarPanelTitle(4), "");
}

TEST(SideBarCommands, WhatEachSwitchDoes) {
    struct Case {
        SideBarState before;
        int id;
        SideBarState after;
    } cases[] = {
        {{false, 2}, ID_FERN_BAR, {true, 2}},  // the bar comes back with the panel it had
        {{true, 2}, ID_FERN_BAR, {false, 2}},       {{false, 0}, ID_HISTORY_BAR, {true, 1}},
        {{true, 0}, ID_HISTORY_BAR, {true, 1}},   // another panel showing: switch to it
        {{true, 1}, ID_HISTORY_BAR, {false, 1}},  // its panel showing already: hide the bar
        {{true, 3}, ID_BOOKMARK_BAR, {true, 0}},    {{true, 0}, ID_HISTORY_SEARCH_BAR, {true, 2}},
        {{false, 3}, ID_WEB_SEARCH_BAR, {true, 3}}, {{true, 3}, ID_WEB_SEARCH_BAR, {false, 3}},
        {{true, 3}, ID_TAB_NEXT, {true, 3}},  // not a bar command
    };
    for (const Case& c : cases) {
        SideBarState after = ApplyBarCommand(c.before, c.id);
        EXPECT_EQ(after, c.after) << c.id << " from " << c.before.shown << "," << c.before.panel;
    }
}

TEST(SideBarCommands, CheckMarks) {
    SideBarState shownHistory{true, kHistoryPanel};
    EXPECT_TRUE(BarCommandChecked(shownHistory, ID_FERN_BAR));
    EXPECT_TRUE(BarCommandChecked(shownHistory, ID_HISTORY_BAR));
    EXPECT_FALSE(BarCommandChecked(shownHistory, ID_BOOKMARK_BAR));
    EXPECT_FALSE(BarCommandChecked(shownHistory, ID_WEB_SEARCH_BAR));
    SideBarState hidden{false, kHistoryPanel};
    for (int id : {ID_FERN_BAR, ID_HISTORY_BAR, ID_BOOKMARK_BAR, ID_HISTORY_SEARCH_BAR, ID_WEB_SEARCH_BAR})
        EXPECT_FALSE(BarCommandChecked(hidden, id)) << id;
}

TEST(SideBarSizesText, ParseKeepsBuiltInSizesForShortOrBadValues) {
    SideBarSizes builtIn;
    const char* bad[] = {"",
                         "1,2,3,4,5",
                         "200,100,240,400,220",
                         "a,b,c,d,e,f",
                         "200,,240,400,220,400",
                         "200;100;240;400;220;400",
                         "200,100,240,400,220,x"};
    for (const char* text : bad) EXPECT_EQ(ParseSideBarSizes(text, builtIn), builtIn) << text;
}

TEST(SideBarSizesText, ParseRaisesToMinimumAndRoundTrips) {
    SideBarSizes read = ParseSideBarSizes("300,150,260,500,10,5");
    EXPECT_EQ(read.horizontal, (BarSize{300, 150}));
    EXPECT_EQ(read.vertical, (BarSize{260, 500}));
    EXPECT_EQ(read.floating, (BarSize{kSideBarMinimum.width, kSideBarMinimum.height}));
    EXPECT_EQ(ParseSideBarSizes(FormatSideBarSizes(read)), read);
    EXPECT_EQ(FormatSideBarSizes(read), "300,150,260,500,80,40");
    // Extra numbers after the sixth are left alone, as a fixed read would.
    EXPECT_EQ(ParseSideBarSizes("300,150,260,500,220,400,7").vertical, (BarSize{260, 500}));
    EXPECT_EQ(ParseSideBarSizes("-5,150,260,500,220,400").horizontal.width, kSideBarMinimum.width);
}

TEST(SideBarTabStrip, TitlesOrImagesOnlyAndWrapping) {
    TabStripMetrics m;  // image 16, padding 5, gap 4, height 24
    std::vector<int> titles = {60, 20, 40, 40};
    std::vector<TabBox> images = LayoutSideBarTabs(titles, false, 500, m);
    ASSERT_EQ(images.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(images[i], (TabBox{i * 26, 0, 26, 24}));

    std::vector<TabBox> titled = LayoutSideBarTabs(titles, true, 500, m);
    EXPECT_EQ(titled[0], (TabBox{0, 0, 90, 24}));
    EXPECT_EQ(titled[1], (TabBox{90, 0, 50, 24}));
    EXPECT_EQ(SideBarTabsHeight(titled, m), 24);

    // 140 pixels hold the first two tabs; the rest go to the next rows.
    std::vector<TabBox> narrow = LayoutSideBarTabs(titles, true, 140, m);
    EXPECT_EQ(narrow[1].y, 0);
    EXPECT_EQ(narrow[2], (TabBox{0, 24, 70, 24}));
    EXPECT_EQ(narrow[3], (TabBox{70, 24, 70, 24}));
    EXPECT_EQ(SideBarTabsHeight(narrow, m), 48);
    // Narrower than one tab: a tab per row, none dropped.
    std::vector<TabBox> tiny = LayoutSideBarTabs(titles, true, 10, m);
    EXPECT_EQ(tiny[3].y, 72);

    EXPECT_EQ(SideBarTabAt(narrow, 75, 30), 3);
    EXPECT_EQ(SideBarTabAt(narrow, 139, 0), 1);
    EXPECT_EQ(SideBarTabAt(narrow, 140, 0), -1);
    EXPECT_EQ(SideBarTabAt(narrow, 5, 60), -1);
}
