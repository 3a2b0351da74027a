#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fakes/FakeProfile.h"
#include "settings/PackedPair.h"
#include "settings/ProgramSettings.h"
#include "settings/WindowPlacement.h"

using namespace fern;

namespace {

struct Files {
    FakeProfile profile;  // fern.ini
    FakeProfile windows;  // wnds.ini
    SettingsStore store{profile, windows};

    FakeProfile& Of(const SettingEntry& entry) {
        return entry.file == SettingsFile::Profile ? profile : windows;
    }
    void Put(const char* section, std::initializer_list<std::pair<const char*, std::string>> keys) {
        for (const auto& [key, value] : keys) profile.Set(section, key, value);
    }
    std::optional<std::string> Stored(Setting id, int index = 0) {
        const SettingEntry& entry = EntryOf(id);
        return Of(entry).Get(entry.section, KeyName(entry, index));
    }
};

bool IsText(const SettingEntry& entry) {
    return entry.type == SettingType::String || entry.type == SettingType::Structured;
}

}  // namespace

// The plain values are checked against the table by the save test below;
// here the switches each default word turns on.
TEST(SettingsDefaults, FirstStartWithEmptyFilesRunsOnEveryDefault) {
    Files f;
    ProgramSettings s;
    s.LoadAll(f.store);
    EXPECT_EQ(f.profile.writes + f.windows.writes, 0);

    EXPECT_TRUE(s.browser.customHostSite && s.browser.resolveTargetNames && s.browser.focusPage);
    EXPECT_TRUE(s.browser.inheritParentSecurity && s.browser.reloadAfterFlagChange);
    EXPECT_FALSE(s.browser.showScriptErrors || s.browser.silent || s.browser.dialogSweep);
    EXPECT_TRUE(s.tabBar.multiLine && s.tabBar.wrapAround);
    EXPECT_FALSE(s.tabBar.selectNewTab || s.tabBar.useColours || s.tabBar.barBelowPages);
    EXPECT_TRUE(s.tabBar.ownBar);
    EXPECT_TRUE(s.linkBar.showIcons && s.linkBar.menuAddHere && s.linkBar.menuOpenFolder);
    EXPECT_FALSE(s.linkBar.openInNewTab || s.linkBar.fixedWidth);
    EXPECT_EQ(s.historySearch.SortColumn(), 2);
    EXPECT_TRUE(s.historySearch.sortAscending);
    EXPECT_TRUE(s.addressBar.goButton && !s.addressBar.showLabel);
    EXPECT_TRUE(s.bookmark.focusPage && s.bookmark.limitMenuText && s.bookmark.menuAddHere);
    EXPECT_FALSE(s.startup.restoreStateAtStart);
    ASSERT_EQ(s.killMsgDlg.items.size(), 1u);
    EXPECT_EQ(s.killMsgDlg.items[0], KillMsgDlgSettings::DefaultItem());
    EXPECT_EQ(s.urlExtract.filters, UrlExtractSettings::DefaultFilters());
    EXPECT_FALSE(s.mainFrame.Placement());
    EXPECT_FALSE(s.listEditDlg.Placement());
}

// Saving what a first start loaded must write each key of the table, in its
// own file, with its default, and nothing else.
TEST(SettingsDefaults, SavingTheDefaultsWritesEverySchemaKeyAndNoOther) {
    Files f;
    ProgramSettings s;
    s.LoadAll(f.store);
    ASSERT_TRUE(s.SaveAll(f.store));

    std::size_t plainKeys = 0;
    for (const SettingEntry& entry : AllSettings()) {
        if (entry.form == KeyForm::Indexed) continue;
        ++plainKeys;
        std::optional<std::string> stored = f.Of(entry).Get(entry.section, entry.key);
        ASSERT_TRUE(stored) << entry.key;
        if (entry.id == Setting::UEFilterCount) continue;
        std::string expected = IsText(entry) ? entry.textDefault : std::to_string(entry.integerDefault);
        EXPECT_EQ(*stored, expected) << entry.key;
    }
    EXPECT_EQ(f.Stored(Setting::UEFilterCount), "6");
    EXPECT_EQ(f.Stored(Setting::UEFilter, 5), "*.htm;*.html;*.cgi");
    EXPECT_EQ(f.Stored(Setting::KMDItemStyle, 0), "1");
    EXPECT_EQ(f.Stored(Setting::KMDItemText, 0), "ActiveX,実行");
    EXPECT_EQ(f.profile.KeyCount() + f.windows.KeyCount(), plainKeys + 4 + 6);
    EXPECT_TRUE(f.windows.Get("MainFrame", "MFFullScrState"));
    EXPECT_FALSE(f.profile.Get("MainFrame", "MFFullScrState"));
}

TEST(SettingsBitWords, SaveRebuildsEachWordOverTheLoadedValue) {
    Files f;
    f.profile.Set("TabBar", "TabStyle", std::to_string(0x80000 | 0x240 | 0x2));
    f.profile.Set("tabbar", "tabbtnstyle", std::to_string(0x10001 | 0x100));
    f.profile.Set("LinkBar", "LBStyle", std::to_string(0x300004 | 0x1 | 0x10));
    f.profile.Set("Browser", "BOStyle", "-1");
    f.profile.Set("RecentCloseUrl", "RCUStyle", "0");
    ProgramSettings s;
    s.LoadAll(f.store);
    EXPECT_TRUE(s.tabBar.multiLine && s.tabBar.wrapAround && !s.tabBar.selectNewTab);
    EXPECT_TRUE(s.tabBar.selectedBold && s.tabBar.unselectedBold && !s.tabBar.selectedItalic);
    EXPECT_TRUE(s.browser.dialogSweep && s.browser.silent);
    EXPECT_FALSE(s.recentCloseUrl.saveAtExit);

    s.tabBar.multiLine = false;
    s.tabBar.selectNewTab = true;
    s.tabBar.selectedBold = false;
    s.linkBar.openInNewTab = true;
    s.linkBar.showIcons = false;
    s.browser.dialogSweep = false;
    s.recentCloseUrl.saveAtExit = true;
    ASSERT_TRUE(s.SaveAll(f.store));
    // Bits no switch names (0x2, 0x80000, 0x100, 0x1, 0x10) keep their value.
    EXPECT_EQ(f.Stored(Setting::TabStyle), std::to_string(0x80000 | 0x200 | 0x8 | 0x2));
    EXPECT_EQ(f.Stored(Setting::TabBtnStyle), std::to_string(0x10000 | 0x100));
    EXPECT_EQ(f.Stored(Setting::LBStyle), std::to_string(0x300000 | 0x2 | 0x1 | 0x10));
    EXPECT_EQ(f.Stored(Setting::BOStyle), std::to_string(~0x400));
    // RCUStyle bit 0x4 is always written set.
    EXPECT_EQ(f.Stored(Setting::RCUStyle), std::to_string(0x2 | 0x4));
    EXPECT_EQ(s.tabBar.style, 0x80000 | 0x200 | 0x8 | 0x2);
}

// Every key of every section survives a load and a save unchanged: words
// full of bits no switch names, negative numbers, Japanese text.
TEST(SettingsBitWords, EveryStoredValueRoundTripsThroughLoadAndSave) {
    Files f;
    int n = 0;
    for (const SettingEntry& entry : AllSettings()) {
        ++n;
        if (entry.form == KeyForm::Indexed) continue;
        std::string value = IsText(entry) ? "値" + std::to_string(n) + "\\ソ"
                                          : std::to_string(static_cast<int>(0xA5A50004u ^ (n << 8)));
        f.Of(entry).Set(entry.section, entry.key, value);
    }
    f.profile.Set("TabBar", "TabFixBtnSize", std::to_string(PackPair(120, 24)));
    f.Put("UEFilter", {{"UEFilterCount", "2"}, {"UEFilter0", "*.txt"}, {"UEFilter1", "*.png"}});
    f.profile.Set("KillMsgDlg", "KMDItemStyle0", "1");
    const FakeProfile before = f.profile;
    const FakeProfile beforeWindows = f.windows;

    ProgramSettings s;
    s.LoadAll(f.store);
    ASSERT_TRUE(s.SaveAll(f.store));

    for (const SettingEntry& entry : AllSettings()) {
        if (entry.form == KeyForm::Indexed) continue;
        const FakeProfile& was = entry.file == SettingsFile::Profile ? before : beforeWindows;
        EXPECT_EQ(f.Of(entry).Get(entry.section, entry.key), was.Get(entry.section, entry.key)) << entry.key;
    }
    EXPECT_EQ(f.profile.Get("UEFilter", "UEFilter1"), "*.png");
}

TEST(SettingsPackedPair, OnlyTheTabWidthIsClampedAtLoad) {
    struct Case {
        int stored, width, height;
    } cases[] = {
        {5, 20, 0},
        {20, 20, 0},
        {256, 256, 0},
        {1000, 256, 0},
        {PackPair(100, 50), 100, 50},
        {PackPair(19, 16), 20, 16},
        {-1, 256, 0xFFFF},
    };
    for (const Case& c : cases) {
        Files f;
        f.profile.Set("TabBar", "TabFixBtnSize", std::to_string(c.stored));
        f.profile.Set("LinkBar", "LBFixBtnSize", std::to_string(c.stored));
        TabBarSettings tab;
        tab.Load(f.store);
        EXPECT_EQ(PairWidth(tab.fixedSize), c.width) << c.stored;
        EXPECT_EQ(PairHeight(tab.fixedSize), c.height) << c.stored;
        LinkBarSettings link;
        link.Load(f.store);
        EXPECT_EQ(link.fixedSize, c.stored);
    }
    EXPECT_EQ(PackPair(0x12345, 0x1FFFF), static_cast<int>(0xFFFF2345u));
}

TEST(WindowPlacementText, AllTenNumbersOrNothing) {
    std::optional<WindowPlacement> p = ParseWindowPlacement("0,1,-1,-1,-8,-8,10,20,810,620");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->showCommand, 1u);
    EXPECT_EQ(p->maxX, -8);
    EXPECT_EQ(p->left, 10);
    EXPECT_EQ(p->bottom, 620);
    EXPECT_EQ(FormatWindowPlacement(*p), "0,1,-1,-1,-8,-8,10,20,810,620");
    EXPECT_TRUE(ParseWindowPlacement(" 2, 3,0,0,0,0,1,2,3,4"));
    EXPECT_EQ(ParseWindowPlacement("-1,1,0,0,0,0,0,0,0,0")->flags, 0xFFFFFFFFu);
    EXPECT_EQ(ParseWindowPlacement("0,1,0,0,0,0,0,0,99999999999,0")->right, INT32_MAX);

    for (const char* bad :
         {"", "0,1,-1,-1,-1,-1,10,20,810", "0,1,-1,-1,-1,-1,10,20,810,", "0,1,-1,-1,-1,-1,10,20,810,x",
          "0;1;2;3;4;5;6;7;8;9", "0,1,,3,4,5,6,7,8,9", "0,1,2,3,4,5,6,7,8 ,9"})
        EXPECT_FALSE(ParseWindowPlacement(bad)) << bad;

    Files f;
    f.windows.Set("MainFrame", "MFWndPlac", "2,3,-32000,-32000");
    f.windows.Set("MainFrame", "MFFullScrState", "5");
    MainFrameSettings frame;
    frame.Load(f.store);
    EXPECT_FALSE(frame.Placement());
    EXPECT_TRUE(frame.fullScreen && !frame.bar1Shown && frame.bar2Shown);
    frame.SetPlacement(*p);
    ASSERT_TRUE(frame.Save(f.store));
    EXPECT_EQ(f.Stored(Setting::MFWndPlac), "0,1,-1,-1,-8,-8,10,20,810,620");
}

TEST(KillMsgDlgList, ReadingStopsAtTheFirstMissingStyleAndSavingDropsStaleItems) {
    Files f;
    f.Put("KillMsgDlg", {{"KMDItemStyle0", "0"},
                         {"KMDItemName0", "スクリプト"},
                         {"KMDItemStyle1", "1"},
                         {"KMDItemCaption1", "確認"},
                         {"KMDItemStyle3", "1"}});  // after the gap: not read
    KillMsgDlgSettings kmd;
    kmd.Load(f.store);
    ASSERT_EQ(kmd.items.size(), 2u);
    EXPECT_EQ(kmd.items[0], (KillMsgDlgItem{0, "スクリプト", "", ""}));
    EXPECT_EQ(kmd.items[1].caption, "確認");

    for (int n = 0; n < 12; ++n) f.profile.Set("KillMsgDlg", "KMDItemStyle" + std::to_string(n), "1");
    kmd.Load(f.store);
    EXPECT_EQ(kmd.items.size(), 10u);

    // A shorter list reads back as saved; a style of -1 must not end the list.
    kmd.items = {{-1, "a", "b", "c"}, {2, "d", "", ""}};
    ASSERT_TRUE(kmd.Save(f.store));
    EXPECT_FALSE(f.profile.Get("KillMsgDlg", "KMDItemStyle2"));
    KillMsgDlgSettings again;
    again.Load(f.store);
    ASSERT_EQ(again.items.size(), 2u);
    EXPECT_EQ(again.items[0], (KillMsgDlgItem{1, "a", "b", "c"}));
    EXPECT_EQ(again.items[1], kmd.items[1]);
}

TEST(UrlExtractFilters, EmptyEntriesAreSkippedAndAShorterListLeavesNoStaleKeys) {
    Files f;
    f.Put("UEFilter",
          {{"UEFilterCount", "4"}, {"UEFilter0", "*.txt"}, {"UEFilter1", ""}, {"UEFilter3", "*.png"}});
    f.profile.Set("UrlExtract", "UEFilterIndex", "9");
    UrlExtractSettings ue;
    ue.Load(f.store);
    EXPECT_EQ(ue.filters, (std::vector<std::string>{"*.txt", "*.png"}));
    EXPECT_EQ(ue.SelectedFilter(), 0);
    EXPECT_EQ(ue.filterIndex, 9);

    ue.filters = {"*.gz"};
    ASSERT_TRUE(ue.Save(f.store));
    EXPECT_EQ(f.profile.Get("UEFilter", "UEFilterCount"), "1");
    EXPECT_FALSE(f.profile.Get("UEFilter", "UEFilter3"));
    ue.Load(f.store);
    EXPECT_EQ(ue.filters, (std::vector<std::string>{"*.gz"}));

    // A damaged count neither hangs nor loses the defaults.
    f.Put("UEFilter", {{"UEFilterCount", "2147483647"}, {"UEFilter0", ""}});
    ue.Load(f.store);
    EXPECT_EQ(ue.filters, UrlExtractSettings::DefaultFilters());
}

TEST(SettingsSave, AFailedWriteIsReportedOnceAndTheRestIsStillWritten) {
    Files f;
    TabBarSettings tab;
    tab.Load(f.store);
    f.profile.failWrites = true;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(tab.Save(f.store));
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(f.profile.writes, 18);  // every key of TabBar was tried
    EXPECT_NE(log.find("fake.ini"), std::string::npos);
    EXPECT_NE(log.find("[TabBar]"), std::string::npos);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
}
