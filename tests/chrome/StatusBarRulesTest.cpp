#include <gtest/gtest.h>

#include <vector>

#include "chrome/DownloadControlStrip.h"
#include "chrome/ProgressPane.h"
#include "chrome/SecurityIndicators.h"

using namespace fern;

TEST(DownloadControlStrip, StyleChanges) {
    // Stored garbage reads as collapsed and is written back as 1.
    EXPECT_EQ(CDownloadControlStrip(0).Style(), kDlcStripCollapsed);
    EXPECT_EQ(CDownloadControlStrip(-7).Style(), kDlcStripCollapsed);

    std::vector<int> reported;
    CDownloadControlStrip strip(1);
    strip.SetHooks(nullptr, [&](int style) { reported.push_back(style); });
    EXPECT_FALSE(strip.SetStyle(1));
    EXPECT_TRUE(strip.SetStyle(2));
    EXPECT_EQ(reported, (std::vector<int>{2}));
}

TEST(DownloadControlStrip, ClicksExpandFlipInIconOrderAndCollapse) {
    std::vector<std::uint32_t> bits;
    CDownloadControlStrip strip(1);
    strip.SetHooks([&](std::uint32_t bit) { bits.push_back(bit); }, nullptr);

    // Anywhere on the collapsed strip expands it and flips nothing.
    strip.Click(2);
    EXPECT_TRUE(strip.Expanded());
    EXPECT_TRUE(bits.empty());

    // First and last pixel of each 17-pixel icon.
    for (int i = 0; i < kDlcIndicatorCount; ++i) {
        strip.Click(CDownloadControlStrip::IndicatorX(i));
        strip.Click(CDownloadControlStrip::IndicatorX(i) + 16);
    }
    EXPECT_EQ(bits, (std::vector<std::uint32_t>{0x10, 0x10, 0x40, 0x40, 0x20, 0x20, 0x100, 0x100, 0x80, 0x80,
                                                0x200, 0x200, 0x400, 0x400}));
    EXPECT_TRUE(strip.Expanded());

    // Beside the icons: collapse, no flip.
    bits.clear();
    strip.Click(120);
    EXPECT_FALSE(strip.Expanded());
    strip.Click(0);
    EXPECT_TRUE(strip.Expanded());
    strip.Click(0);
    EXPECT_FALSE(strip.Expanded());
    EXPECT_TRUE(bits.empty());
    EXPECT_EQ(strip.IndicatorAt(5), -1);  // collapsed: nothing to hit

    // Pressing an indicator (assistive technologies) flips whatever the style.
    strip.PressIndicator(4);
    strip.PressIndicator(7);
    EXPECT_EQ(bits, (std::vector<std::uint32_t>{0x80}));
}

TEST(DownloadControlStrip, LitMeansRestricted) {
    // The default 0x70 allows everything: nothing lit.
    for (int i = 0; i < kDlcIndicatorCount; ++i) EXPECT_FALSE(DlcIndicatorLit(i, 0x70)) << i;
    // Images off, scripts off.
    std::uint32_t flags = 0x60 | 0x80;
    EXPECT_TRUE(DlcIndicatorLit(0, flags));
    EXPECT_FALSE(DlcIndicatorLit(1, flags));
    EXPECT_FALSE(DlcIndicatorLit(3, flags));
    EXPECT_TRUE(DlcIndicatorLit(4, flags));
    EXPECT_FALSE(DlcIndicatorLit(7, flags));

    CDownloadControlStrip strip;
    EXPECT_TRUE(strip.SetFlags(0x70));
    EXPECT_FALSE(strip.SetFlags(0x70));  // same value: no redraw
    EXPECT_TRUE(strip.SetFlags(0x470));
    EXPECT_TRUE(strip.Lit(6));
}

TEST(ProgressPane, RedrawsOnlyWhenTheFilledWidthOrTextChanges) {
    CProgressPane pane;
    EXPECT_EQ(pane.Text(), "0%");
    EXPECT_TRUE(pane.SetPos(0, 200));  // first width seen
    EXPECT_FALSE(pane.SetPos(0, 200));
    EXPECT_TRUE(pane.SetPos(1, 200));
    EXPECT_EQ(pane.FilledWidth(200), 2);
    EXPECT_EQ(pane.Text(), "1%");

    // A wide range: most positions move neither pixel nor percentage.
    pane.SetRange(0, 100000);
    EXPECT_TRUE(pane.SetPos(500, 200));
    EXPECT_FALSE(pane.SetPos(501, 200));
    EXPECT_FALSE(pane.SetPos(999, 200));
    EXPECT_TRUE(pane.SetPos(1000, 200));
    EXPECT_EQ(pane.Text(), "1%");

    // A narrow bar: the percentage may change within one pixel, and the
    // text must follow it.
    pane.SetRange(0, 100);
    pane.SetPos(10, 50);
    EXPECT_TRUE(pane.SetPos(11, 50));
    EXPECT_EQ(pane.FilledWidth(50), 5);
    EXPECT_TRUE(pane.Resize(100));

    // Out of range and empty ranges never overflow or divide by zero.
    EXPECT_TRUE(pane.SetPos(250, 100));
    EXPECT_EQ(pane.Text(), "100%");
    pane.SetPos(-5, 100);
    EXPECT_EQ(pane.Percent(), 0);
    pane.SetRange(5, 5);
    pane.SetPos(5, 100);
    EXPECT_EQ(pane.FilledWidth(100), 0);
    EXPECT_EQ(pane.Text(), "0%");
}

TEST(SecurityIndicators, LockAndZoneTexts) {
    for (int level : {1, 7}) EXPECT_TRUE(SecureLockShown(level)) << level;
    for (int level : {-1, 0, 8}) EXPECT_FALSE(SecureLockShown(level)) << level;
    EXPECT_EQ(ZoneIndicatorText(3), "セキュリティ ゾーン: インターネット");
    EXPECT_EQ(ZoneIndicatorText(0), "セキュリティ ゾーン: ローカル コンピュータ");
    EXPECT_EQ(ZoneIndicatorText(-1), "");
    EXPECT_EQ(ZoneIndicatorText(99), "");
}
