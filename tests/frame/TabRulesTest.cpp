#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "frame/TabRules.h"

using namespace fern;

TEST(TabInsertPosition, EachSettingPlacesTheNewTab) {
    struct Case {
        int setting, count, selected, expected;
    };
    const Case cases[] = {
        {0, 5, 2, 5}, {1, 5, 2, 0},  {2, 5, 2, 2},
        {3, 5, 2, 3}, {2, 0, -1, 0}, {3, 0, -1, 0},  // nothing selected
        {3, 5, 4, 5},                                // right of the last tab
        {4, 5, 2, 5}, {-1, 5, 2, 5},                 // unknown values act as "always last"
    };
    for (const auto& c : cases)
        EXPECT_EQ(TabInsertIndex(c.setting, c.count, c.selected), c.expected)
            << "setting " << c.setting << " count " << c.count << " selected " << c.selected;
}

TEST(TabNextActive, TableOfTheTabSelectedBeforeAClose) {
    struct Case {
        int setting, closing, count, expected;
    };
    const Case cases[] = {
        {0, 2, 5, -1}, {1, 0, 5, 1}, {1, 3, 5, 0}, {1, 0, 1, 0}, {2, 4, 5, 3}, {2, 1, 5, 4},
        {3, 0, 5, 1},  {3, 1, 5, 0}, {3, 4, 5, 3}, {4, 2, 5, 3}, {4, 4, 5, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TabNextActiveIndex(c.setting, c.closing, c.count), c.expected)
            << "setting " << c.setting << " closing " << c.closing;
}

TEST(TabOffset, StopsAtTheEndsUnlessWrapIsOn) {
    EXPECT_EQ(TabOffsetIndex(4, +1, 5, false), 4);
    EXPECT_EQ(TabOffsetIndex(4, +1, 5, true), 0);
    EXPECT_EQ(TabOffsetIndex(0, -1, 5, false), 0);
    EXPECT_EQ(TabOffsetIndex(0, -1, 5, true), 4);
    EXPECT_EQ(TabOffsetIndex(2, +1, 5, true), 3);
}

TEST(TabCommands, NewTabAndMouseSettings) {
    EXPECT_EQ(NewTabCommandFor(0), ID_NEW_TAB_BLANK);
    EXPECT_EQ(NewTabCommandFor(1), ID_NEW_TAB_HOME);
    EXPECT_EQ(NewTabCommandFor(2), ID_NEW_TAB_CLIPBOARD);
    EXPECT_EQ(NewTabCommandFor(3), ID_NEW_TAB_COPY);
    EXPECT_EQ(NewTabCommandFor(7), ID_NEW_TAB_BLANK);
    EXPECT_EQ(TabClickAction(0), TabMouseAction::None);
    EXPECT_EQ(TabClickAction(1), TabMouseAction::Close);
    EXPECT_EQ(TabClickAction(4), TabMouseAction::NavigateLock);
    EXPECT_EQ(TabClickAction(9), TabMouseAction::None);
    EXPECT_EQ(TabRightClickAction(0), TabMouseAction::Menu);
    EXPECT_EQ(TabRightClickAction(3), TabMouseAction::Back);
    EXPECT_EQ(TabRightClickAction(5), TabMouseAction::None);
}
