#include "app/StartupDeferrals.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/FakeShell.h"
#include "fakes/ManualTimers.h"

namespace fern {
namespace {

using test::ManualQueue;
using test::ManualTimers;

constexpr unsigned kFallbackMs = 2000;

struct Fixture {
    ManualTimers timers;
    ManualQueue queue;
    CStartupDeferrals deferrals{timers, queue};
    std::string ran;

    void AddTasks(const std::string& names) {
        for (char name : names) deferrals.Add(std::string(1, name), [this, name] { ran += name; });
    }
};

// When they wait for: FirstPageGateTest. Here: that they wait at all.
TEST(StartupDeferralsTest, NothingRunsUntilThePageIsDoneOrTheFallbackEnds) {
    for (bool pageDone : {true, false}) {
        Fixture f;
        f.AddTasks("ab");
        f.deferrals.Arm(true, kFallbackMs);
        f.timers.Advance(kFallbackMs - 1);
        f.queue.RunAll();
        EXPECT_EQ(f.ran, "");
        if (pageDone) f.deferrals.FirstPageDone();
        else f.timers.Advance(1);
        f.queue.RunAll();
        EXPECT_TRUE(f.deferrals.Released());
        EXPECT_EQ(f.ran, "ab");
        EXPECT_EQ(f.timers.Count(), 0u);
    }
}

TEST(StartupDeferralsTest, OneTaskPerTurnInOrderAndEachOnce) {
    Fixture f;
    f.AddTasks("abc");
    f.deferrals.Arm(true, kFallbackMs);
    f.deferrals.FirstPageDone();
    ASSERT_EQ(f.queue.Pending(), 1u);  // the others wait for the next turns
    f.queue.RunAll();
    // A second page, the fallback's time and a second arming change nothing.
    f.deferrals.FirstPageDone();
    f.timers.Advance(kFallbackMs * 2);
    f.deferrals.Arm(false, kFallbackMs);
    f.queue.RunAll();
    EXPECT_EQ(f.ran, "abc");
}

TEST(StartupDeferralsTest, TasksAddedLaterOrByATaskStillRun) {
    Fixture f;
    f.deferrals.Add("adds", [&] {
        f.ran += "a";
        f.deferrals.Add("added", [&] { f.ran += "b"; });
    });
    f.deferrals.Arm(false, kFallbackMs);
    f.queue.RunAll();
    f.AddTasks("c");
    f.queue.RunAll();
    EXPECT_EQ(f.ran, "abc");
}

TEST(StartupDeferralsTest, NothingRunsOnceItIsGone) {
    ManualTimers timers;
    ManualQueue queue;
    bool ran = false;
    {
        CStartupDeferrals deferrals(timers, queue);
        deferrals.Add("late", [&] { ran = true; });
        deferrals.Arm(false, kFallbackMs);
    }
    queue.RunAll();
    EXPECT_FALSE(ran);
    EXPECT_EQ(timers.Count(), 0u);
}

}  // namespace
}  // namespace fern
