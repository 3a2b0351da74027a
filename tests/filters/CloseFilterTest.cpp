#include <gtest/gtest.h>

#include <string>

#include "../lists/TempFolder.h"
#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"
#include "fakes/FakeProfile.h"
#include "filters/CloseFilter.h"
#include "filters/FilterCommands.h"
#include "filters/PageDialogFilter.h"
#include "frame/SessionTestFrame.h"

using namespace fern;
using fern::test::FakeBrowserEngine;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

namespace {

constexpr char kTwoSections[] =
    "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n"
    "#FOLDER\r\n\tNAME=closeurl\r\n\r\n#URL\r\n\tURL=http://"
    "ads.*\r\n\r\n#URL\r\n\tURL=*ポップ*\r\n\r\n-\r\n\r\n"
    "#FOLDER\r\n\tNAME=closetitle\r\n\r\n#URL\r\n\tURL=*カジノ*\r\n\r\n-\r\n\r\n";

// A frame whose pages consult the real filter, with the filter commands.
struct FilterFrame : test::FrameFakes {
    TempFolder folder;
    CloseUrlSettings closeUrl;
    CCloseFilter filter{closeUrl};
    CMainFrame frame{Services(filter), settings.Live()};
    std::vector<bool> sweeps;
    CFilterCommands commands{{frame, filter, folder.File("close.fbl"), settings, messageBox,
                              [this](bool on) { sweeps.push_back(on); }}};
    CCommandRouter router;
    FilterFrame() { commands.RegisterCommands(router); }

    FakeBrowserEngine* EngineAt(int i) { return test::EngineOf(frame.ViewAt(i)); }
    FakeBrowserEngine* PopUpFrom(int i) {
        IBrowserEngine* window = nullptr;
        bool cancel = false;
        frame.ViewAt(i)->NewWindow2(window, cancel);
        return static_cast<FakeBrowserEngine*>(window);
    }
};

}  // namespace

TEST(CloseLists, FileRoundTripAndBadBytes) {
    TempFolder folder;
    std::string path = folder.File("close.fbl");
    CloseLists lists;
    lists.urls = {"old"};
    ReadCloseLists(path, lists);  // missing: both lists empty
    EXPECT_TRUE(lists.urls.empty());
    EXPECT_FALSE(lists.unreadable);

    WriteBytes(path, kTwoSections);
    ASSERT_TRUE(ReadCloseLists(path, lists));
    EXPECT_EQ(lists.urls, (std::vector<std::string>{"http://ads.*", "*ポップ*"}));
    EXPECT_EQ(lists.titles, (std::vector<std::string>{"*カジノ*"}));
    ASSERT_TRUE(WriteCloseLists(path, lists));
    std::string bytes = ReadBytes(path);
    CloseLists again;
    ParseCloseLists(bytes, again);
    EXPECT_EQ(again.urls, lists.urls);
    EXPECT_EQ(again.titles, lists.titles);
    EXPECT_NE(bytes.find("#FOLDER\r\n\tNAME=closeurl\r\n\r\n#URL\r\n\tURL=http://ads.*\r\n\r\n"),
              std::string::npos);
    EXPECT_LT(bytes.find("closeurl"), bytes.find("closetitle"));

    // Garbage, a cut-off file, NULs and a 100 KB line: no crash, what is
    // readable is kept.
    ParseCloseLists(std::string("\x00\xff#URL\n\tURL=x\n", 14), again);
    ParseCloseLists(std::string(kTwoSections).substr(0, 90), again);
    EXPECT_EQ(again.urls, (std::vector<std::string>{"http://ads.*"}));
    EXPECT_TRUE(again.titles.empty());
    std::string huge(100 * 1024, 'x');
    ParseCloseLists("#INFO\n\n#FOLDER\n\tNAME=closeurl\n\n#URL\n\tURL=" + huge + "\n\n-\n", again);
    ASSERT_EQ(again.urls.size(), 1u);
    EXPECT_EQ(again.urls[0].size(), huge.size());

    // A close.fbl that cannot be read is never overwritten (a FIFO: a write
    // would replace it, unlike a folder).
    TempFolder other;
    std::string blocked = other.File("close.fbl");
    fern::testing::FifoInPlace fifo(blocked);
    ASSERT_TRUE(fifo.Made());
    ReadCloseLists(blocked, lists);
    EXPECT_TRUE(lists.unreadable);
    EXPECT_FALSE(WriteCloseLists(blocked, lists));
    EXPECT_TRUE(fifo.StillThere());
}

TEST(CloseFilter, SwitchesAndListChanges) {
    CloseUrlSettings settings;
    CCloseFilter filter(settings);
    filter.Lists().urls = {"http://ads.*"};
    EXPECT_FALSE(filter.MatchesCloseUrl("http://ads.example/"));  // filter off
    settings.closeUrlFilter = true;
    EXPECT_TRUE(filter.MatchesCloseUrl("http://ads.example/"));
    filter.Lists().urls.push_back("about:blank");  // picked up at the next question
    EXPECT_TRUE(filter.MatchesCloseUrl("about:blank"));
    filter.Lists().titles = {"*カジノ*"};
    EXPECT_FALSE(filter.MatchesCloseTitle("大カジノ"));  // COTStyle off
    settings.closeTitleFilter = true;
    EXPECT_TRUE(filter.MatchesCloseTitle("大カジノ"));
    EXPECT_FALSE(filter.MatchesCloseTitle(std::string(100 * 1024, 'z')));
}

TEST(CloseFilter, NavigationsOfTabsAndPopUps) {
    FilterFrame f;
    f.closeUrl.closeUrlFilter = true;
    f.filter.Lists().urls = {"http://ads.*"};
    f.frame.OpenUrl("http://site/", kOpenNewTab, 0x70, 0);
    ASSERT_EQ(f.frame.TabCount(), 1);

    // All navigations: a listed link is refused, the tab stays.
    EXPECT_FALSE(f.EngineAt(0)->BeforeNavigate("http://ads.example/x"));
    EXPECT_TRUE(f.EngineAt(0)->BeforeNavigate("http://site/?" + std::string(100 * 1024, 'q')));
    f.queue.RunAll();
    EXPECT_EQ(f.frame.TabCount(), 1);
    EXPECT_EQ(f.filter.Closed(), 0);

    // New tabs only: the same link is let through ...
    f.closeUrl.newTabsOnly = true;
    EXPECT_TRUE(f.EngineAt(0)->BeforeNavigate("http://ads.example/x"));
    // ... but a pop-up that leaves about:blank for it is closed and counted.
    FakeBrowserEngine* popup = f.PopUpFrom(0);
    ASSERT_TRUE(popup->BeforeNavigate("about:blank"));
    EXPECT_FALSE(popup->BeforeNavigate("http://ads.example/pop"));
    f.queue.RunAll();
    EXPECT_EQ(f.frame.ViewCount(), 1u);
    EXPECT_EQ(f.filter.Closed(), 1);

    // A listed title closes the tab once, however often it is reported.
    f.filter.Lists().titles = {"*カジノ*"};
    f.closeUrl.closeTitleFilter = true;
    f.frame.OpenUrl("http://spam/", kOpenNewTab, 0x70, 0);
    ASSERT_EQ(f.frame.TabCount(), 2);
    f.EngineAt(1)->sink->TitleChange("カジノ");
    f.EngineAt(1)->sink->TitleChange("カジノ!");
    f.queue.RunAll();
    EXPECT_EQ(f.frame.TabCount(), 1);
    EXPECT_EQ(f.filter.Closed(), 2);
}

TEST(FilterCommands, RegisterAppendsSavesAndClosesOnRequest) {
    FilterFrame f;
    f.frame.OpenUrl("http://a/", kOpenNewTab, 0x70, 0);
    f.frame.OpenUrl("http://b/", kOpenNewTab, 0x70, 0);
    f.frame.SelectTab(0);
    f.frame.SetRightClicked(1);
    EXPECT_TRUE(f.router.Run(ID_FILTER_REGISTER_URL));
    f.frame.SetRightClicked(1);
    f.router.Run(ID_FILTER_REGISTER_URL);    // twice: stored twice
    f.router.Run(ID_FILTER_REGISTER_TITLE);  // the selected tab now
    EXPECT_EQ(f.filter.Lists().urls, (std::vector<std::string>{"http://b/", "http://b/"}));
    EXPECT_EQ(f.filter.Lists().titles, (std::vector<std::string>{"Title of http://a/"}));
    CloseLists saved;
    ASSERT_TRUE(ReadCloseLists(f.folder.File("close.fbl"), saved));
    EXPECT_EQ(saved.urls, f.filter.Lists().urls);
    EXPECT_EQ(saved.titles, f.filter.Lists().titles);
    f.queue.RunAll();
    EXPECT_EQ(f.frame.TabCount(), 2);  // COUStyle 0x4 off

    f.closeUrl.closeOnRegister = true;
    f.router.Run(ID_FILTER_REGISTER_URL);
    f.queue.RunAll();
    EXPECT_EQ(f.frame.TabCount(), 1);
    EXPECT_TRUE(f.messageBox.shown.empty());

    // An empty URL registers nothing; a failed save is told to the user.
    f.EngineAt(0)->url.clear();
    f.commands.RegisterUrl();
    EXPECT_EQ(f.filter.Lists().urls.size(), 3u);
    f.EngineAt(0)->url = "http://c/";
    std::filesystem::remove(f.folder.File("close.fbl"));
    std::filesystem::create_directory(f.folder.File("close.fbl"));
    f.commands.RegisterUrl();
    ASSERT_EQ(f.messageBox.shown.size(), 1u);
    EXPECT_NE(f.messageBox.shown[0].find("保存できませんでした"), std::string::npos);
}

TEST(FilterCommands, SwitchesWriteTheBrowserGroup) {
    FilterFrame f;
    auto hostSite = [&](bool on) {
        f.settings.Change(SettingsSection::Browser,
                          [on](ProgramSettings& s) { s.browser.customHostSite = on; });
    };
    hostSite(false);
    CFilterCommands noSite{{f.frame, f.filter, "", f.settings, f.messageBox, nullptr}};
    CCommandRouter noSiteRouter;
    noSite.RegisterCommands(noSiteRouter);
    EXPECT_FALSE(noSiteRouter.IsEnabled(ID_FILTER_SCRIPT_ERRORS));
    EXPECT_FALSE(noSiteRouter.Run(ID_FILTER_SCRIPT_ERRORS));
    EXPECT_FALSE(f.settings.Live().browser.showScriptErrors);

    hostSite(true);  // latched when the commands are made
    CFilterCommands site{
        {f.frame, f.filter, "", f.settings, f.messageBox, [&](bool on) { f.sweeps.push_back(on); }}};
    CCommandRouter router;
    site.RegisterCommands(router);
    EXPECT_TRUE(router.IsEnabled(ID_FILTER_SCRIPT_ERRORS));
    router.Run(ID_FILTER_SCRIPT_ERRORS);
    EXPECT_TRUE(router.IsChecked(ID_FILTER_SCRIPT_ERRORS));
    EXPECT_EQ(f.store.ReadInt(Setting::BOStyle), 0x357);  // the first start's 0x355 with 0x2
    router.Run(ID_FILTER_DIALOG_SWEEP);
    EXPECT_EQ(f.store.ReadInt(Setting::BOStyle), 0x757);
    EXPECT_TRUE(router.IsChecked(ID_FILTER_DIALOG_SWEEP));
    EXPECT_EQ(f.sweeps, std::vector<bool>{true});
    EXPECT_EQ(f.profile.Get("Browser", "BODLCDefault"), "112");  // the whole group

    f.profile.failWrites = true;
    router.Run(ID_FILTER_DIALOG_SWEEP);
    EXPECT_EQ(f.messageBox.shown.size(), 1u);
}

TEST(FilterCommands, PagesAskTheFrameAboutBoxesAndErrors) {
    FilterFrame f;
    std::vector<std::string> status;
    CPageDialogFilter dialogs(f.settings.Live().browser, {KillMsgDlgSettings::DefaultItem()},
                              {[&](const std::string& s) { status.push_back(s); }, nullptr});
    f.frame.OpenUrl("http://a/", kOpenNewTab, 0x70, 0);
    BrowserEvents* page = f.EngineAt(0)->sink;
    EXPECT_FALSE(page->ShowMessage(kPageDialogCaption, "ActiveX を実行"));  // no filter set yet
    f.frame.SetPageDialogFilter(&dialogs);
    EXPECT_TRUE(page->ShowMessage(kPageDialogCaption, "ActiveX を実行"));
    EXPECT_FALSE(page->ShowMessage(kPageDialogCaption, "ActiveX"));
    page->ScriptError("x is not defined", "http://a/", 3);
    EXPECT_EQ(status, std::vector<std::string>{kScriptErrorStatus});
    // A tab the filters are closing reports nothing more.
    f.closeUrl.closeTitleFilter = true;
    f.filter.Lists().titles = {"*"};
    page->TitleChange("gone");
    page->ScriptError("late", "http://a/", 4);
    EXPECT_EQ(status.size(), 1u);
}
