#include "app/FirstPageGate.h"

#include <gtest/gtest.h>

#include "fakes/ManualTimers.h"

namespace fern {
namespace {

using test::ManualTimers;

constexpr unsigned kFallbackMs = 400;

TEST(FirstPageGateTest, OpensOnceWhenThePageIsDoneOrTheFallbackEnds) {
    struct Case {
        const char* what;
        bool pageLoading;
        bool doneBeforeArm;
        bool doneAfterArm;
        unsigned waitMs;
        bool open;
    };
    const Case cases[] = {
        {"no page to load", false, false, false, 0, true},
        {"the page still loading", true, false, false, kFallbackMs - 1, false},
        {"the page committed", true, false, true, 0, true},
        {"the page committed before the window was up", true, true, false, 0, true},
        {"the page never commits", true, false, false, kFallbackMs, true},
    };
    for (const Case& c : cases) {
        ManualTimers timers;
        int opened = 0;
        CFirstPageGate gate(timers, [&] { ++opened; });
        if (c.doneBeforeArm) gate.FirstPageDone();
        EXPECT_EQ(opened, 0) << c.what << ": nothing before the tabs are open";
        gate.Arm(c.pageLoading, kFallbackMs);
        if (c.doneAfterArm) gate.FirstPageDone();
        timers.Advance(c.waitMs);
        EXPECT_EQ(gate.IsOpen(), c.open) << c.what;
        EXPECT_EQ(opened, c.open ? 1 : 0) << c.what;
        // A later page, the fallback's time again and a second arming change nothing.
        gate.FirstPageDone();
        timers.Advance(kFallbackMs * 2);
        gate.Arm(false, kFallbackMs);
        EXPECT_EQ(opened, 1) << c.what;
        EXPECT_EQ(timers.Count(), 0u) << c.what << ": the fallback is stopped";
    }
}

TEST(FirstPageGateTest, OpenedEarlyItStaysOpenAndWhatItOpensMayAskAgain) {
    ManualTimers timers;
    int opened = 0;
    CFirstPageGate* self = nullptr;
    CFirstPageGate gate(timers, [&] {
        ++opened;
        self->Open();  // a window shown by the opening asks again
    });
    self = &gate;
    gate.Arm(true, kFallbackMs);
    gate.Open();
    gate.FirstPageDone();
    timers.Advance(kFallbackMs);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(timers.Count(), 0u);
}

TEST(FirstPageGateTest, NothingOpensOnceItIsGone) {
    ManualTimers timers;
    bool opened = false;
    {
        CFirstPageGate gate(timers, [&] { opened = true; });
        gate.Arm(true, kFallbackMs);
    }
    timers.Advance(kFallbackMs);
    EXPECT_FALSE(opened);
    EXPECT_EQ(timers.Count(), 0u);
}

}  // namespace
}  // namespace fern
