#include <gtest/gtest.h>

#include "frame/SessionTestFrame.h"
#include "frame/TabSleep.h"
#include "platform/engine/LazyEngine.h"
#include "platform/shell/ProcessMemory.h"

using namespace fern;
using fern::test::FakeBrowserEngine;

namespace {

constexpr std::uint64_t kMinute = 60'000;
constexpr std::uint64_t kMiB = 1024 * 1024;

SleepCandidate Tab(std::uint64_t idleMs, bool awake = true, bool selected = false, bool keep = false) {
    SleepCandidate tab;
    tab.awake = awake;
    tab.selected = selected;
    tab.keep = keep;
    tab.idleMs = idleMs;
    return tab;
}

}  // namespace

TEST(TabSleepRules, ChoosesIdleTabsAndTheLeastRecentlyUsedOverTheBudget) {
    TabSleepRules rules;  // 30 minutes, no budget
    struct Case {
        const char* what;
        std::vector<SleepCandidate> tabs;
        TabSleepRules rules;
        std::uint64_t memory;
        std::vector<std::size_t> chosen;
    };
    TabSleepRules budget{30, 100 * kMiB};
    TabSleepRules budgetOnly{0, 100 * kMiB};
    const Case cases[] = {
        {"idle past the time", {Tab(31 * kMinute), Tab(29 * kMinute)}, rules, 0, {0}},
        {"exactly the time", {Tab(30 * kMinute)}, rules, 0, {0}},
        {"selected never", {Tab(90 * kMinute, true, true)}, rules, 0, {}},
        {"kept (locked, loading, refreshing)", {Tab(90 * kMinute, true, false, true)}, rules, 0, {}},
        {"already asleep", {Tab(90 * kMinute, false)}, rules, 0, {}},
        {"time off", {Tab(900 * kMinute)}, TabSleepRules{0, 0}, 0, {}},
        {"under the budget", {Tab(5 * kMinute), Tab(9 * kMinute)}, budget, 50 * kMiB, {}},
        {"just over: the longest idle",
         {Tab(5 * kMinute), Tab(9 * kMinute), Tab(2 * kMinute)},
         budget,
         110 * kMiB,
         {1}},
        {"over by two tabs' share: the two longest idle",
         {Tab(5 * kMinute), Tab(9 * kMinute), Tab(2 * kMinute), Tab(0, true, true)},
         budget,
         200 * kMiB,
         {1, 0}},
        {"far over: every one that may",
         {Tab(5 * kMinute), Tab(9 * kMinute), Tab(2 * kMinute, true, false, true), Tab(0, true, true)},
         budget,
         4000 * kMiB,
         {1, 0}},
        {"asleep tabs take no share",
         {Tab(5 * kMinute), Tab(9 * kMinute, false), Tab(7 * kMinute), Tab(0, false), Tab(0, true, true)},
         budgetOnly,
         250 * kMiB,
         {2, 0}},
        {"over: idle past the time, then one more",
         {Tab(40 * kMinute), Tab(9 * kMinute)},
         budget,
         200 * kMiB,
         {0, 1}},
        {"over: the grace minute holds", {Tab(kMinute - 1), Tab(30'000)}, budgetOnly, 200 * kMiB, {}},
        {"over with time off", {Tab(2 * kMinute), Tab(3 * kMinute, true, true)}, budgetOnly, 200 * kMiB, {0}},
    };
    for (const Case& c : cases) EXPECT_EQ(ChooseTabsToSleep(c.tabs, c.rules, c.memory), c.chosen) << c.what;

    EXPECT_EQ(TabSleepBudgetBytes(300, 8ull << 30), 300 * kMiB);
    EXPECT_EQ(TabSleepBudgetBytes(0, 8ull << 30), 2ull << 30);  // a quarter of the machine
    EXPECT_EQ(TabSleepBudgetBytes(-5, 0), 512 * kMiB);          // unknown machine: a floor
}

TEST(ProcessMemory, ReadsProcTexts) {
    EXPECT_EQ(PssBytesOf("Rss:     2048 kB\nPss:      1536 kB\nPss_Anon:  10 kB\n"), 1536u * 1024);
    EXPECT_EQ(PssBytesOf("Rss: 5 kB\n"), 0u);
    EXPECT_EQ(PssBytesOf("Pss: garbage kB\n"), 0u);
    EXPECT_EQ(ParentPidOf("1234 (a) b) c) S 77 1234 1234 0"), 77);
    EXPECT_EQ(ParentPidOf("1234 (WebKitWebProcess) S 900 1 1"), 900);
    EXPECT_EQ(ParentPidOf("garbage"), -1);
    EXPECT_EQ(ParentPidOf("1 (x)"), -1);
    // This very process is measured.
    EXPECT_GT(ProcessTreeMemoryBytes(), 0u);
    EXPECT_GT(PhysicalMemoryBytes(), 0u);
}

TEST(LazyEngine, RestKeepsThePageAndTheNextControlTakesItUp) {
    std::vector<FakeBrowserEngine*> made;
    std::vector<std::string> madeFor;
    auto make = [&](const std::string& url) {
        auto engine = std::make_unique<FakeBrowserEngine>();
        made.push_back(engine.get());
        madeFor.push_back(url);
        return engine;
    };
    auto first = std::make_unique<FakeBrowserEngine>();
    FakeBrowserEngine* page = first.get();
    LazyEngine lazy(make, std::move(first));
    lazy.PutSilent(true);
    lazy.OnDownloadControlChanged(0x10);
    lazy.SetZoom(4);
    page->Load("http://a/2", "Two");
    page->backItems = {{"http://a/1", "One"}};
    page->forwardItems = {{"http://a/3", ""}};

    ASSERT_TRUE(lazy.Rest());
    EXPECT_TRUE(lazy.Resting());
    EXPECT_EQ(lazy.Inner(), nullptr);
    // Asleep it answers as it did awake.
    EXPECT_EQ(lazy.LocationURL(), "http://a/2");
    EXPECT_EQ(lazy.LocationName(), "Two");
    EXPECT_EQ(lazy.Zoom(), 4);
    EXPECT_EQ(lazy.BackList(5), std::vector<std::string>{"One"});
    EXPECT_EQ(lazy.ForwardList(5), std::vector<std::string>{"http://a/3"});
    EXPECT_EQ(lazy.HistoryItems(true, 5).size(), 1u);
    bool may = true;
    lazy.MayRest([&may](bool m) { may = m; });
    EXPECT_FALSE(may);  // nothing left to give up
    EXPECT_FALSE(lazy.Rest());

    ASSERT_TRUE(lazy.Materialise());
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(madeFor[0], "http://a/2");  // made for the page's site
    EXPECT_EQ(made[0]->calls,
              (std::vector<std::string>{"Silent 1", "DownloadControl 16", "Restore state http://a/2"}));
    EXPECT_EQ(made[0]->zoom, 4);

    // A control that cannot take the state up loads the address instead.
    made[0]->url.clear();
    made[0]->url = "http://b/";
    ASSERT_TRUE(lazy.Rest());
    lazy.Navigate2("http://c/", 0, "", "", "");  // asked while asleep: after the page comes back
    EXPECT_EQ(lazy.LocationName(), "");
    ASSERT_TRUE(lazy.Materialise());
    EXPECT_EQ(made[1]->calls.back(), "Navigate2 http://c/");
}

namespace {

struct Sleepy : test::SessionTestFrame {
    CMainFrame& f = frame;
    CFernView* Open(const std::string& url) { return frame.OpenUrl(url, kOpenNewTab, 0x70, 0); }
    void Minutes(int m) { timers.Advance(static_cast<unsigned>(m) * 60'000); }
    bool AsleepAt(int i) {
        bool asleep = frame.Asleep(frame.ViewAt(i));
        EXPECT_EQ(frame.Tabs().Item(i)->asleep, asleep) << "the tab bar shows tab " << i << " as it is";
        return asleep;
    }
};

}  // namespace

TEST(TabSleep, BackgroundTabsSleepAfterTheirTimeAndWakeWhenSelected) {
    Sleepy s;
    for (const char* url : {"http://a/", "http://b/", "http://c/", "http://d/"}) s.Open(url);
    CMainFrame& f = s.f;
    ASSERT_EQ(f.TabCount(), 4);
    ASSERT_EQ(f.ActiveView(), f.ViewAt(0));
    f.ViewAt(2)->ToggleNavigateLock();
    test::EngineOf(f.ViewAt(3))->mayRest = false;  // plays something, or has typed text
    f.ViewAt(1)->Engine()->SetZoom(0);

    s.Minutes(29);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(s.AsleepAt(i)) << i;
    s.Minutes(2);
    EXPECT_FALSE(s.AsleepAt(0));  // selected
    EXPECT_TRUE(s.AsleepAt(1));
    EXPECT_FALSE(s.AsleepAt(2));  // locked
    EXPECT_FALSE(s.AsleepAt(3));  // said no
    CFernView* b = f.ViewAt(1);
    EXPECT_EQ(RealEngine(b->Engine()), nullptr);
    // Asleep, the tab reads as before: by the tab bar, the saved lists, the request channel.
    EXPECT_EQ(b->Url(), "http://b/");
    EXPECT_EQ(b->Title(), "Title of http://b/");
    EXPECT_EQ(f.Tabs().Item(1)->text, "Title of http://b/");

    const std::size_t made = s.engines.made.size();
    f.SelectTab(1);
    s.timers.Advance(1);
    EXPECT_FALSE(s.AsleepAt(1));
    ASSERT_EQ(s.engines.made.size(), made + 1);
    EXPECT_EQ(test::EngineOf(b)->calls.back(), "Restore state http://b/");
    EXPECT_EQ(test::EngineOf(b)->zoom, 0);

    // Over the memory budget the least recently used go first, one a round,
    // but not a tab left less than a minute ago.
    f.SetMemoryProbe([] { return std::uint64_t(1) << 50; });
    f.SelectTab(0);
    s.timers.Advance(45'000);
    EXPECT_FALSE(s.AsleepAt(1));
    s.Minutes(1);
    EXPECT_TRUE(s.AsleepAt(1));
    EXPECT_FALSE(s.AsleepAt(2));
    EXPECT_FALSE(s.AsleepAt(3));

    // A sleeping tab closes like any other.
    f.CloseTab(1);
    EXPECT_EQ(f.TabCount(), 3);
    s.Minutes(40);
}

TEST(TabSleep, ATabSelectedWhileItsPageIsAskedKeepsItAndOneTabNeedsNoRounds) {
    Sleepy s;
    s.Open("http://a/");
    CMainFrame& f = s.f;
    s.Minutes(1);
    EXPECT_EQ(s.timers.Count(), 0u);  // a lone tab: nothing ticks

    CFernView* b = s.Open("http://b/");
    test::EngineOf(b)->restLater = true;
    s.Minutes(31);
    EXPECT_FALSE(s.AsleepAt(1));
    f.SelectTab(1);
    test::EngineOf(b)->AnswerRest();
    EXPECT_FALSE(s.AsleepAt(1));
    EXPECT_NE(RealEngine(b->Engine()), nullptr);

    // Time off and a budget never reached: nothing sleeps.
    s.settings.Change(SettingsSection::TabBar, [](ProgramSettings& p) {
        p.tabBar.sleepMinutes = 0;
        p.tabBar.sleepMemoryMB = 1 << 30;
    });
    f.SelectTab(0);
    s.Minutes(90);
    EXPECT_FALSE(s.AsleepAt(1));
}
