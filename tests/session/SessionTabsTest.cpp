#include <gtest/gtest.h>

#include "frame/SessionTestFrame.h"
#include "session/SessionTabs.h"

using namespace fern;

TEST(SessionTabs, TheFramesTabsAsSaved) {
    test::SessionTestFrame s;
    CFernView* a = s.frame.OpenUrl("http://a/", 3, 0x10, 0);
    s.frame.OpenUrl("fern-session:restore", 3, 0x70, 0);
    s.engines.autoLoad = false;
    CFernView* b = s.frame.OpenUrl("http://b/", 3, 0x90, 0);
    ASSERT_TRUE(a && b);
    test::EngineOf(b)->BeforeNavigate("http://b/");
    test::EngineOf(b)->busy = true;
    // Not let in by its page yet: it is open all the same.
    CFernView* c = s.frame.OpenUrl("http://c/", 3, 0x70, 0);
    ASSERT_TRUE(c && c->TabIndex() == -1);
    a->ToggleNavigateLock();
    test::EngineOf(a)->backItems = {{"http://a/0", "zero"}};
    s.frame.ActivateView(b);

    SessionState state = SessionOfFrame(s.frame, "fern-session:");
    ASSERT_EQ(state.tabs.size(), 3u);
    EXPECT_EQ(state.tabs[2].url, "http://c/");
    EXPECT_EQ(state.tabs[0].url, "http://a/");
    EXPECT_EQ(state.tabs[0].title, "Title of http://a/");
    EXPECT_EQ(state.tabs[0].dlc, 0x10u);
    EXPECT_TRUE(state.tabs[0].locked);
    EXPECT_FALSE(state.tabs[0].loading);
    EXPECT_EQ(state.tabs[0].back, (std::vector<SessionHistoryEntry>{{"http://a/0", "zero"}}));
    EXPECT_EQ(state.tabs[1].url, "http://b/");  // its pending address
    EXPECT_TRUE(state.tabs[1].loading);
    EXPECT_EQ(state.selected, 1);
}

TEST(SessionTabs, OpenedInOrderWithFlagsLocksAndSelection) {
    test::SessionTestFrame s;
    std::vector<SessionTab> all(4);
    all[0].url = "http://0/";
    all[1].url = "http://1/";
    all[1].dlc = 0x80;
    all[1].locked = true;
    all[2].url = "";  // nothing to open
    all[3].url = "http://3/";
    EXPECT_EQ(OpenSessionTabs(s.frame, all, {0, 1, 2, 3, 9}, 1), 3u);
    EXPECT_EQ(s.Urls(), "http://0/ http://1/ http://3/");
    EXPECT_EQ(s.frame.ViewAt(1)->DownloadControlFlags(), 0x80u);
    EXPECT_TRUE(s.frame.ViewAt(1)->IsNavigateLocked());
    EXPECT_FALSE(s.frame.ViewAt(0)->IsNavigateLocked());
    EXPECT_EQ(s.frame.ActiveView(), s.frame.ViewAt(1));
}
