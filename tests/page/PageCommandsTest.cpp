// The page commands that ask the page for something first: opening the
// selected text and showing the comments, on the scripted control.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeBrowserEngine.h"
#include "fakes/ManualTimers.h"
#include "page/FernView.h"
#include "page/PageCommandIds.h"

using namespace fern;
using fern::test::FakeBrowserEngine;
using fern::test::ManualTimers;

namespace {

// Records what the page opens; everything else is accepted quietly.
class OpeningHost : public IPageHost {
public:
    PageOptions options;
    std::vector<std::string> opened;

    const PageOptions& Options() const override { return options; }
    int InsertTab(const std::string&, CFernView*) override { return 0; }
    void ActivateTab(CFernView*) override {}
    bool IsSelected(const CFernView*) const override { return true; }
    int TabCount() const override { return 1; }
    void SetTabText(CFernView*, const std::string&) override {}
    void SetTabImage(CFernView*, int) override {}
    void SetCaption(CFernView*, const std::string&) override {}
    void SetStatusText(const std::string&) override {}
    void SetProgress(int) override {}
    void SetAddress(const std::string&) override {}
    void ShowZoneOf(const std::string&) override {}
    void SetSecureLock(int) override {}
    void UpdateOfflineIndicator() override {}
    void PostClose(CFernView*) override {}
    CFernView* OpenUrl(const std::string& text, int openFlags, std::uint32_t dlc, int securityMode) override {
        opened.push_back(text + " " + std::to_string(openFlags) + " " + std::to_string(dlc) + " " +
                         std::to_string(securityMode));
        return nullptr;
    }
    CFernView* CreateTabForNewWindow(CFernView*) override { return nullptr; }
    bool MatchesCloseUrl(const std::string&) override { return false; }
    bool MatchesCloseTitle(const std::string&) override { return false; }
    bool CloseUrlNewTabsOnly() const override { return true; }
    void CountClosedWindow() override {}
    bool OpenSpecialUrl(const std::string&) override { return false; }
    bool IsOffline() const override { return false; }
};

class PageCommandsTest : public ::testing::Test {
protected:
    OpeningHost host;
    ManualTimers timers;
    FakeBrowserEngine* engine = nullptr;
    std::unique_ptr<CFernView> view;

    void SetUp() override {
        host.options.dlcDefault = 0xF0;
        auto e = std::make_unique<FakeBrowserEngine>();
        engine = e.get();
        view = std::make_unique<CFernView>(host, timers, std::move(e));
        engine->Load("http://a.example/", "A");
        // The tab's own flags differ from the default, which the new tab gets.
        view->SetDownloadControlFlags(0x10);
        engine->calls.clear();
    }
};

TEST_F(PageCommandsTest, SelectedTextOpensInANewTabWithTheDefaultFlags) {
    engine->selectedText = "http://b.example/ページ";
    EXPECT_TRUE(view->OnPageCommand(ID_PAGE_OPEN_SELECTION));
    EXPECT_EQ(host.opened, (std::vector<std::string>{"http://b.example/ページ 3 240 0"}));

    // Nothing selected: nothing opens.
    engine->selectedText.clear();
    view->OnPageCommand(ID_PAGE_OPEN_SELECTION);
    EXPECT_EQ(host.opened.size(), 1u);

    // While the page loads the page is not asked at all.
    engine->busy = true;
    engine->selectedText = "x";
    engine->calls.clear();
    view->OnPageCommand(ID_PAGE_OPEN_SELECTION);
    EXPECT_TRUE(engine->calls.empty());
    EXPECT_EQ(host.opened.size(), 1u);
}

TEST_F(PageCommandsTest, ALateSelectionAnswerStillOpensAndOutlivesTheView) {
    engine->selectionLater = true;
    engine->selectedText = "later words";
    view->OnPageCommand(ID_PAGE_OPEN_SELECTION);
    EXPECT_TRUE(host.opened.empty());
    engine->AnswerSelection();
    EXPECT_EQ(host.opened, (std::vector<std::string>{"later words 3 240 0"}));

    // The answer only needs the host, which the view does not take with it.
    view->OnPageCommand(ID_PAGE_OPEN_SELECTION);
    auto pending = std::move(engine->pendingSelection);
    view.reset();
    ASSERT_TRUE(pending);
    pending("after the view");
    EXPECT_EQ(host.opened.back(), "after the view 3 240 0");
}

TEST_F(PageCommandsTest, CommentsAreShownOnlyWhenThePageIsNotBusy) {
    EXPECT_TRUE(view->OnPageCommand(ID_PAGE_COMMENTS));
    engine->busy = true;
    view->OnPageCommand(ID_PAGE_COMMENTS);
    const std::string exec = "Exec " + std::to_string(static_cast<int>(PageCommand::ShowComments));
    EXPECT_EQ(engine->calls, (std::vector<std::string>{exec}));
}

TEST(PageCommandsNoControl, EveryCommandIsTakenAndDoesNothing) {
    OpeningHost host;
    ManualTimers timers;
    CFernView view(host, timers, nullptr);
    EXPECT_TRUE(view.OnPageCommand(ID_PAGE_OPEN_SELECTION));
    EXPECT_TRUE(view.OnPageCommand(ID_PAGE_COMMENTS));
    EXPECT_TRUE(host.opened.empty());
}

}  // namespace
