#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "content/DownloadControl.h"
#include "content/UserAgent.h"
#include "fakes/FakeProfile.h"
#include "frame/SessionTestFrame.h"

using namespace fern;
using fern::test::FakeBrowserEngine;

namespace {

// A frame on fakes, the Browser group on a profile in memory, and the
// download control between them.
struct Tabs : test::SessionTestFrame {
    CDownloadControl control{settings, [this] { return frame.ActiveView(); }};
    int changes = 0;

    explicit Tabs(bool reload = false) {
        settings.Change(SettingsSection::Browser, [reload](ProgramSettings& s) {
            s.browser.reloadAfterFlagChange = reload;
            s.browser.securityTemplate4 = 0x780;
        });
        control.AddChangeHook([this] { ++changes; });
    }
    CFernView* Open(const std::string& url) { return frame.OpenUrl(url, kOpenNewTab | kOpenFocus, 0, 2); }
    std::string StoredDefault() const { return profile.Get("Browser", "BODLCDefault").value_or("-"); }
};

}  // namespace

TEST(DownloadControl, WithoutATabTheDefaultChangesIsSavedAndReachesTheNextTab) {
    Tabs s;
    EXPECT_TRUE(s.control.Command(ID_DLC_IMAGES));
    EXPECT_EQ(s.control.DefaultFlags(), 0x60u);
    EXPECT_EQ(s.StoredDefault(), "96");
    EXPECT_EQ(s.profile.Get("Browser", "BODLCDefault4").value_or(""), "1920");  // the whole group
    EXPECT_EQ(s.control.IsChecked(ID_DLC_IMAGES), false);
    EXPECT_EQ(s.changes, 1);
    EXPECT_TRUE(s.control.Command(ID_DLC_TEMPLATE_HIGH));
    EXPECT_EQ(s.control.DefaultFlags(), 0x780u);
    EXPECT_TRUE(s.control.Command(ID_DLC_SECURITY_INVERT));
    EXPECT_EQ(s.control.DefaultFlags(), 0u);
    s.control.Command(ID_DLC_IMAGES);
    CFernView* tab = s.Open("http://a/");
    EXPECT_EQ(tab->DownloadControlFlags(), 0x10u);
    EXPECT_EQ(s.engines.made[0]->dlcFlags, 0x10u);
    // An open that keeps the flags (command-line arguments) still hands them to the control.
    s.frame.OpenUrl("http://b/", kOpenNewTab, 0xFFFFFFFFu, 1);
    EXPECT_EQ(s.engines.made[1]->dlcFlags, 0x10u);
    EXPECT_FALSE(s.control.Command(12345));
}

TEST(DownloadControl, ATabsTogglesKeepThePreviousFlagsAndLeaveTheDefault) {
    Tabs s;
    CFernView* tab = s.Open("http://a/");
    FakeBrowserEngine* engine = s.engines.made[0];
    tab->SetDownloadControlFlags(0x10 | 0x100 | 0x400);  // a mixed state
    engine->calls.clear();
    s.control.Command(ID_DLC_SECURITY_INVERT);
    EXPECT_EQ(tab->DownloadControlFlags(), 0x10u | 0x80u | 0x200u);
    EXPECT_EQ(tab->PreviousDownloadControlFlags(), 0x510u);
    s.control.Command(ID_DLC_MEDIA_INVERT);
    EXPECT_EQ(tab->DownloadControlFlags(), 0x60u | 0x80u | 0x200u);
    EXPECT_EQ(engine->dlcFlags, 0x2E0u);
    EXPECT_EQ(s.control.IsChecked(ID_DLC_SCRIPTS), false);
    EXPECT_EQ(s.control.IsChecked(ID_DLC_JAVA), true);
    EXPECT_EQ(s.control.IsChecked(ID_DLC_SOUNDS), true);
    EXPECT_EQ(s.control.IsChecked(ID_DLC_MEDIA_INVERT), std::nullopt);
    EXPECT_EQ(s.control.DefaultFlags(), 0x70u);
    EXPECT_EQ(s.StoredDefault(), "112");  // as it was
    // Without the reload option the control is told and nothing reloads.
    EXPECT_EQ(engine->calls, (std::vector<std::string>{"DownloadControl 656", "DownloadControl 736"}));
    // The status bar's switches change the default only.
    s.control.ToggleDefault(0x80);
    EXPECT_EQ(s.control.DefaultFlags(), 0xF0u);
    EXPECT_EQ(tab->DownloadControlFlags(), 0x2E0u);
    EXPECT_EQ(s.StoredDefault(), "240");
    EXPECT_EQ(s.changes, 3);
}

TEST(DownloadControl, TemplatesAndTheReloadOption) {
    Tabs s(true);
    s.settings.Change(SettingsSection::Browser,
                      [](ProgramSettings& p) { p.browser.securityTemplate1 = 0x90; });
    CFernView* tab = s.Open("http://a/");
    FakeBrowserEngine* engine = s.engines.made[0];
    engine->calls.clear();
    s.control.Command(ID_DLC_SECURITY_CHOSEN);
    EXPECT_EQ(tab->DownloadControlFlags(), 0x90u);
    EXPECT_EQ(tab->PreviousDownloadControlFlags(), 0x70u);
    s.control.Command(ID_DLC_TEMPLATE_DEFAULT);
    EXPECT_EQ(tab->DownloadControlFlags(), 0x70u);
    EXPECT_EQ(engine->calls, (std::vector<std::string>{"DownloadControl 144", "Refresh2 3",
                                                       "DownloadControl 112", "Refresh2 3"}));
    EXPECT_EQ(s.StoredDefault(), "112");  // as it was
    // A tab without an address yet is told, but there is nothing to reload.
    CFernView* blank = s.frame.OpenUrl("", kOpenNoNavigate | kOpenFocus, 0x70, 0);
    s.frame.ActivateView(blank);
    FakeBrowserEngine* second = s.engines.made[1];
    second->calls.clear();
    s.control.Command(ID_DLC_VIDEOS);
    EXPECT_EQ(second->calls, (std::vector<std::string>{"DownloadControl 80"}));
}

TEST(UserAgent, CutTo255BytesWithoutSplittingACharacterAndWithoutLineBreaks) {
    EXPECT_EQ(UserAgentText(""), "");
    EXPECT_EQ(UserAgentText("Fern/1.0\r\nX-Injected: 1"), "Fern/1.0X-Injected: 1");
    EXPECT_EQ(UserAgentText(std::string(300, 'a')).size(), 255u);
    // "ソ" is 0x83 0x5C: its trail byte would be byte 256.
    std::string text = std::string(254, 'a') + "ソ";
    EXPECT_EQ(UserAgentText(text), std::string(254, 'a'));
    EXPECT_EQ(UserAgentText("Fern ソフト\t1"), "Fern ソフト1");
}
