#include "chrome/ToolBarTable.h"

#include <gtest/gtest.h>

#include <set>

#include "commands/CommandCatalogue.h"

namespace fern {
namespace {

TEST(ToolBarTable, EveryRowsCommandIsInTheCatalogueAndHasAnImageAndAName) {
    ASSERT_EQ(ToolBarButtons().size(), 54u);
    std::set<int> images;
    int separators = 0;
    for (const ToolBarButton& row : ToolBarButtons()) {
        if (row.IsSeparator()) {
            ++separators;
            EXPECT_FALSE(row.dropDown);
            continue;
        }
        EXPECT_NE(FindCommand(row.command), nullptr) << row.command << " " << row.label;
        EXPECT_STRNE(row.label, "") << row.command;
        EXPECT_TRUE(images.insert(row.image).second) << "image twice: " << row.image;
        EXPECT_STRNE(ToolBarIconName(row.image), "image-missing") << row.image;
    }
    EXPECT_EQ(separators, 9);
    EXPECT_EQ(images.size(), 45u);
    EXPECT_EQ(*images.rbegin(), 44);
    // The drop-downs: back and forward lists, new tab, open, text size, security templates.
    std::set<int> dropDowns;
    for (const ToolBarButton& row : ToolBarButtons())
        if (row.dropDown) dropDowns.insert(row.command);
    EXPECT_EQ(dropDowns, (std::set<int>{33107, 33108, 32820, 32825, 32949, 33035}));
    for (int command : dropDowns) {
        std::vector<MenuNode> menu = ToolBarDropDownMenu(command);
        EXPECT_FALSE(menu.empty()) << command;
        for (int id : MenuCommandIds(menu)) EXPECT_NE(FindCommand(id), nullptr) << id;
    }
    EXPECT_EQ(ToolBarRowOfCommand(33150), 53);
    EXPECT_EQ(ToolBarRowOfCommand(32941), 52);
}

TEST(ToolBarTable, DefaultSetIsTheMarkedRowsInTableOrder) {
    ToolBarLayout expected = {0,  1,  2,  4,  6,  -1, 8,  10, -1, 16, 17, 18, -1, 24,
                              25, 27, 29, 30, 31, -1, 34, 35, 36, 37, 50, 51, 52};
    EXPECT_EQ(DefaultToolBarLayout(), expected);
}

TEST(ToolBarLayoutRecord, ReadsTheValidPartAndFallsBackToTheDefaultSet) {
    ToolBarLayout defaults = DefaultToolBarLayout();
    struct Case {
        const char* what;
        const char* text;
        ToolBarLayout layout;
    } cases[] = {
        {"back, forward, a separator and refresh", "0,1,-1,4", {0, 1, -1, 4}},
        {"empty gives the default set", "", defaults},
        {"a separator row of the table is a separator", "0,7,4", {0, -1, 4}},
        {"blanks around the numbers", " 0 , 1 ", {0, 1}},
        {"garbage fields are dropped", "0,abc,,4x,1", {0, 1}},
        {"other negatives and rows past the table are dropped", "-2,0,54,2147483647,-2147483648,52", {0, 52}},
        {"numbers beyond 32 bits saturate and are dropped", "99999999999999999999,4", {4}},
        {"nothing valid gives the default set", "abc,-5,999", defaults},
        {"separators only give the default set", "-1,-1", defaults},
        {"a trailing comma costs nothing", "4,", {4}},
        {"a button may come twice", "4,4", {4, 4}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseToolBarLayout(c.text), c.layout) << c.what;
}

TEST(ToolBarLayoutRecord, RoundTripsAndWritesNonRowsAsSeparators) {
    ToolBarLayout all;
    for (int row = 0; row < kToolBarRowCount; ++row) all.push_back(ToolBarRow(row)->IsSeparator() ? -1 : row);
    std::string text = FormatToolBarLayout(all);
    EXPECT_EQ(ParseToolBarLayout(text), all);
    EXPECT_EQ(FormatToolBarLayout({0, 1, -1, 4}), "0,1,-1,4");
    EXPECT_EQ(FormatToolBarLayout({0, 77, 7, -9}), "0,-1,-1,-1");
    EXPECT_EQ(FormatToolBarLayout({}), "");
}

TEST(ToolBarLookRecord, TakesFourNumericFieldsOrTheDefaults) {
    ToolBarLook defaults;
    struct Case {
        const char* text;
        ToolBarLook look;
    } cases[] = {
        {"1,0,0,0", {true, ToolBarText::None, 0, 0}},
        {"0,2,7,-3", {false, ToolBarText::Below, 7, -3}},
        {"0,1,0,0,99", {false, ToolBarText::Right, 0, 0}},
        {"0,1,0", defaults},
        {"0,x,0,0", defaults},
        {"", defaults},
        {"5,9,0,0", {true, ToolBarText::None, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseToolBarLook(c.text), c.look) << c.text;
    ToolBarLook look{false, ToolBarText::Below, 12, 34};
    EXPECT_EQ(FormatToolBarLook(look), "0,2,12,34");
    EXPECT_EQ(ParseToolBarLook(FormatToolBarLook(look)), look);
}

}  // namespace
}  // namespace fern
