#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "frame/ClosedTabs.h"
#include "frame/SessionTestFrame.h"
#include "frame/StateLog.h"
#include "lists/ItemListFile.h"
#include "lists/TempFolder.h"
#include "platform/engine/LazyEngine.h"
#include "platform/fs/FileIo.h"
#include "settings/AppSettings.h"

using namespace fern;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;

namespace {

struct Restore {
    test::SessionTestFrame s;
    TempFolder dir;
    std::string log = dir.File("state.fbl");
    std::string saved = dir.File("saved.fbl");
    StartupSettings startup;

    explicit Restore(int tabs, bool autoLoad = true) {
        s.engines.autoLoad = autoLoad;
        std::vector<UrlItem> items;
        for (int i = 0; i < tabs; ++i) {
            UrlItem item;
            item.url = "http://t" + std::to_string(i) + "/";
            item.style = i == 1 ? 0x10 : 0x70;
            items.push_back(item);
        }
        EXPECT_TRUE(WriteItemList(log, kStateLogListName, items).ok);
    }
    void Run() {
        CMainFrame::DeferredViews deferred(s.frame);
        RestoreStateLog(log, "", startup, true, FrameOpener(s.frame));
    }
    int Made() const { return static_cast<int>(s.engines.made.size()); }
    std::string Texts() const {
        std::string out;
        for (int i = 0; i < s.frame.TabCount(); ++i) out += (i ? "|" : "") + s.frame.Tabs().Item(i)->text;
        return out;
    }
};

}  // namespace

TEST(DeferredViews, RestoredTabsExistAtOnceAndKeepTheirAddressUntilLoaded) {
    Restore r(3);
    r.Run();
    CMainFrame& frame = r.s.frame;
    // In the bar in log order, the first selected, no page made yet.
    EXPECT_EQ(r.s.Urls(), "http://t0/ http://t1/ http://t2/");
    EXPECT_EQ(r.Texts(), "Loading..|Loading..|Loading..");
    EXPECT_EQ(frame.Tabs().Selected(), 0);
    EXPECT_EQ(r.Made(), 0);
    EXPECT_EQ(frame.ViewAt(1)->DownloadControlFlags(), 0x10u);
    // Saved now, the log comes back unchanged.
    ASSERT_TRUE(SaveState(frame, "", r.saved).ok);
    EXPECT_EQ(ReadBytes(r.saved), ReadBytes(r.log));

    // Locked before its page came, a tab still loads its own address.
    frame.ViewAt(2)->ToggleNavigateLock();

    // The selected page first, from the loop.
    r.s.timers.Advance(1);
    EXPECT_EQ(r.Made(), 1);
    EXPECT_TRUE(frame.PageMade(frame.ViewAt(0)));
    EXPECT_EQ(r.Texts(), "Title of http://t0/|Loading..|Loading..");
    // Then the others in the background, until all are loaded.
    r.s.timers.Advance(ViewScheduler::kTickMs * 10);
    EXPECT_EQ(r.Made(), 3);
    EXPECT_EQ(frame.PagesWaiting(), 0u);
    EXPECT_EQ(r.Texts(), "Title of http://t0/|Title of http://t1/|Loading..");
    EXPECT_EQ(frame.ViewAt(2)->StoredTitle(), "Title of http://t2/");  // locked: the tab text stays
    EXPECT_EQ(frame.TabCount(), 3);
    EXPECT_EQ(frame.Tabs().Selected(), 0);
    // Nothing keeps ticking but the sleeping tabs' rounds.
    EXPECT_EQ(r.s.timers.Count(), frame.Sleeper().Running() ? 1u : 0u);
}

TEST(DeferredViews, BackgroundPagesAreMadeAFewAtATimeAndSelectionGoesFirst) {
    Restore r(6, false);  // pages that never finish loading
    r.Run();
    CMainFrame& frame = r.s.frame;
    r.s.timers.Advance(ViewScheduler::kTickMs * 3);
    EXPECT_EQ(r.Made(), ViewScheduler::kAtOnce);
    // Selecting a waiting tab makes its page next, ahead of the queue.
    frame.SelectTab(4);
    r.s.timers.Advance(1);
    EXPECT_TRUE(frame.PageMade(frame.ViewAt(4)));
    EXPECT_FALSE(frame.PageMade(frame.ViewAt(3)));
    // A page that takes too long lets the next one start.
    r.s.timers.Advance(ViewScheduler::kTickMs * ViewScheduler::kGiveUpTicks * 3);
    EXPECT_EQ(frame.PagesWaiting(), 0u);
    EXPECT_EQ(r.Made(), 6);
}

// Over the memory budget restored tabs wait for room, but the selected one
// gets its page; the memory is measured again a few ticks later, not at
// every tick.
TEST(DeferredViews, BackgroundPagesWaitWhileTheMemoryIsOverTheBudget) {
    Restore r(5);
    r.s.settings.Change(SettingsSection::TabBar, [](ProgramSettings& p) { p.tabBar.sleepMemoryMB = 100; });
    std::uint64_t used = 200ull << 20;
    int asked = 0;
    r.s.frame.SetMemoryProbe([&] {
        ++asked;
        return used;
    });
    r.Run();
    CMainFrame& frame = r.s.frame;
    r.s.timers.Advance(ViewScheduler::kTickMs * 20);
    EXPECT_EQ(r.Made(), 1);
    EXPECT_TRUE(frame.PageMade(frame.ViewAt(0)));
    frame.SelectTab(3);
    r.s.timers.Advance(1);
    EXPECT_TRUE(frame.PageMade(frame.ViewAt(3)));
    EXPECT_EQ(r.Made(), 2);
    EXPECT_LE(asked, 20 / ViewScheduler::kRoomTicks + 2);

    used = 50ull << 20;
    r.s.timers.Advance(ViewScheduler::kTickMs * (ViewScheduler::kRoomTicks + 10));
    EXPECT_EQ(r.Made(), 5);
    EXPECT_EQ(frame.PagesWaiting(), 0u);

    // An unknown figure is never over.
    Restore unknown(3);
    unknown.s.settings.Change(SettingsSection::TabBar,
                              [](ProgramSettings& p) { p.tabBar.sleepMemoryMB = 100; });
    unknown.s.frame.SetMemoryProbe([] { return std::uint64_t{0}; });
    unknown.Run();
    unknown.s.timers.Advance(ViewScheduler::kTickMs * 10);
    EXPECT_EQ(unknown.Made(), 3);
}

TEST(DeferredViews, ClosingTabsWithoutPagesRecordsThemAndMakesNoPage) {
    Restore r(4);
    CClosedTabs closed;
    SignalConnection record =
        r.s.frame.viewDestroyed.Connect([&closed](const CFernView& v) { closed.Record(v); });
    r.Run();
    CCommandRouter router;
    r.s.frame.RegisterCommands(router);
    r.s.frame.SetRightClicked(2);
    router.Run(ID_TAB_COPY_URL);
    EXPECT_EQ(r.s.clipboard.text, "http://t2/");
    router.Run(ID_TAB_CLOSE_READ);  // nobody has seen them: none is read
    EXPECT_EQ(r.s.frame.TabCount(), 4);
    r.s.frame.CloseTab(2);
    ASSERT_EQ(closed.Items().size(), 1u);
    EXPECT_EQ(closed.Items()[0].url, "http://t2/");
    EXPECT_EQ(closed.Items()[0].name, "Loading..");
    // Close all walks the selection through every tab: still no page is made.
    router.Run(ID_TAB_CLOSE_ALL);
    r.s.timers.Advance(ViewScheduler::kTickMs * 20);
    EXPECT_EQ(r.Made(), 0);
    ASSERT_EQ(r.s.frame.ClosedSet().size(), 3u);
    EXPECT_EQ(r.s.frame.ClosedSet()[1].url, "http://t1/");

    // Reopening the set brings every tab back at once, its pages later.
    r.s.frame.RestoreClosed();
    EXPECT_EQ(r.s.Urls(), "http://t0/ http://t1/ http://t3/");
    EXPECT_EQ(r.Made(), 0);
    r.s.timers.Advance(ViewScheduler::kTickMs * 20);
    EXPECT_EQ(r.Made(), 3);
}

TEST(DeferredViews, TabsOpenedBeforeTheRestoreStayFirstAndSelectedAndTheLimitHolds) {
    Restore r(5);
    r.s.engines.autoLoad = false;  // the argument's page has not navigated yet
    r.s.frame.OpenUrl("http://arg/", 3, 0x70, 0);
    EXPECT_EQ(r.s.frame.TabCount(), 0);
    r.s.settings.Change(SettingsSection::TabBar, [](ProgramSettings& p) {
        p.tabBar.limitTabCount = true;
        p.tabBar.createLimit = 4;
    });
    r.Run();
    std::string saved;
    for (const UrlItem& item : StateItems(r.s.frame)) saved += item.url + " ";
    EXPECT_EQ(saved, "http://arg/ http://t0/ http://t1/ http://t2/ ");
    EXPECT_EQ(r.s.frame.Tabs().Selected(), 0);
    EXPECT_EQ(r.s.frame.ActiveView(), r.s.frame.ViewAt(0));
    // Its navigation later finds it in the bar already.
    auto* arg = static_cast<test::FakeBrowserEngine*>(RealEngine(r.s.frame.ViewAt(0)->Engine()));
    arg->Load("http://arg/", "引数");
    EXPECT_EQ(r.s.frame.TabCount(), 4);
    EXPECT_EQ(r.Texts().substr(0, 4), "引数");
}
