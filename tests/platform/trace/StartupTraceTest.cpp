#include <gtest/gtest.h>

#include "platform/trace/StartupTrace.h"

using namespace fern;

TEST(StartupTrace, TheProcessStartIsFieldTwentyTwoAfterTheCommandName) {
    // The command name may hold spaces and parentheses of its own.
    const std::string fields = " S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 12345 99 100";
    EXPECT_DOUBLE_EQ(ProcessStartMsFromStat("4242 (fern)" + fields, 100), 123450.0);
    EXPECT_DOUBLE_EQ(ProcessStartMsFromStat("4242 (a ) b (c))" + fields, 100), 123450.0);
    EXPECT_DOUBLE_EQ(ProcessStartMsFromStat("4242 (fern)" + fields, 250), 49380.0);
    for (const char* bad : {"", "4242 fern S 1", "4242 (fern) S 1 2 3",
                            "4242 (fern) S 1 2 3 4 5 6 7 8 9 10 11 12 "
                            "13 14 15 16 17 18 x12 99"})
        EXPECT_LT(ProcessStartMsFromStat(bad, 100), 0) << bad;
    EXPECT_LT(ProcessStartMsFromStat("4242 (fern)" + fields, 0), 0);
}

TEST(StartupTrace, OneLinePerPhaseAndNoTimeBeforeTheStart) {
    EXPECT_EQ(TraceLine(12.345, "first view made"), "fern-trace: 12.3 ms first view made\n");
    EXPECT_EQ(TraceLine(0, "a\nb\r"), "fern-trace: 0.0 ms a b \n");
    EXPECT_DOUBLE_EQ(MsSinceProcessStart(1000, 1250.5), 250.5);
    EXPECT_DOUBLE_EQ(MsSinceProcessStart(1000, 990), 0);  // the start is known to 10 ms only
}
