// The settings over real INI files in a temporary folder.
#include <gtest/gtest.h>

#include "app/DataPaths.h"
#include "chrome/ToolBarDock.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"
#include "settings/IniProfile.h"
#include "settings/ProgramSettings.h"

using namespace fern;

namespace {

class IniBackedSettings : public ::testing::Test {
protected:
    fern::testing::TempFolder folder_;
    DataPaths paths_ = MakeDataPaths(folder_.Path());
};

}  // namespace

TEST_F(IniBackedSettings, MissingFilesGiveTheDefaults) {
    IniProfile profile(paths_.profile), windows(paths_.windows);
    SettingsStore store(profile, windows);
    ProgramSettings s;
    s.LoadAll(store);
    EXPECT_EQ(s.addressBar.goButtonLabel, "移動");
    EXPECT_FALSE(IsRegularFile(paths_.profile));
}

TEST_F(IniBackedSettings, SaveThenLoadRoundTripsThroughFernIniAndWndsIni) {
    {
        IniProfile profile(paths_.profile), windows(paths_.windows);
        SettingsStore store(profile, windows);
        EXPECT_EQ(ResolveBookmarkPath(store, paths_), paths_.defaultBookmarks);
        ProgramSettings s;
        s.LoadAll(store);
        s.tabBar.selectNewTab = true;
        s.addressBar.addUrlBack = ".ソ.jp";
        s.killMsgDlg.items.push_back({0, "名前", "確認", "\"a,b\",c"});
        s.mainFrame.SetPlacement({0, 3, -1, -1, -8, -8, 10, 20, 810, 620});
        ASSERT_TRUE(s.SaveAll(store));
    }
    IniProfile profile(paths_.profile), windows(paths_.windows);
    SettingsStore store(profile, windows);
    ProgramSettings s;
    s.LoadAll(store);
    EXPECT_EQ(s.bookmark.bookmarkPath, paths_.defaultBookmarks);
    EXPECT_EQ(s.tabBar.style, 0x248);
    EXPECT_EQ(s.addressBar.addUrlBack, ".ソ.jp");
    ASSERT_EQ(s.killMsgDlg.items.size(), 2u);
    EXPECT_EQ(s.killMsgDlg.items[1].caption, "確認");
    ASSERT_TRUE(s.mainFrame.Placement());
    EXPECT_EQ(s.mainFrame.Placement()->right, 810);

    std::string fern = ReadWholeFile(paths_.profile).value_or("");
    std::string wnds = ReadWholeFile(paths_.windows).value_or("");
    EXPECT_NE(fern.find("[TabBar]\r\n"), std::string::npos);
    EXPECT_NE(fern.find("TabStyle=584\r\n"), std::string::npos);
    EXPECT_NE(fern.find("ABGoBtnText=移動\r\n"), std::string::npos);
    EXPECT_EQ(fern.find("MFWndPlac"), std::string::npos);
    EXPECT_NE(wnds.find("MFWndPlac=0,3,-1,-1,-8,-8,10,20,810,620\r\n"), std::string::npos);
}

// A mailer path such as "/usr/bin/mailer" "%m" begins and ends with a quote,
// which a reader takes off: it must come back as it was saved.
TEST_F(IniBackedSettings, StringsInQuotesComeBackWhole) {
    const char* const values[] = {"\"/opt/My Mailer/mail\" \"%m\"", "\"\"", "'a' 'b'", "\"", "\"a", "plain"};
    for (const char* value : values) {
        {
            IniProfile profile(paths_.profile), windows(paths_.windows);
            SettingsStore store(profile, windows);
            ProgramSettings s;
            s.LoadAll(store);
            s.mail.mailerPath = value;
            ASSERT_TRUE(s.SaveAll(store));
        }
        IniProfile profile(paths_.profile), windows(paths_.windows);
        SettingsStore store(profile, windows);
        ProgramSettings s;
        s.LoadAll(store);
        EXPECT_EQ(s.mail.mailerPath, value);
    }
}

TEST_F(IniBackedSettings, TheToolBarsDockLayoutLeavesWndsIniWholeWithTheRestKept) {
    IniProfile windows(paths_.windows);
    ASSERT_TRUE(windows.WriteString("FernBars", "TBStyle", "0"));
    ASSERT_TRUE(windows.WriteInt("FernBars-Summary", "Bars", 1));
    ASSERT_TRUE(windows.WriteInt("FernBars-Bar0", "Side", 2));
    ASSERT_TRUE(windows.WriteInt("ReBar", "RBBandCount", 5));

    EXPECT_TRUE(windows.DeleteSection("FernBars-Bar0"));
    EXPECT_TRUE(windows.DeleteSection("fernbars-summary"));  // names match without regard to case
    EXPECT_TRUE(windows.DeleteSection("FernBars-Bar7"));     // nothing to delete is no failure
    std::string text = ReadWholeFile(paths_.windows).value_or("");
    EXPECT_EQ(text.find("FernBars-"), std::string::npos) << text;
    EXPECT_EQ(windows.ReadInt("FernBars-Bar0", "Side", -1), -1);
    EXPECT_EQ(windows.ReadString("FernBars", "TBStyle", ""), "0");
    EXPECT_EQ(windows.ReadInt("ReBar", "RBBandCount", 0), 5);
}

TEST_F(IniBackedSettings, TBStyleAsWndsIniHoldsItDocksTheToolBarOnlyWhenItReadsAsZero) {
    struct Case {
        const char* stored;
        bool docked;
    };
    // Numbers read like atol, modulo 2^32: no digits is 0, 2^32 wraps to 0.
    const Case cases[] = {{"1", false},         {"0", true},          {"", false},
                          {"-1", false},        {"docked", true},     {"99999999999", false},
                          {"4294967296", true}, {"2147483648", false}};
    for (const Case& c : cases) {
        IniProfile profile(paths_.profile), windows(paths_.windows);
        ASSERT_TRUE(windows.WriteString("FernBars", "TBStyle", c.stored));
        ASSERT_TRUE(windows.WriteInt("FernBars-Summary", "Bars", 1));
        ASSERT_TRUE(windows.WriteInt("FernBars-Bar0", "BarID", 2));
        ASSERT_TRUE(windows.WriteString("FernBars-Bar0", "Side", "right side"));
        SettingsStore store(profile, windows);
        CSettingsService settings(store);
        CToolBarDock dock(settings, windows);
        EXPECT_EQ(dock.Placement(), (ToolBarPlacement{c.docked, DockSide::Top})) << c.stored;
    }
}
