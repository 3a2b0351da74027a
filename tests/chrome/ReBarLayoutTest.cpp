#include "chrome/ReBarLayout.h"

#include <gtest/gtest.h>

#include "fakes/FakeProfile.h"
#include "settings/ProgramSettings.h"

namespace fern {
namespace {

BandList Bands(std::initializer_list<BandState> bands) { return BandList(bands); }

TEST(ReBarRecord, ReadsEachWholeKnownTripleAndAppendsTheMissingBands) {
    BandList defaults = DefaultBands();
    struct Case {
        const char* what;
        int count;
        const char* text;
        BandList bands;
    } cases[] = {
        {"no record", 0, "", defaults},
        {"negative count", -3, "5,0,1", defaults},
        {"saved order, widths and styles", 5, "5,0,1,3,400,1,2,300,0,1,0,1,4,0,9",
         Bands({{5, 0, 1}, {3, 400, 1}, {2, 300, 0}, {1, 0, 1}, {4, 0, 9}})},
        {"missing bands follow in default order", 2, "3,0,1,1,0,1",
         Bands({{3, 0, 1}, {1, 0, 1}, {2, 0, 1}, {4, 0, 1}, {5, 0, 1}})},
        {"an unknown id is skipped, the others keep their places", 3, "5,0,1,77,10,1,2,0,1",
         Bands({{5, 0, 1}, {2, 0, 1}, {1, 0, 1}, {3, 0, 1}, {4, 0, 1}})},
        {"a triple with garbage is skipped", 2, "5,x,1,2,0,1",
         Bands({{2, 0, 1}, {1, 0, 1}, {3, 0, 1}, {4, 0, 1}, {5, 0, 1}})},
        {"a band twice keeps its first place", 2, "2,0,1,2,50,0",
         Bands({{2, 0, 1}, {1, 0, 1}, {3, 0, 1}, {4, 0, 1}, {5, 0, 1}})},
        {"widths held, styles cut to 16 bits, the first band starts a row", 2, "2,-40,0,5,99999999,196873",
         Bands({{2, 0, 1}, {5, kBandMaxWidth, 0x109}, {1, 0, 1}, {3, 0, 1}, {4, 0, 1}})},
        {"a huge count reads what is there", 2147483647, "4,0,1",
         Bands({{4, 0, 1}, {1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {5, 0, 1}})},
        {"fewer triples than the count", 5, "4,0,1,3",
         Bands({{4, 0, 1}, {1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {5, 0, 1}})},
        {"a count below the triples reads only that many", 1, "4,0,1,3,0,1",
         Bands({{4, 0, 1}, {1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {5, 0, 1}})},
        {"nothing usable", 5, "garbage", defaults},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseBands(c.count, c.text), c.bands) << c.what;
}

TEST(ReBarRecord, FiveBandsRoundTripThroughWndsIniWhole) {
    BandList bands = Bands({{kTabBand, 1234, kBandBreak | kBandNoGripper},
                            {kAddressBand, 5678, kBandNoGripper},
                            {kToolBand, 9999, kBandBreak | kBandHidden | kBandNoGripper},
                            {kMenuBand, 4321, kBandBreak | kBandNoGripper},
                            {kLinkBand, 8765, kBandNoGripper}});
    BandRecord record = FormatBands(bands);
    // Longer than 70 bytes: read whole, not cut.
    record.text += std::string(200 - record.text.size(), ' ');
    ASSERT_EQ(record.text.size(), 200u);
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    ProgramSettings written;
    written.reBar.bandCount = record.count;
    written.reBar.bandStyle = record.text;
    ASSERT_TRUE(written.reBar.Save(store));
    ProgramSettings read;
    read.LoadAll(store);
    EXPECT_EQ(read.reBar.bandStyle, record.text);
    BandList back = ParseBands(read.reBar.bandCount, read.reBar.bandStyle);
    EXPECT_EQ(back, bands);
    EXPECT_TRUE(BandsFixed(back));
}

TEST(ReBarBands, FixedIsTheLastBandsNoGripperBitAndHiddenBandsAreKept) {
    BandList bands = DefaultBands();
    EXPECT_FALSE(BandsFixed(bands));
    SetBandsFixed(bands, true);
    EXPECT_TRUE(BandsFixed(bands));
    bands.back().style &= ~kBandNoGripper;
    EXPECT_FALSE(BandsFixed(bands));  // only the last band says it
    SetBandsFixed(bands, false);
    for (const BandState& band : bands) EXPECT_EQ(band.style & kBandNoGripper, 0);
    SetBandHidden(bands, kToolBand, true);
    EXPECT_TRUE(BandHidden(bands, kToolBand));
    EXPECT_FALSE(BandHidden(bands, kMenuBand));
    SetBandHidden(bands, 77, true);  // no such band: nothing happens
    EXPECT_EQ(ParseBands(FormatBands(bands).count, FormatBands(bands).text), bands);
}

TEST(ReBarBands, MovingKeepsRowsWhole) {
    auto ids = [](const BandList& bands) {
        std::string s;
        for (const BandState& b : bands) s += (b.style & kBandBreak ? "|" : " ") + std::to_string(b.id);
        return s;
    };
    struct Case {
        const char* what;
        int from, before;
        BandDrop drop;
        const char* result;
    } cases[] = {
        {"tab bar to the top on a row of its own", 4, 0, BandDrop::NewRow, "|5|1|2|3|4"},
        {"address bar onto the tool bar's row, after it", 2, 3, BandDrop::AfterPrevious, "|1|2 3|4|5"},
        {"address bar in front of the tool bar leads that row", 2, 1, BandDrop::OnItsRow, "|1|3 2|4|5"},
        {"menu bar to the end", 0, 5, BandDrop::NewRow, "|2|3|4|5|1"},
        {"out of range does nothing", 7, 0, BandDrop::NewRow, "|1|2|3|4|5"},
    };
    for (const Case& c : cases) {
        BandList bands = DefaultBands();
        MoveBand(bands, c.from, c.before, c.drop);
        EXPECT_EQ(ids(bands), c.result) << c.what;
    }
    // The band left behind on a shared row takes over the row's break.
    BandList bands = Bands({{1, 0, 1}, {2, 0, 1}, {3, 0, 0}, {4, 0, 1}, {5, 0, 1}});
    MoveBand(bands, 1, 5, BandDrop::NewRow);
    EXPECT_EQ(ids(bands), "|1|3|4|5|2");
    // The first band always starts a row.
    bands = Bands({{1, 0, 1}, {2, 0, 0}, {3, 0, 1}, {4, 0, 1}, {5, 0, 1}});
    MoveBand(bands, 0, 3, BandDrop::AfterPrevious);
    EXPECT_EQ(ids(bands), "|2|3 1|4|5");
}

}  // namespace
}  // namespace fern
