// The opener hears of every new window refused to it (the pop-up bar counts
// them), and an address the user opens from that bar passes the filter once.
#include <gtest/gtest.h>

#include "filters/CloseFilter.h"
#include "frame/SessionTestFrame.h"

using namespace fern;
using fern::test::FakeBrowserEngine;

namespace {

struct Refusal {
    CFernView* opener;
    std::string url;
    bool operator==(const Refusal&) const = default;
};

class PopupRefusedTest : public ::testing::Test, protected test::FrameFakes {
protected:
    CloseUrlSettings closeUrl{.closeUrlFilter = true};
    CCloseFilter filter{closeUrl};
    std::unique_ptr<CMainFrame> frame;
    std::vector<Refusal> refused;

    CMainFrame& Frame() {
        if (!frame) {
            frame = std::make_unique<CMainFrame>(Services(filter), settings.Live());
            frame->newWindowRefused.ConnectForever([this](CFernView* opener, const std::string& url) {
                refused.push_back({opener, url});
            });
        }
        return *frame;
    }
    CFernView* Open(const std::string& url) { return Frame().OpenUrl(url, kOpenNewTab, 0x70, 0); }
    FakeBrowserEngine* PopUp(CFernView* page, const std::string& url, bool* cancelled = nullptr) {
        IBrowserEngine* window = nullptr;
        bool cancel = false;
        page->NewWindow3(window, cancel, url);
        if (cancelled) *cancelled = cancel;
        return static_cast<FakeBrowserEngine*>(window);
    }
};

}  // namespace

TEST_F(PopupRefusedTest, AListedPopUpIsToldToItsOpenerWithItsAddress) {
    filter.Lists().urls = {"http://ads.*"};
    CFernView* page = Open("http://site/");
    PopUp(page, "http://ads.example/pop")->Load("http://ads.example/pop", "Ad");
    queue.RunAll();
    EXPECT_EQ(refused, (std::vector<Refusal>{{page, "http://ads.example/pop"}}));
    EXPECT_EQ(Frame().ViewCount(), 1u);
}

TEST_F(PopupRefusedTest, BlankPopUpsClosedByTheListAreToldToo) {
    filter.Lists().urls = {"about:blank", "http://later.*"};
    CFernView* page = Open("http://site/");
    PopUp(page, "")->Load("about:blank", "about:blank");
    // window.open() and then a listed address: with "new tabs only" the
    // first real navigation is checked.
    closeUrl.newTabsOnly = true;
    filter.Lists().urls = {"http://later.*"};
    FakeBrowserEngine* second = PopUp(page, "");
    ASSERT_TRUE(second->BeforeNavigate("about:blank"));
    EXPECT_FALSE(second->BeforeNavigate("http://later.example/"));
    queue.RunAll();
    EXPECT_EQ(refused, (std::vector<Refusal>{{page, "about:blank"}, {page, "http://later.example/"}}));
}

TEST_F(PopupRefusedTest, TheTabLimitRefusesAndTellsButALockedTabDoesNot) {
    settings.Change(SettingsSection::TabBar, [](ProgramSettings& s) {
        s.tabBar.limitTabCount = s.tabBar.noNewTabsFromLocked = true;
        s.tabBar.createLimit = 1;
    });
    CFernView* page = Open("http://site/");
    bool cancelled = false;
    PopUp(page, "http://site/more", &cancelled);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(refused, (std::vector<Refusal>{{page, "http://site/more"}}));
    // The user's own lock is no refusal of the page's window.
    page->ToggleNavigateLock();
    PopUp(page, "http://site/again", &cancelled);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(refused.size(), 1u);
}

TEST_F(PopupRefusedTest, AnOpenerThatIsGoneHearsNothing) {
    filter.Lists().urls = {"http://ads.*"};
    CFernView* page = Open("http://site/");
    Open("http://other/");
    FakeBrowserEngine* popup = PopUp(page, "http://ads.example/");
    Frame().CloseTab(page->TabIndex());
    popup->Load("http://ads.example/", "Ad");
    queue.RunAll();
    EXPECT_TRUE(refused.empty());
}

TEST_F(PopupRefusedTest, AnExemptAddressPassesTheFilterOnceAndOnlyItself) {
    filter.Lists().urls = {"http://ads.*"};
    CFernView* view = Frame().OpenUrl("", kOpenNewTab | kOpenNoNavigate, 0x70, 1);
    ASSERT_NE(view, nullptr);
    view->SetFilterExemptUrl("http://ads.example/pop");
    view->Navigate("http://ads.example/pop");
    EXPECT_EQ(view->Url(), "http://ads.example/pop");
    EXPECT_NE(view->TabIndex(), -1);
    // Once: the next listed address is refused again.
    view->Navigate("http://ads.example/pop");
    EXPECT_EQ(test::EngineOf(view)->calls.back(), "Navigate2 http://ads.example/pop");
    bool cancel = false;
    view->BeforeNavigate2("http://ads.example/pop", 0, "", "", "", cancel);
    EXPECT_TRUE(cancel);
    // An exemption names one address: another listed one is refused.
    view->SetFilterExemptUrl("http://ads.example/a");
    cancel = false;
    view->BeforeNavigate2("http://ads.example/b", 0, "", "", "", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(refused.empty());
}
