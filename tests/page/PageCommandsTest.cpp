// The page commands that ask the page for something first: opening the
// selected text and showing the comments, on the scripted control.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/CommandIds.h"
#include "frame/SessionTestFrame.h"

using namespace fern;
using fern::test::FakeBrowserEngine;

namespace {

class PageCommandsTest : public ::testing::Test {
protected:
    test::SessionTestFrame s;
    std::vector<std::string> opened;  // "text flags", as the page asked
    CFernView* view = nullptr;
    FakeBrowserEngine* engine = nullptr;

    void SetUp() override {
        s.settings.Change(SettingsSection::Browser,
                          [](ProgramSettings& p) { p.browser.downloadControl = 0xF0; });
        s.frame.opened.ConnectForever([this](const std::string& text, int flags) {
            opened.push_back(text + " " + std::to_string(flags));
        });
        // The tab's own flags differ from the default, which the new tab gets.
        view = s.frame.OpenUrl("http://a.example/", kOpenNewTab, 0x10, 0);
        engine = test::EngineOf(view);
        opened.clear();
        engine->calls.clear();
    }
    std::uint32_t NewTabFlags() const {
        return s.frame.ViewAt(s.frame.TabCount() - 1)->DownloadControlFlags();
    }
};

TEST_F(PageCommandsTest, SelectedTextOpensInANewTabWithTheDefaultFlags) {
    engine->selectedText = "http://b.example/ページ";
    EXPECT_TRUE(view->OnPageCommand(ID_PAGE_OPEN_SELECTION));
    EXPECT_EQ(opened, std::vector<std::string>{"http://b.example/ページ 3"});
    EXPECT_EQ(NewTabFlags(), 0xF0u);

    // Nothing selected: nothing opens.
    engine->selectedText.clear();
    view->OnPageCommand(ID_PAGE_OPEN_SELECTION);
    EXPECT_EQ(opened.size(), 1u);

    // While the page loads the page is not asked at all.
    engine->busy = true;
    engine->selectedText = "x";
    engine->calls.clear();
    view->OnPageCommand(ID_PAGE_OPEN_SELECTION);
    EXPECT_TRUE(engine->calls.empty());
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(PageCommandsTest, ALateSelectionAnswerStillOpensAndOutlivesTheView) {
    engine->selectionLater = true;
    engine->selectedText = "later words";
    view->OnPageCommand(ID_PAGE_OPEN_SELECTION);
    EXPECT_TRUE(opened.empty());
    engine->AnswerSelection();
    EXPECT_EQ(opened, std::vector<std::string>{"later words 3"});

    // The answer only needs the host, which the view does not take with it.
    view->OnPageCommand(ID_PAGE_OPEN_SELECTION);
    auto pending = std::move(engine->pendingSelection);
    s.frame.CloseTab(0);
    s.queue.RunAll();
    ASSERT_EQ(s.frame.ViewCount(), 1u);  // the view is gone
    ASSERT_TRUE(pending);
    pending("after the view");
    EXPECT_EQ(s.Urls(), "later words after the view");
    EXPECT_EQ(NewTabFlags(), 0xF0u);
}

TEST_F(PageCommandsTest, CommentsAreShownOnlyWhenThePageIsNotBusy) {
    EXPECT_TRUE(view->OnPageCommand(ID_PAGE_COMMENTS));
    engine->busy = true;
    view->OnPageCommand(ID_PAGE_COMMENTS);
    const std::string exec = "Exec " + std::to_string(static_cast<int>(PageCommand::ShowComments));
    EXPECT_EQ(engine->calls, (std::vector<std::string>{exec}));
}

TEST(PageCommandsNoControl, EveryCommandIsTakenAndDoesNothing) {
    test::SessionTestFrame s;
    CFernView view(s.frame, s.timers, nullptr);
    EXPECT_TRUE(view.OnPageCommand(ID_PAGE_OPEN_SELECTION));
    EXPECT_TRUE(view.OnPageCommand(ID_PAGE_COMMENTS));
    EXPECT_EQ(s.frame.TabCount(), 0);
}

}  // namespace
