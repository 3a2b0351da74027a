#include <gtest/gtest.h>

#include <array>

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "filters/CloseFilter.h"
#include "frame/SessionTestFrame.h"

using namespace fern;
using fern::test::EngineOf;
using fern::test::FakeBrowserEngine;

namespace {

class MainFrameTest : public ::testing::Test, protected test::FrameFakes {
protected:
    CloseUrlSettings closeUrl{.closeUrlFilter = true};
    CCloseFilter filter{closeUrl};
    std::unique_ptr<CMainFrame> frame;
    CCommandRouter router;

    CMainFrame& Frame() {
        if (!frame) {
            frame = std::make_unique<CMainFrame>(
                Services(filter, [](const std::string& t) { return t.rfind("mailto:", 0) == 0; }),
                settings.Live());
            frame->RegisterCommands(router);
        }
        return *frame;
    }
    // A change of the TabBar section, as an options page makes it.
    void TabBar(const std::function<void(TabBarSettings&)>& edit) {
        settings.Change(SettingsSection::TabBar, [&](ProgramSettings& s) { edit(s.tabBar); });
    }
    // A menu or key command, as the window runs it.
    void Command(int id) {
        Frame();
        router.Run(id);
    }

    CFernView* Open(const std::string& url, int flags = kOpenNewTab | kOpenFocus, std::uint32_t dlc = 0x70) {
        return Frame().OpenUrl(url, flags, dlc, 0);
    }
    // A pop-up window the page at `page` asks for.
    FakeBrowserEngine* PopUp(CFernView* page) {
        IBrowserEngine* window = nullptr;
        bool cancel = false;
        page->NewWindow2(window, cancel);
        EXPECT_FALSE(cancel);
        return static_cast<FakeBrowserEngine*>(window);
    }
    std::string Urls() { return test::UrlsOf(Frame()); }
    // Timers running besides the sleeping tabs' rounds.
    std::size_t OtherTimers() { return timers.Count() - (Frame().Sleeper().Running() ? 1 : 0); }
};

}  // namespace

TEST_F(MainFrameTest, NewTabsGoWhereTheInsertPositionSays) {
    TabBar([](TabBarSettings& t) { t.insertPosition = 3; });  // right of the selected tab
    Open("a");
    Open("b");
    Open("c");
    EXPECT_EQ(Urls(), "a c b");  // the first tab stays selected
    Frame().SelectTab(2);
    Open("d");
    EXPECT_EQ(Urls(), "a c b d");
    EXPECT_EQ(Frame().ViewAt(1)->TabIndex(), 1);
    EXPECT_EQ(Frame().Tabs().Item(0)->text, "Title of a");
}

TEST_F(MainFrameTest, TheLimitRefusesTabsAndPopUps) {
    TabBar([](TabBarSettings& t) {
        t.limitTabCount = true;
        t.createLimit = 1;
    });
    CFernView* first = Open("a");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Open("b"), nullptr);
    IBrowserEngine* newWindow = nullptr;
    bool cancel = false;
    first->NewWindow2(newWindow, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(Frame().TabCount(), 1);
}

TEST_F(MainFrameTest, NextActiveSettingChoosesTheTabAfterAClose) {
    TabBar([](TabBarSettings& t) { t.nextActive = 3; });  // left of the closed tab
    for (const char* u : {"a", "b", "c"}) Open(u);
    Frame().SelectTab(0);
    Frame().CloseTab(0);  // no left neighbour: the one to its right
    EXPECT_EQ(Frame().ActiveView()->Url(), "b");
    Frame().SelectTab(1);
    Frame().CloseTab(1);
    EXPECT_EQ(Frame().ActiveView()->Url(), "b");
    EXPECT_EQ(Frame().Tabs().Selected(), 0);
    Frame().CloseTab(0);
    EXPECT_EQ(Frame().TabCount(), 0);
    EXPECT_EQ(Frame().ActiveView(), nullptr);
    EXPECT_EQ(Frame().ViewCount(), 0u);
}

TEST_F(MainFrameTest, PreviouslySelectedTabFollowsByDefault) {
    for (const char* u : {"a", "b", "c"}) Open(u);
    Frame().SelectTab(2);
    Frame().SelectTab(1);
    Frame().CloseTab(1);
    EXPECT_EQ(Frame().ActiveView()->Url(), "c");
}

TEST_F(MainFrameTest, CloseAllSparesLockedTabsAndRestoreReopensTheRest) {
    Open("a", 3, 0x10);
    Open("b");
    Open("c", 3, 0xF0);
    Open("d");
    Frame().ViewAt(1)->ToggleNavigateLock();
    Frame().ViewAt(3)->ToggleNavigateLock();
    Command(ID_TAB_CLOSE_ALL);
    EXPECT_EQ(Urls(), "b d");
    ASSERT_EQ(Frame().ClosedSet().size(), 2u);
    EXPECT_EQ(Frame().ClosedSet()[0].url, "a");
    EXPECT_EQ(Frame().ClosedSet()[1].style, 0xF0u);
    Command(ID_TAB_RESTORE_CLOSED);
    EXPECT_EQ(Urls(), "b d a c");
    EXPECT_EQ(Frame().ViewAt(2)->DownloadControlFlags(), 0x10u);
    EXPECT_EQ(Frame().ViewAt(3)->DownloadControlFlags(), 0xF0u);
    // Close others replaces the set with what it closed.
    Frame().ViewAt(1)->ToggleNavigateLock();
    Frame().CloseOthers(0);
    EXPECT_EQ(Urls(), "b");
    ASSERT_EQ(Frame().ClosedSet().size(), 3u);
    EXPECT_EQ(Frame().ClosedSet()[0].url, "d");
}

TEST_F(MainFrameTest, CloseReadTabsClosesEveryTabWithoutAMark) {
    for (const char* u : {"a", "b", "c", "d"}) Open(u);
    // Background tabs that finished loading carry the unseen mark.
    EXPECT_EQ(Frame().ViewAt(1)->Icon(), kIconFinishedUnseen);
    Frame().SelectTab(1);  // seen now
    Command(ID_TAB_CLOSE_READ);
    EXPECT_EQ(Urls(), "c d");
}

TEST_F(MainFrameTest, NextAndPreviousWrapOnlyWithTheOption) {
    TabBar([](TabBarSettings& t) { t.wrapAround = false; });  // on by default
    for (const char* u : {"a", "b"}) Open(u);
    Frame().SelectTab(1);
    Command(ID_TAB_NEXT);
    EXPECT_EQ(Frame().Tabs().Selected(), 1);
    TabBar([](TabBarSettings& t) { t.wrapAround = true; });
    Command(ID_TAB_NEXT);
    EXPECT_EQ(Frame().Tabs().Selected(), 0);
    Command(ID_TAB_PREV);
    EXPECT_EQ(Frame().Tabs().Selected(), 1);
}

TEST_F(MainFrameTest, NewTabCommandsFollowTheirSettings) {
    TabBar([](TabBarSettings& t) { t.createNew = 7; });  // unknown: a blank page
    Command(ID_NEW_TAB);
    EXPECT_EQ(Urls(), "about:blank");
    clipboard.text = "  http://first/\r\nhttp://second/\n";
    Command(ID_NEW_TAB_CLIPBOARD);
    EXPECT_EQ(Frame().ViewAt(1)->Url(), "http://first/");
    clipboard.text.reset();
    Command(ID_NEW_TAB_CLIPBOARD);
    EXPECT_EQ(Frame().ViewAt(2)->Url(), "about:blank");
    Frame().SelectTab(1);
    Command(ID_NEW_TAB_COPY);
    EXPECT_EQ(Frame().ViewAt(3)->Url(), "http://first/");
}

TEST_F(MainFrameTest, TabCommandsActOnTheRightClickedTab) {
    for (const char* u : {"a", "b", "c"}) Open(u);
    Frame().SetRightClicked(2);
    Command(ID_TAB_MOVE_LEFT);
    EXPECT_EQ(Urls(), "a c b");
    EXPECT_EQ(Frame().Tabs().RightClicked(), -1);
    Frame().SetRightClicked(0);
    Command(ID_TAB_COPY_URL);
    EXPECT_EQ(clipboard.text, "a");
    EngineOf(Frame().ViewAt(0))->title.clear();
    Frame().ViewAt(0)->StoreTitle("");
    Frame().SetRightClicked(0);
    Command(ID_TAB_COPY_TITLE);
    EXPECT_EQ(messageBox.shown, std::vector<std::string>{"タイトルの取得に失敗しました。"});
    TabBar([](TabBarSettings& t) { t.wheelClick = 1; });
    Frame().OnTabWheelClick(1);
    EXPECT_EQ(Urls(), "a b");
    Frame().OnTabWheelClick(-1);  // no tab hit
    EXPECT_EQ(Frame().TabCount(), 2);
}

TEST_F(MainFrameTest, PopUpToAListedAddressNeverShowsAndIsCounted) {
    filter.Lists().urls = {"http://ads.*"};
    CFernView* page = Open("http://site/");
    FakeBrowserEngine* popup = PopUp(page);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(engines.related.back(), page->Engine());
    popup->Load("http://ads.example/pop", "Ad");
    queue.RunAll();
    EXPECT_EQ(Frame().TabCount(), 1);
    EXPECT_EQ(Frame().ViewCount(), 1u);
    EXPECT_EQ(filter.Closed(), 1);
}

TEST_F(MainFrameTest, PopUpThatStaysBlankShowsAfterTheDelayWithItsTitle) {
    FakeBrowserEngine* popup = PopUp(Open("http://site/"));
    // The page writes into its about:blank window; its load never "ends".
    ASSERT_TRUE(popup->BeforeNavigate("about:blank"));
    popup->url = "about:blank#written";
    popup->sink->DownloadBegin();
    popup->sink->TitleChange("Written by script");
    popup->sink->DownloadComplete();
    EXPECT_EQ(Frame().TabCount(), 1);
    timers.Advance(299);
    EXPECT_EQ(Frame().TabCount(), 1);
    timers.Advance(1);
    ASSERT_EQ(Frame().TabCount(), 2);
    EXPECT_EQ(Frame().Tabs().Item(1)->text, "Written by script");
    EXPECT_EQ(OtherTimers(), 0u);
}

TEST_F(MainFrameTest, BlankPopUpIsClosedWhenAboutBlankIsListed) {
    filter.Lists().urls = {"about:blank"};
    FakeBrowserEngine* popup = PopUp(Open("http://site/"));
    popup->Load("about:blank", "about:blank");
    queue.RunAll();
    EXPECT_EQ(Frame().ViewCount(), 1u);
    EXPECT_EQ(filter.Closed(), 1);
}

TEST_F(MainFrameTest, NavigateLockSendsLinksToNewTabs) {
    CFernView* locked = Open("http://a/");
    locked->ToggleNavigateLock();
    EXPECT_FALSE(EngineOf(locked)->BeforeNavigate("http://b/"));
    EXPECT_EQ(Urls(), "http://a/ http://b/");
    EXPECT_EQ(locked->Url(), "http://a/");
    EXPECT_EQ(Frame().Tabs().Item(0)->text, "Title of http://a/");
    // With the option on, a locked tab opens nothing.
    TabBar([](TabBarSettings& t) { t.noNewTabsFromLocked = true; });
    EXPECT_FALSE(EngineOf(locked)->BeforeNavigate("http://c/"));
    EXPECT_EQ(Frame().TabCount(), 2);
}

TEST_F(MainFrameTest, SpecialAddressesAreTakenOverNotNavigated) {
    CFernView* page = Open("http://a/");
    EXPECT_EQ(Frame().OpenUrl("mailto:x@example.com", 0, 0x70, 1), nullptr);
    EXPECT_FALSE(EngineOf(page)->BeforeNavigate("mailto:y@example.com"));
    EXPECT_EQ(page->Url(), "http://a/");
    // In a new tab, also while pages are made later (as at start-up): no tab
    // is left behind waiting for a page that never comes.
    EXPECT_EQ(Frame().OpenUrl("mailto:z@example.com", kOpenNewTab, 0x70, 1), nullptr);
    {
        CMainFrame::DeferredViews deferred(Frame());
        EXPECT_EQ(Frame().OpenUrl("mailto:w@example.com", kOpenNewTab, 0x70, 1), nullptr);
    }
    EXPECT_EQ(Frame().TabCount(), 1);
}

TEST_F(MainFrameTest, FocusRequestIsServedAtDocumentComplete) {
    settings.Change(SettingsSection::Browser, [](ProgramSettings& s) { s.browser.focusPage = true; });
    engines.autoLoad = false;
    CFernView* page = Open("http://a/");
    EXPECT_TRUE(page->FocusRequested());
    EngineOf(page)->Load("http://a/", "A");
    EXPECT_TRUE(EngineOf(page)->focused);
    EXPECT_FALSE(page->FocusRequested());
    EXPECT_TRUE(page->FocusDone());
}

TEST_F(MainFrameTest, ProgressPercentAndAutoRefresh) {
    CFernView* page = Open("http://a/");
    // {progress, maximum, percent}; no maximum: no share instead of a division by zero.
    for (auto [progress, max, percent] :
         {std::array{50, 200, 25}, {200, 200, 100}, {-1, 200, 0}, {0, 0, 0}, {5, 0, 0}}) {
        page->ProgressChange(progress, max);
        EXPECT_EQ(page->ProgressPercent(), percent) << progress << "/" << max;
    }

    page->StartAutoRefresh(4);
    EXPECT_EQ(page->AutoRefreshIntervalMs(), 4000);
    EXPECT_FALSE(page->AutoRefreshRunning());
    page->StartAutoRefresh(5);
    timers.Advance(10000);
    auto& calls = EngineOf(page)->calls;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Refresh2 3"), 2);
    page->StopAutoRefresh();
    EXPECT_EQ(OtherTimers(), 0u);
}

TEST_F(MainFrameTest, HandOffIsIgnoredWhileStartingThenOpensTabs) {
    Frame().SetStarting(true);
    EXPECT_FALSE(Frame().OnCopyData(0, "http://early/"));
    EXPECT_EQ(Frame().ViewCount(), 0u);
    Frame().SetStarting(false);
    EXPECT_TRUE(Frame().OnCopyData(0, ""));
    EXPECT_EQ(Frame().ViewCount(), 0u);
    EXPECT_TRUE(Frame().OnCopyData(0, "http://a/"));
    EXPECT_TRUE(Frame().OnCopyData(0, "http://b/"));
    EXPECT_EQ(Urls(), "http://a/ http://b/");
    // 777 opens like a bookmark: in the current tab by default.
    Frame().OnCopyData(777, "http://c/");
    EXPECT_EQ(Urls(), "http://c/ http://b/");
}

TEST_F(MainFrameTest, SaveOnExitRunsItsStepsInOrderOnce) {
    std::string order;
    ExitSteps& steps = Frame().Exit();
    int step = 0;
    for (Signal<>* each : {&steps.bookmarks, &steps.stateLog, &steps.typedLists, &steps.placementAndBars,
                           &steps.removeTrayIcon, &steps.closeCount, &steps.proxyAndRecent})
        each->ConnectForever([&order, letter = "BSTPICR"[step++]] { order += letter; });
    Frame().StartAutoSave(true, 1);
    timers.Advance(60000);  // the tick saves bookmarks only when their option is on
    EXPECT_EQ(order, "");
    settings.Change(SettingsSection::Bookmark, [](ProgramSettings& s) { s.bookmark.autoSave = true; });
    timers.Advance(60000);
    EXPECT_EQ(order, "B");
    settings.Change(SettingsSection::Startup, [](ProgramSettings& s) { s.startup.saveStateAtExit = true; });
    Frame().SaveOnExit(true, false);
    EXPECT_EQ(order, "BBSTPICR");
    Frame().SaveOnExit(true, false);
    EXPECT_EQ(order, "BBSTPICR");
    Frame().StartAutoSave(true, 0);
    EXPECT_EQ(OtherTimers(), 0u);
}

TEST_F(MainFrameTest, PageCommandsReachTheControl) {
    CFernView* page = Open("http://www.example.com/dir/page.html");
    auto* engine = EngineOf(page);
    EXPECT_TRUE(page->OnPageCommand(ID_TEXT_LARGEST));
    EXPECT_EQ(engine->zoom, 4);
    EXPECT_TRUE(page->IsTextSizeChecked(ID_TEXT_LARGEST));
    page->OnPageCommand(ID_TEXT_SMALLEST);
    EXPECT_EQ(engine->zoom, 0);
    page->OnPageCommand(ID_PAGE_UP);
    EXPECT_EQ(page->Url(), "http://www.example.com/dir");
    page->ToggleNavigateLock();
    engine->calls.clear();
    page->OnPageCommand(ID_PAGE_REFRESH_LATEST);  // locked: nothing
    page->OnPageCommand(ID_BACK_LIST_FIRST);      // back twice, but locked
    EXPECT_TRUE(engine->calls.empty());
    page->ToggleNavigateLock();
    page->OnPageCommand(ID_PAGE_REFRESH_LATEST);
    page->OnPageCommand(ID_BACK_LIST_FIRST);
    EXPECT_EQ(engine->calls, (std::vector<std::string>{"Refresh2 8196", "GoBack", "GoBack"}));
    EXPECT_FALSE(page->OnPageCommand(12345));
}

TEST_F(MainFrameTest, FindInPageTakesTheClipboardTextAndRemembersItsPlace) {
    CFernView* page = Open("http://a/");
    auto* engine = EngineOf(page);
    clipboard.text.reset();
    Command(ID_PAGE_FIND_CLIPBOARD);  // no text: nothing
    clipboard.text = "  word \r\n";
    Command(ID_PAGE_FIND_CLIPBOARD);
    Command(ID_PAGE_FIND_CLIPBOARD);  // still running: nothing
    engine->AnswerFind(true);
    Command(ID_PAGE_FIND_CLIPBOARD);
    engine->AnswerFind(false);
    EXPECT_EQ(engine->finds, (std::vector<std::string>{"word top", "word next"}));
    // No match: the next search starts at the top again.
    Command(ID_PAGE_FIND_CLIPBOARD);
    engine->AnswerFind(true);
    clipboard.text = "other";
    Command(ID_PAGE_FIND_CLIPBOARD);
    EXPECT_EQ(engine->finds.back(), "other top");
    EXPECT_EQ(engine->finds[2], "word top");
}

namespace {

// What the status bar's zone and lock indicators are told.
struct IndicatorUi : IFrameUi {
    std::vector<std::string> log;
    std::vector<std::string> addresses;
    void ViewCreated(CFernView*) override {}
    void ViewDestroyed(CFernView*) override {}
    void ActiveViewChanged(CFernView*) override {}
    void TabsChanged() override {}
    void SetCaption(const std::string&) override {}
    void SetStatusText(const std::string&) override {}
    void SetProgress(int) override {}
    void SetAddress(const std::string& url) override { addresses.push_back(url); }
    void SetSecureLock(int level) override { log.push_back("lock " + std::to_string(level)); }
    void SetZone(int zone) override { log.push_back("zone " + std::to_string(zone)); }
    void SetOffline(bool) override {}
    void ShowTabMenu(int) override {}
    void PageMade(CFernView*) override {}
};

}  // namespace

TEST_F(MainFrameTest, StatusIndicatorsFollowTheSelectedTab) {
    IndicatorUi ui;
    Frame().SetUi(&ui);
    Frame().SetZoneRule([](const std::string& url) { return url.rfind("file:", 0) == 0 ? 0 : 3; });
    CFernView* web = Open("https://example.com/");
    CFernView* local = Open("file:///tmp/a.html", kOpenNewTab);  // opened behind
    ASSERT_TRUE(web && local);
    ui.log.clear();

    // Only the selected tab's navigation and lock reach the status bar.
    EngineOf(local)->sink->SetSecureLockIcon(0);
    EngineOf(local)->Load("file:///tmp/b.html", "b");
    EngineOf(web)->sink->SetSecureLockIcon(6);
    EngineOf(web)->Load("https://example.com/next", "next");
    EXPECT_EQ(ui.log, (std::vector<std::string>{"lock 6", "zone 3"}));

    // A tab switch shows the new page's state.
    ui.log.clear();
    Frame().SelectTab(local->TabIndex());
    EXPECT_EQ(ui.log, (std::vector<std::string>{"lock 0", "zone 0"}));

    // Without a zone rule no zone is known.
    ui.log.clear();
    Frame().SetZoneRule(nullptr);
    Frame().SelectTab(web->TabIndex());
    EXPECT_EQ(ui.log, (std::vector<std::string>{"lock 6", "zone -1"}));
    Frame().SetUi(nullptr);
}

TEST_F(MainFrameTest, TheAddressBarShowsAPageOnItsWayBeforeItCommits) {
    IndicatorUi ui;
    Frame().SetUi(&ui);
    engines.autoLoad = false;
    CFernView* slow = Open("http://slow/");
    ASSERT_TRUE(slow);
    EngineOf(slow)->BeforeNavigate("http://slow/");  // let in, not committed
    ASSERT_EQ(Frame().ActiveView(), slow);
    EXPECT_EQ(ui.addresses.back(), "http://slow/");
    // Committed, the page's own address; back on a tab still on its way, its address.
    EngineOf(slow)->Load("http://slow/moved", "moved");
    EXPECT_EQ(ui.addresses.back(), "http://slow/moved");
    CFernView* other = Open("http://other/");
    ASSERT_TRUE(other);
    EngineOf(other)->BeforeNavigate("http://other/");
    Frame().SelectTab(slow->TabIndex());
    Frame().SelectTab(other->TabIndex());
    EXPECT_EQ(ui.addresses.back(), "http://other/");
    // A pop-up's tab, selected as it enters the bar with its first page.
    TabBar([](TabBarSettings& t) { t.selectNewTab = true; });
    FakeBrowserEngine* popUp = PopUp(other);
    ASSERT_TRUE(popUp);
    popUp->BeforeNavigate("http://popup/");
    ASSERT_NE(Frame().ActiveView(), other);
    EXPECT_EQ(ui.addresses.back(), "http://popup/");
    Frame().SetUi(nullptr);
}

TEST_F(MainFrameTest, ARestoredTabMeetsTheCloseUrlFilterWhenItsPageNavigates) {
    {
        CMainFrame::DeferredViews deferred(Frame());
        Open("http://a/");
        Open("http://later-bad/");
    }
    EXPECT_TRUE(engines.made.empty());
    filter.Lists().urls = {"http://later-bad/*"};
    timers.Advance(ViewScheduler::kTickMs * 4);
    ASSERT_EQ(engines.made.size(), 2u);
    // Refused by the filter: nothing loads, the tab keeps the address it was opened with.
    EXPECT_EQ(engines.made[1]->url, "");
    EXPECT_EQ(Frame().ViewAt(1)->Url(), "http://later-bad/");
    EXPECT_EQ(Frame().ViewAt(0)->Url(), "http://a/");
}

TEST_F(MainFrameTest, BackAndForwardAreAvailableOnlyWhereThePageCanGo) {
    Frame();
    EXPECT_FALSE(router.IsEnabled(ID_TAB_BACK));  // no tab
    CFernView* page = Open("http://a/");
    EXPECT_FALSE(router.IsEnabled(ID_TAB_BACK) || router.IsEnabled(ID_TAB_FORWARD));
    page->CommandStateChange(2, true);
    EXPECT_TRUE(router.IsEnabled(ID_TAB_BACK));
    EXPECT_FALSE(router.IsEnabled(ID_TAB_FORWARD));
    page->CommandStateChange(1, true);
    EXPECT_TRUE(router.IsEnabled(ID_TAB_FORWARD));
    EngineOf(page)->calls.clear();
    Command(ID_TAB_BACK);
    EXPECT_EQ(EngineOf(page)->calls, std::vector<std::string>{"GoBack"});
}
