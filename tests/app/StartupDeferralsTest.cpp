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

TEST(StartupDeferralsTest, RunsWhenThePageIsDoneOrTheFallbackEnds) {
    struct Case {
        const char* what;
        bool pageLoading;
        bool doneBeforeArm;
        bool doneAfterArm;
        unsigned waitMs;
        bool released;
    };
    const Case cases[] = {
        {"no page to load", false, false, false, 0, true},
        {"the page still loading", true, false, false, kFallbackMs - 1, false},
        {"the page committed", true, false, true, 0, true},
        {"the page committed before the window was up", true, true, false, 0, true},
        {"the page never commits", true, false, false, kFallbackMs, true},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.AddTasks("ab");
        if (c.doneBeforeArm) f.deferrals.FirstPageDone();
        f.queue.RunAll();
        EXPECT_EQ(f.ran, "") << c.what << ": nothing before the tabs are open";
        f.deferrals.Arm(c.pageLoading, kFallbackMs);
        if (c.doneAfterArm) f.deferrals.FirstPageDone();
        f.timers.Advance(c.waitMs);
        f.queue.RunAll();
        EXPECT_EQ(f.deferrals.Released(), c.released) << c.what;
        EXPECT_EQ(f.ran, c.released ? "ab" : "") << c.what;
        if (c.released) {
            EXPECT_EQ(f.timers.Count(), 0u) << c.what << ": the fallback is stopped";
        }
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
