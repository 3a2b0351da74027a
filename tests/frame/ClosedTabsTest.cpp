#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "commands/CommandRouter.h"
#include "commands/MenuLayout.h"
#include "fakes/FakeProfile.h"
#include "frame/ClosedTabs.h"
#include "frame/SessionTestFrame.h"
#include "lists/ItemListFile.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"
#include "settings/FrameSettings.h"
#include "settings/SettingsService.h"

using namespace fern;
using fern::test::OpenCall;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;

namespace {

void Close(CClosedTabs& closed, const std::string& url, const std::string& title, std::uint32_t dlc = 0x70) {
    closed.Record(false, url, "", title, dlc);
}

// The settings as loaded from RCUStyle.
RecentCloseUrlSettings Rcu(int style) {
    FakeProfile profile, windows;
    profile.Set("RecentCloseUrl", "RCUStyle", std::to_string(style));
    RecentCloseUrlSettings s;
    s.Load(SettingsStore(profile, windows));
    return s;
}

}  // namespace

TEST(ClosedTabs, NewestFirstOneEntryPerUrlAndTheLastClosed) {
    CClosedTabs closed;
    Close(closed, "http://a/", "A", 0x70);
    Close(closed, "http://b/", "B");
    Close(closed, "http://a/", "A again", 0x10);
    ASSERT_EQ(closed.Items().size(), 2u);
    EXPECT_EQ(closed.Items()[0].url, "http://a/");
    EXPECT_EQ(closed.Items()[0].name, "A again");
    EXPECT_EQ(closed.Items()[0].style, 0x10u);
    EXPECT_EQ(closed.Items()[0].exstyle, 1u);
    // Urls compare exactly.
    Close(closed, "http://A/", "upper");
    EXPECT_EQ(closed.Items().size(), 3u);

    // A blank page is not listed but is still the last closed URL.
    closed.Record(false, "", "about:blank", "", 0x30);
    EXPECT_EQ(closed.Items().size(), 3u);
    EXPECT_EQ(closed.LastClosedUrl(), "about:blank");
    EXPECT_EQ(closed.LastClosedFlags(), 0x30u);
    // A pending URL stands in for a page that never committed.
    closed.Record(false, "", "http://pending/", "Loading..", 0x70);
    EXPECT_EQ(closed.Items()[0].url, "http://pending/");
    // Pages closed by the pop-up filters leave no trace.
    closed.Record(true, "http://popup/", "", "ad", 0x70);
    EXPECT_EQ(closed.LastClosedUrl(), "http://pending/");
    EXPECT_EQ(closed.Items()[0].url, "http://pending/");
}

TEST(ClosedTabs, TwentiethUrlPushesTheOldestOutAndTheMenuKeys) {
    CClosedTabs closed;
    for (int i = 1; i <= 20; ++i) Close(closed, "http://u" + std::to_string(i), "Title " + std::to_string(i));
    ASSERT_EQ(closed.Items().size(), 19u);
    EXPECT_EQ(closed.Items().front().url, "http://u20");
    EXPECT_EQ(closed.Items().back().url, "http://u2");

    std::vector<ClosedMenuItem> menu = closed.MenuItems();
    ASSERT_EQ(menu.size(), 19u);
    EXPECT_EQ(menu[0].text, "&1 Title 20");
    EXPECT_EQ(menu[0].id, 34267);
    EXPECT_EQ(menu[8].text, "&9 Title 12");
    EXPECT_EQ(menu[9].text, "&A Title 11");
    EXPECT_EQ(menu[18].text, "&J Title 2");
    EXPECT_EQ(menu[18].id, 34285);

    // Cut to 30 bytes without splitting a character.
    Close(closed, "http://long", "xとても長いページのタイトルがここに入ります");
    EXPECT_EQ(closed.MenuItems()[0].text, "&1 xとても長いページのタイトルが....");
    Close(closed, "http://ascii", std::string(40, 'x'));
    EXPECT_EQ(closed.MenuItems()[0].text, "&1 " + std::string(30, 'x') + "...");
}

TEST(ClosedTabs, CommandsOpenEntriesTheLastClosedAndFlipSaving) {
    CClosedTabs closed;
    std::vector<OpenCall> calls;
    FakeProfile profile, windows;
    profile.Set("RecentCloseUrl", "RCUStyle", "7");
    SettingsStore store(profile, windows);
    CSettingsService settings(store);
    bool focus = false;
    CCommandRouter router;
    closed.RegisterCommands(
        router, test::RecordTo(calls), [&] { return focus; }, settings);
    EXPECT_FALSE(router.IsEnabled(ID_RECENT_LAST));
    EXPECT_FALSE(router.Run(ID_RECENT_LAST));
    EXPECT_TRUE(calls.empty());

    Close(closed, "http://a", "A", 0x10);
    Close(closed, "http://b", "B", 0x20);
    closed.Record(false, "about:blank", "", "", 0x40);
    EXPECT_TRUE(router.IsEnabled(ID_RECENT_LAST));
    router.Run(ID_RECENT_FIRST + 1);
    router.Run(ID_RECENT_FIRST + 5);  // no such entry
    router.Run(ID_RECENT_OPEN_ALL);
    router.Run(ID_RECENT_LAST);
    focus = true;
    router.Run(ID_RECENT_LAST);
    EXPECT_EQ(calls, (std::vector<OpenCall>{{"http://a", 3, 0x10, 0},
                                            {"http://b", 3, 0x20, 0},
                                            {"http://a", 3, 0x10, 0},
                                            {"about:blank", 1, 0x40, 0},
                                            {"about:blank", 3, 0x40, 0}}));
    // The menu lists the entries, newest first.
    std::vector<DynamicMenuItem> menu = router.FillDynamicMenu(kRecentClosedMenu);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].id, ID_RECENT_FIRST);
    EXPECT_EQ(menu[1].text, "&2 A");

    EXPECT_TRUE(router.IsChecked(ID_RECENT_SAVE));
    router.Run(ID_RECENT_SAVE);
    EXPECT_FALSE(settings.Live().recentCloseUrl.saveAtExit);
    EXPECT_FALSE(router.IsChecked(ID_RECENT_SAVE));
    EXPECT_EQ(profile.Get("RecentCloseUrl", "RCUStyle"), "5");  // saved at once; bit 0x4 always written
    EXPECT_TRUE(router.Has(34287));
    EXPECT_FALSE(router.Has(34288));
}

TEST(ClosedTabs, RcuFileFollowsRcuStyle) {
    TempFolder dir;
    std::string path = dir.File("rcu.fbl");

    CClosedTabs first;
    Close(first, "http://a", "A");
    Close(first, "http://b", "ページB", 0x10);
    RecentCloseUrlSettings noSave = Rcu(1);
    EXPECT_TRUE(first.Save(path, noSave).ok);
    EXPECT_FALSE(IsRegularFile(path));

    RecentCloseUrlSettings save = Rcu(3);
    ASSERT_TRUE(first.Save(path, save).ok);
    EXPECT_EQ(ReadBytes(path),
              "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n#FOLDER\r\n\tNAME=RecentCloseUrls\r\n\r\n"
              "#URL\r\n\tNAME=ページB\r\n\tURL=http://b\r\n\tSTYLE=16\r\n\r\n"
              "#URL\r\n\tNAME=A\r\n\tURL=http://a\r\n\tSTYLE=112\r\n\r\n-\r\n");

    CClosedTabs second;
    second.Load(path, Rcu(2));
    EXPECT_TRUE(second.Items().empty());
    second.Load(path, Rcu(1));
    ASSERT_EQ(second.Items().size(), 2u);
    EXPECT_EQ(second.Items()[0].name, "ページB");
    EXPECT_EQ(second.Items()[0].style, 16u);

    // More than 19 in the file: cut to 19.
    std::vector<UrlItem> many(25);
    for (int i = 0; i < 25; ++i) many[i].url = "http://m" + std::to_string(i);
    ASSERT_TRUE(WriteItemList(path, "RecentCloseUrls", many).ok);
    second.Load(path, Rcu(1));
    EXPECT_EQ(second.Items().size(), 19u);
}

TEST(ClosedTabs, AnUnreadableRcuFileIsKept) {
    TempFolder dir;
    std::string path = dir.File("rcu.fbl");
    // A FIFO: a write would replace it, unlike a folder.
    fern::testing::FifoInPlace fifo(path);
    ASSERT_TRUE(fifo.Made());
    CClosedTabs closed;
    closed.Load(path, Rcu(3));
    Close(closed, "http://a", "A");
    EXPECT_FALSE(closed.Save(path, Rcu(3)).ok);
    EXPECT_TRUE(fifo.StillThere());
}

TEST(ClosedTabs, RecordsTheViewsOfTheFrame) {
    test::SessionTestFrame s;
    CClosedTabs closed;
    s.frame.OpenUrl("http://a/", 3, 0x10, 0);
    s.frame.OpenUrl("http://b/", 3, 0x70, 0);
    CFernView* a = s.frame.ViewAt(0);
    closed.Record(*a);
    s.frame.CloseTab(0);
    ASSERT_EQ(closed.Items().size(), 1u);
    EXPECT_EQ(closed.Items()[0].url, "http://a/");
    EXPECT_EQ(closed.Items()[0].name, "Title of http://a/");
    EXPECT_EQ(closed.Items()[0].style, 0x10u);
    CCommandRouter router;
    closed.RegisterCommands(router, s.Opener(), {}, s.settings);
    router.Run(ID_RECENT_FIRST);
    EXPECT_EQ(s.Urls(), "http://b/ http://a/");
    EXPECT_EQ(s.frame.ViewAt(1)->DownloadControlFlags(), 0x10u);
}
