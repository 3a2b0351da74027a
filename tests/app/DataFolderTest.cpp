#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/DataPaths.h"
#include "fakes/FakeProfile.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

using namespace fern;

TEST(DataFolderRule, CommandLineThenEnvironmentThenWritableExecutableFolderThenXdg) {
    DataFolderSources all;
    all.commandLine = "/cli";
    all.environment = "/env";
    all.executableFolder = "/opt/fern/bin";
    all.executableFolderWritable = true;
    all.xdgConfigHome = "/xdg";
    all.home = "/home/u";
    all.currentFolder = "/work";

    // Each step takes away the source that won the step before.
    DataFolderSources s = all;
    EXPECT_EQ(ChooseDataFolder(s), "/cli");
    s.commandLine.reset();
    EXPECT_EQ(ChooseDataFolder(s), "/env");
    s.environment = "";
    EXPECT_EQ(ChooseDataFolder(s), "/opt/fern/bin");
    s.executableFolderWritable = false;
    EXPECT_EQ(ChooseDataFolder(s), "/xdg/fern");
    s.xdgConfigHome.reset();
    EXPECT_EQ(ChooseDataFolder(s), "/home/u/.config/fern");
    // A relative XDG_CONFIG_HOME is ignored, and so is an unknown executable folder.
    s.xdgConfigHome = "conf", s.home = "/home/u/";
    s.executableFolder.clear(), s.executableFolderWritable = true;
    EXPECT_EQ(ChooseDataFolder(s), "/home/u/.config/fern");
    // The option: relative to the current folder, no trailing slashes, any name.
    for (auto [option, expected] : {std::pair{"data/", "/work/data"}, {"/d//", "/d"}, {"/ソフト", "/ソフト"}}) {
        s.commandLine = option;
        EXPECT_EQ(ChooseDataFolder(s), expected) << option;
    }

    DataFolderSources none;
    std::string error;
    EXPECT_FALSE(ChooseDataFolder(none, &error));
    EXPECT_FALSE(error.empty());
}

TEST(DataFolderRule, TheChosenFolderIsCreatedAndAFileIsRefused) {
    fern::testing::TempFolder tmp;
    std::string base = tmp.Path();
    CommandLine cl;
    cl.dataDir = base + "/a/データ";
    std::string error;
    EXPECT_EQ(ResolveDataFolder(cl, &error), cl.dataDir) << error;
    EXPECT_TRUE(IsDirectory(*cl.dataDir));

    ASSERT_TRUE(WriteFileAtomic(base + "/file", "x"));
    cl.dataDir = base + "/file";
    EXPECT_FALSE(ResolveDataFolder(cl, &error));
    EXPECT_NE(error.find("file"), std::string::npos);
}

TEST(CommandLineArguments, DataDirIsTakenOutAndEverythingElseStaysInOrder) {
    std::vector<std::string> args = {"http://a/", "--data-dir", "/d1", "b.fbl",
                                     "--data-dir=/d2", "--data-dirx", "\xE3\x82\xBD.url"};
    CommandLine cl = ParseCommandLine(args);
    ASSERT_TRUE(cl.Ok()) << cl.error;
    EXPECT_EQ(cl.dataDir, "/d2");
    EXPECT_EQ(cl.arguments,
              (std::vector<std::string>{"http://a/", "b.fbl", "--data-dirx", "ソ.url"}));

    for (std::vector<std::string> bad : {std::vector<std::string>{"x", "--data-dir"},
                                         std::vector<std::string>{"--data-dir="},
                                         std::vector<std::string>{"--data-dir", ""},
                                         // An emoji: no Shift-JIS form, so another folder.
                                         std::vector<std::string>{"--data-dir=/t/\xF0\x9F\x98\x80"}}) {
        CommandLine e = ParseCommandLine(bad);
        EXPECT_FALSE(e.Ok());
        EXPECT_NE(e.error.find("--data-dir"), std::string::npos);
    }
    EXPECT_TRUE(ParseCommandLine(std::vector<std::string>{}).arguments.empty());

    CommandLine shot = ParseCommandLine(std::vector<std::string>{"--screenshot", "/t/s.png", "u"});
    EXPECT_EQ(shot.screenshot, "/t/s.png");
    EXPECT_EQ(shot.arguments, std::vector<std::string>{"u"});
    EXPECT_FALSE(ParseCommandLine(std::vector<std::string>{"--screenshot"}).Ok());
}

TEST(DataPathsRule, AnEmptyBookmarkPathBecomesBookmarkFblAndIsWrittenBackAtOnce) {
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    DataPaths paths = MakeDataPaths("/data");
    EXPECT_EQ(ResolveBookmarkPath(store, paths), "/data/bookmark.fbl");
    EXPECT_EQ(profile.Get("Bookmark", "BKBookmarkPath"), "/data/bookmark.fbl");

    profile.Set("Bookmark", "BKBookmarkPath", "/elsewhere/ブック.fbl");
    int writes = profile.writes;
    EXPECT_EQ(ResolveBookmarkPath(store, paths), "/elsewhere/ブック.fbl");
    EXPECT_EQ(profile.writes, writes);

    // The profile cannot be written: the default is used all the same.
    profile.Set("Bookmark", "BKBookmarkPath", "");
    profile.failWrites = true;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ResolveBookmarkPath(store, paths), "/data/bookmark.fbl");
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("[Bookmark]"), std::string::npos);
}
