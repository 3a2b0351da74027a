#include "chrome/LinkBarLayout.h"

#include <gtest/gtest.h>

namespace fern {
namespace {

using Boxes = std::vector<LinkBarBox>;

TEST(LinkBarLayout, ButtonsRunLeftToRightUntilOneDoesNotFit) {
    LinkBarLook icons{true, false, 100};
    LinkBarLook plain{false, false, 100};
    LinkBarLook fixed{true, true, 50};
    struct Case {
        const char* what;
        std::vector<int> texts;
        LinkBarLook look;
        int available;
        Boxes boxes;
    } cases[] = {
        {"icon, padding and text", {40, 10}, icons, 500, {{0, 72, true}, {74, 42, true}}},
        {"no icons", {40}, plain, 500, {{0, 52, true}}},
        {"a long name is held to the largest button", {1000}, plain, 500, {{0, kLinkBarMaxNatural, true}}},
        {"fixed width whatever the text", {5, 300}, fixed, 500, {{0, 50, true}, {52, 50, true}}},
        {"exactly full", {40, 10}, icons, 116, {{0, 72, true}, {74, 42, true}}},
        {"one pixel short hides the last", {40, 10}, icons, 115, {{0, 72, true}, {74, 42, false}}},
        {"nothing after the first that does not fit",
         {88, 50, 0},
         plain,
         130,
         {{0, 100, true}, {102, 62, false}, {166, 12, false}}},
        {"no room at all", {10}, plain, 0, {{0, 22, false}}},
        {"a negative width counts as none", {-50}, plain, 100, {{0, 12, true}}},
        {"no buttons", {}, icons, 100, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(LayoutLinkBar(c.texts, c.look, c.available), c.boxes) << c.what;
}

TEST(LinkBarLayout, TheStoredWordsAndTheHitTest) {
    struct Case {
        int style, size;
        bool icons, fixedWidth;
        int width;
    } cases[] = {
        {0x300004, 100, true, false, 100},
        {0x8, 10, false, true, 30},          // clamped up
        {0xC, 0x00050400, true, true, 256},  // the high half is another size; the low one is clamped down
        {0x8, 120, false, true, 120},
    };
    for (const Case& c : cases) {
        LinkBarLook look = LinkBarLookOf(c.style, c.size);
        EXPECT_EQ(look.showIcons, c.icons);
        EXPECT_EQ(look.fixedWidth, c.fixedWidth);
        EXPECT_EQ(look.fixedSize, c.width);
    }
    Boxes boxes{{0, 50, true}, {52, 50, true}, {104, 50, false}};
    EXPECT_EQ(LinkBarButtonAt(boxes, 0), 0);
    EXPECT_EQ(LinkBarButtonAt(boxes, 49), 0);
    EXPECT_EQ(LinkBarButtonAt(boxes, 50), -1);  // the gap
    EXPECT_EQ(LinkBarButtonAt(boxes, 60), 1);
    EXPECT_EQ(LinkBarButtonAt(boxes, 120), -1);  // hidden
    EXPECT_EQ(LinkBarButtonAt(boxes, -5), -1);
}

}  // namespace
}  // namespace fern
