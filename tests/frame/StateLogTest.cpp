#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "fakes/FakeProfile.h"
#include "frame/SessionTestFrame.h"
#include "frame/StateLog.h"
#include "lists/ItemListFile.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"
#include "settings/AppSettings.h"
#include "settings/SettingsService.h"

using namespace fern;
using fern::test::OpenCall;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

namespace {

// The startup settings as loaded from SUStyle.
StartupSettings Startup(int style) {
    FakeProfile profile, windows;
    profile.Set("Startup", "SUStyle", std::to_string(style));
    StartupSettings s;
    s.Load(SettingsStore(profile, windows));
    return s;
}

void WriteList(const std::string& path, const char* name,
               std::vector<std::pair<std::string, std::uint32_t>> entries) {
    std::vector<UrlItem> items;
    for (auto& [url, style] : entries) {
        UrlItem item;
        item.url = url;
        item.style = style;
        items.push_back(item);
    }
    ASSERT_TRUE(WriteItemList(path, name, items).ok);
}

struct Files {
    TempFolder dir;
    std::string state = dir.File("state.fbl");
    std::string startup = dir.File("startup.fbl");
};

}  // namespace

TEST(StateLog, SaveStateWritesEveryTabInTabOrder) {
    test::SessionTestFrame s;
    Files f;
    s.frame.OpenUrl("http://a/", 3, 0x10, 0);
    s.frame.OpenUrl("http://b/", 3, 0x70, 0);
    s.engines.autoLoad = false;  // this one never commits: its pending URL is saved
    CFernView* pending = s.frame.OpenUrl("http://slow/", 3, 0x30, 0);
    ASSERT_NE(pending, nullptr);
    test::EngineOf(pending)->BeforeNavigate("http://slow/");
    s.frame.SwapTabs(0, 1);

    ASSERT_TRUE(SaveState(s.frame, "", f.state).ok);
    EXPECT_EQ(ReadBytes(f.state),
              "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n#FOLDER\r\n\tNAME=laststate\r\n\r\n"
              "#URL\r\n\tURL=http://b/\r\n\tSTYLE=112\r\n\r\n"
              "#URL\r\n\tURL=http://a/\r\n\tSTYLE=16\r\n\r\n"
              "#URL\r\n\tURL=http://slow/\r\n\tSTYLE=48\r\n\r\n-\r\n");
    std::string chosen = f.dir.File("my list.fbl");
    ASSERT_TRUE(SaveState(s.frame, chosen, f.state).ok);
    EXPECT_NE(ReadBytes(chosen).find("\tNAME=UrlList\r\n"), std::string::npos);
    // A save that cannot be made says so.
    EXPECT_FALSE(SaveState(s.frame, f.dir.File("no/such/folder.fbl"), f.state).ok);

    // Restored in the same order with the same flags.
    test::SessionTestFrame next;
    RestoreStateLog(f.state, f.startup, Startup(0x2), false, next.Opener());
    EXPECT_EQ(next.Urls(), "http://b/ http://a/ http://slow/");
    EXPECT_EQ(next.calls[1], (OpenCall{"http://a/", 3, 0x10, 0}));
    EXPECT_EQ(next.frame.ViewAt(1)->DownloadControlFlags(), 0x10u);
}

TEST(StateLog, RestoreRemovesDuplicatesAndStartupUrlsByStartupStyle) {
    Files f;
    WriteList(f.state, "laststate",
              {{"http://a", 1}, {"http://b", 2}, {"", 3}, {"http://a", 4}, {"http://s", 5}});
    WriteList(f.startup, "startupurl", {{"http://s", 112}});
    auto restored = [&](int style, bool atStartup) {
        std::string out;
        for (const UrlItem& item : StateLogToRestore(f.state, f.startup, Startup(style), atStartup))
            out += item.url + ":" + std::to_string(item.style) + " ";
        return out;
    };
    EXPECT_EQ(restored(0x2, true), "http://a:1 http://b:2 :112 http://a:4 http://s:5 ");
    EXPECT_EQ(restored(0x6, false), "http://a:1 http://b:2 :112 http://s:5 ");
    // Startup URLs are taken out only at start-up with both 0x10 and 0x20.
    EXPECT_EQ(restored(0x36, true), "http://a:1 http://b:2 :112 ");
    EXPECT_EQ(restored(0x36, false), "http://a:1 http://b:2 :112 http://s:5 ");
    EXPECT_EQ(restored(0x26, true), "http://a:1 http://b:2 :112 http://s:5 ");
    EXPECT_TRUE(StateLogToRestore(f.dir.File("none.fbl"), f.startup, Startup(0x3E), true).empty());

    // Empty urls are skipped when opening.
    std::vector<OpenCall> calls;
    RestoreStateLog(f.state, f.startup, Startup(0x6), false, test::RecordTo(calls));
    EXPECT_EQ(calls,
              (std::vector<OpenCall>{{"http://a", 3, 1, 0}, {"http://b", 3, 2, 0}, {"http://s", 3, 5, 0}}));
}

TEST(StateLog, StartupOpensFollowStartupStyleAndArguments) {
    Files f;
    WriteList(f.state, "laststate", {{"http://log", 0x10}, {"http://start", 0x20}});
    WriteList(f.startup, "startupurl", {{"http://start", 0x30}});
    auto run = [&](int style, bool argument) {
        std::vector<OpenCall> calls;
        OpenAtStartup(Startup(style), argument, f.startup, f.state, test::RecordTo(calls));
        return calls;
    };
    // 0x1A: with an argument nothing opens; without, the startup URLs and
    // then the log.
    EXPECT_TRUE(run(0x1A, true).empty());
    EXPECT_EQ(run(0x1A, false),
              (std::vector<OpenCall>{
                  {"http://start", 3, 0x30, 2}, {"http://log", 3, 0x10, 0}, {"http://start", 3, 0x20, 0}}));
    // 0x3D: startup URLs checked against the log, and no restore: once.
    EXPECT_EQ(run(0x3D, false), (std::vector<OpenCall>{{"http://start", 3, 0x30, 2}}));
    // With the restore on too, the log's copy of the startup URL is dropped.
    EXPECT_EQ(run(0x3F, false),
              (std::vector<OpenCall>{{"http://start", 3, 0x30, 2}, {"http://log", 3, 0x10, 0}}));
    EXPECT_EQ(run(0x12, true).size(), 3u);  // 0x8 off: arguments do not matter
    EXPECT_TRUE(run(0x1, false).empty());

    // Startup tabs start with BODLCDefault: mode 2 on the frame.
    test::SessionTestFrame s;
    s.settings.Change(SettingsSection::Browser, [](ProgramSettings& p) { p.browser.downloadControl = 0x50; });
    OpenStartupUrls(f.startup, s.Opener());
    EXPECT_EQ(s.frame.ViewAt(0)->DownloadControlFlags(), 0x50u);
}

TEST(StateLog, AddToStartupListAppendsWithoutCheckingAndOpenListFile) {
    Files f;
    EXPECT_TRUE(AddToStartupList(f.startup, "ab").ok);
    EXPECT_FALSE(IsRegularFile(f.startup));
    ASSERT_TRUE(AddToStartupList(f.startup, "http://x").ok);
    ASSERT_TRUE(AddToStartupList(f.startup, "http://x").ok);
    EXPECT_EQ(
        ReadBytes(f.startup),
        "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n#FOLDER\r\n\tNAME=startupurl\r\n\r\n"
        "#URL\r\n\tURL=http://x\r\n\tSTYLE=112\r\n\r\n#URL\r\n\tURL=http://x\r\n\tSTYLE=112\r\n\r\n-\r\n");
    // Entries another program wrote with names and styles stay as they were.
    WriteBytes(f.startup, "#FOLDER\n\tNAME=startupurl\n#URL\n\tNAME=Home\n\tURL=http://h\n\tSTYLE=16\n-\n");
    ASSERT_TRUE(AddToStartupList(f.startup, "http://y").ok);
    std::vector<UrlItem> items;
    ReadItemList(f.startup, items);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, "Home");
    EXPECT_EQ(items[0].style, 16u);
    EXPECT_EQ(items[1].url, "http://y");
    // A startup list that cannot be read is not replaced (a FIFO: a write
    // would replace it, unlike a folder).
    std::string blocked = f.dir.File("fifo.fbl");
    fern::testing::FifoInPlace fifo(blocked);
    ASSERT_TRUE(fifo.Made());
    EXPECT_FALSE(AddToStartupList(blocked, "http://z").ok);
    EXPECT_TRUE(fifo.StillThere());

    test::SessionTestFrame s;
    WriteBytes(f.state,
               "#FOLDER\n\tNAME=UrlList\n#URL\n\tURL=http://1\n#URL\n#URL\n\tURL=http://2\n\tSTYLE=x\n");
    EXPECT_TRUE(OpenUrlListFile(f.state, s.Opener()).ok);
    EXPECT_EQ(s.Urls(), "http://1 http://2");
    EXPECT_EQ(s.calls[1], (OpenCall{"http://2", 3, 0, 0}));
    EXPECT_FALSE(OpenUrlListFile(f.dir.File("missing.fbl"), s.Opener()).ok);
}

TEST(AutoSave, DialogAnswersAreWrittenAndSurviveARestart) {
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    CSettingsService settings(store);
    EXPECT_EQ(AutoSaveDialogValue(settings.Live().autoSave), 1);

    AutoSaveTimer ok = ChooseAutoSave(settings, true, 15);
    EXPECT_TRUE(ok.run);
    EXPECT_EQ(ok.minutes, 15);
    EXPECT_TRUE(ok.saved);
    EXPECT_EQ(profile.Get("AutoSave", "ASStyle"), "1");
    EXPECT_EQ(profile.Get("AutoSave", "ASInterval"), "15");

    AutoSaveTimer cancel = ChooseAutoSave(settings, false, 40);
    EXPECT_FALSE(cancel.run);
    AutoSaveSettings restarted;
    restarted.Load(store);
    EXPECT_FALSE(restarted.enabled);
    EXPECT_EQ(restarted.style, 0);
    EXPECT_EQ(restarted.intervalMinutes, 15);

    restarted.intervalMinutes = 0;
    EXPECT_EQ(AutoSaveDialogValue(restarted), 1);
    restarted.intervalMinutes = 500;
    EXPECT_EQ(AutoSaveDialogValue(restarted), 60);
    profile.failWrites = true;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ChooseAutoSave(settings, true, 5).saved);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(settings.Live().autoSave.intervalMinutes, 5);  // in effect until the end all the same
}

TEST(StateLog, EditedItemListKeepsEachItemOnceAndNewAddressesGetDefaults) {
    auto item = [](const char* url, std::uint32_t style, const char* name) {
        UrlItem i;
        i.url = url;
        i.style = style;
        i.name = name;
        return i;
    };
    std::vector<UrlItem> before{item("http://a", 0x10, "A"), item("http://b", 0x80, "B"),
                                item("http://a", 0x20, "A2")};
    // Reordered, one duplicate address used three times, one new address.
    std::vector<UrlItem> after =
        EditedItemList(before, {"http://b", "http://a", "http://new", "http://a", "http://a"});
    ASSERT_EQ(after.size(), 5u);
    struct Row {
        const char* url;
        std::uint32_t style;
        const char* name;
    } expected[] = {{"http://b", 0x80, "B"},
                    {"http://a", 0x10, "A"},
                    {"http://new", 112, ""},
                    {"http://a", 0x20, "A2"},
                    {"http://a", 112, ""}};
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].url, expected[i].url) << i;
        EXPECT_EQ(after[i].style, expected[i].style) << i;
        EXPECT_EQ(after[i].name, expected[i].name) << i;
    }
    EXPECT_TRUE(EditedItemList(before, {}).empty());
}
