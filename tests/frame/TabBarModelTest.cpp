#include <gtest/gtest.h>

#include "frame/TabBarModel.h"

using namespace fern;

namespace {

std::string Texts(const CTabBarModel& bar) {
    std::string out;
    for (int i = 0; i < bar.Count(); ++i) out += bar.Item(i)->text;
    return out;
}

}  // namespace

TEST(TabBarModel, InsertKeepsTheSameTabSelected) {
    CTabBarModel bar;
    EXPECT_EQ(bar.Insert(0, "a", nullptr), 0);
    EXPECT_EQ(bar.Insert(1, "c", nullptr), 1);
    ASSERT_TRUE(bar.SetSelected(1));
    bar.SetHot(0);
    EXPECT_EQ(bar.Insert(1, "b", nullptr), 1);
    EXPECT_EQ(Texts(bar), "abc");
    EXPECT_EQ(bar.Selected(), 2);  // still "c"
    EXPECT_EQ(bar.Hot(), 0);
    EXPECT_EQ(bar.Insert(4, "x", nullptr), -1);
    EXPECT_EQ(bar.Insert(-1, "x", nullptr), -1);
    EXPECT_EQ(bar.Insert(3, "d", nullptr), 3);  // at the end is allowed
}

TEST(TabBarModel, DeleteShiftsPositionsAndClearsADeletedSelection) {
    CTabBarModel bar;
    for (const char* t : {"a", "b", "c", "d"}) bar.Insert(bar.Count(), t, nullptr);
    bar.SetSelected(3);
    bar.SetRightClicked(1);
    EXPECT_TRUE(bar.Delete(1));
    EXPECT_EQ(Texts(bar), "acd");
    EXPECT_EQ(bar.Selected(), 2);
    EXPECT_EQ(bar.RightClicked(), -1);
    EXPECT_TRUE(bar.Delete(2));
    EXPECT_EQ(bar.Selected(), -1);
    EXPECT_FALSE(bar.Delete(2));
    EXPECT_FALSE(bar.SetSelected(5));
}

TEST(TabBarModel, SwapMovesTheSelectionWithItsTab) {
    CTabBarModel bar;
    CFernView* views[3] = {reinterpret_cast<CFernView*>(0x10), reinterpret_cast<CFernView*>(0x20),
                           reinterpret_cast<CFernView*>(0x30)};
    for (int i = 0; i < 3; ++i) bar.Insert(i, std::string(1, char('a' + i)), views[i]);
    bar.SetImage(0, 4);
    bar.SetSelected(0);
    EXPECT_TRUE(bar.Swap(0, 1));
    EXPECT_EQ(Texts(bar), "bac");
    EXPECT_EQ(bar.Selected(), 1);
    EXPECT_EQ(bar.Item(1)->image, 4);
    EXPECT_EQ(bar.IndexOf(views[0]), 1);
    EXPECT_FALSE(bar.Swap(2, 3));
}
