#include <gtest/gtest.h>

#include <cstdlib>
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
    all.executableFolderHasResources = true;
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
    // Installed under a prefix (no res/ beside it), even root's writable bin/
    // is not the data folder.
    s.executableFolderHasResources = false;
    EXPECT_EQ(ChooseDataFolder(s), "/xdg/fern");
    s.executableFolderHasResources = true;
    s.executableFolderWritable = false;
    EXPECT_EQ(ChooseDataFolder(s), "/xdg/fern");
    s.xdgConfigHome.reset();
    EXPECT_EQ(ChooseDataFolder(s), "/home/u/.config/fern");
    // A relative XDG_CONFIG_HOME is ignored, and so is an unknown executable folder.
    s.xdgConfigHome = "conf", s.home = "/home/u/";
    s.executableFolder.clear(), s.executableFolderWritable = true;
    EXPECT_EQ(ChooseDataFolder(s), "/home/u/.config/fern");
    // The option: relative to the current folder, no trailing slashes, any name.
    for (auto [option, expected] :
         {std::pair{"data/", "/work/data"}, {"/d//", "/d"}, {"/ソフト", "/ソフト"}}) {
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
    cl.dataDir = base + "/a/" + ToUtf8("データ");
    std::string error;
    EXPECT_EQ(ResolveDataFolder(cl, &error), cl.dataDir) << error;
    EXPECT_TRUE(IsDirectory(*cl.dataDir));

    // Characters Shift-JIS cannot hold, from the environment: the folder is
    // used as it is named, not refused and not renamed.
    std::string cafe = base + "/jos\xC3\xA9";
    setenv("FERN_DATA_DIR", cafe.c_str(), 1);
    EXPECT_EQ(ResolveDataFolder(CommandLine{}, &error), cafe) << error;
    unsetenv("FERN_DATA_DIR");
    EXPECT_TRUE(IsDirectory(cafe));

    ASSERT_TRUE(WriteFileAtomic(base + "/file", "x"));
    cl.dataDir = base + "/file";
    EXPECT_FALSE(ResolveDataFolder(cl, &error));
    EXPECT_NE(error.find("file"), std::string::npos);
}

// This test program lies in a writable build folder without res/, as an
// installed fern lies in bin/: its folder is no data folder, even for root.
TEST(DataFolderRule, AnExecutableWithoutItsResourcesKeepsItsDataInTheUsersFolder) {
    fern::testing::TempFolder tmp;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    std::string previous = saved ? saved : "";
    unsetenv("FERN_DATA_DIR");
    setenv("XDG_CONFIG_HOME", tmp.Path().c_str(), 1);
    std::string error;
    EXPECT_EQ(ResolveDataFolder(CommandLine{}, &error), tmp.Path() + "/fern") << error;
    if (saved) setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}

TEST(CommandLineArguments, DataDirIsTakenOutAndEverythingElseStaysInOrder) {
    std::vector<std::string> args = {"http://a/",   "--data-dir",      "/d1", "b.fbl", "--data-dir=/d2",
                                     "--data-dirx", "\xE3\x82\xBD.url"};
    CommandLine cl = ParseCommandLine(args);
    ASSERT_TRUE(cl.Ok()) << cl.error;
    EXPECT_EQ(cl.dataDir, "/d2");
    EXPECT_EQ(cl.arguments, (std::vector<std::string>{"http://a/", "b.fbl", "--data-dirx", "ソ.url"}));
    // A folder name is the file system's, whatever characters it holds.
    EXPECT_EQ(ParseCommandLine(std::vector<std::string>{"--data-dir=/t/\xF0\x9F\x98\x80"}).dataDir,
              "/t/\xF0\x9F\x98\x80");

    for (std::vector<std::string> bad :
         {std::vector<std::string>{"x", "--data-dir"}, std::vector<std::string>{"--data-dir="},
          std::vector<std::string>{"--data-dir", ""}}) {
        CommandLine e = ParseCommandLine(bad);
        EXPECT_FALSE(e.Ok());
        EXPECT_NE(e.error.find("--data-dir"), std::string::npos);
    }
    EXPECT_TRUE(ParseCommandLine(std::vector<std::string>{}).arguments.empty());

    CommandLine shot = ParseCommandLine(std::vector<std::string>{"--screenshot", "/t/s.png", "u"});
    EXPECT_EQ(shot.screenshot, "/t/s.png");
    EXPECT_EQ(shot.arguments, std::vector<std::string>{"u"});
    EXPECT_FALSE(ParseCommandLine(std::vector<std::string>{"--screenshot"}).Ok());
    CommandLine version = ParseCommandLine(std::vector<std::string>{"u", "--version"});
    EXPECT_TRUE(version.version);
    EXPECT_EQ(version.arguments, std::vector<std::string>{"u"});
}

TEST(DataPathsRule, AnEmptyBookmarkPathBecomesBookmarkFblAndIsWrittenBackAtOnce) {
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    DataPaths paths = MakeDataPaths("/data");
    EXPECT_EQ(ResolveBookmarkPath(store, paths), "/data/bookmark.fbl");
    EXPECT_EQ(profile.Get("Bookmark", "BKBookmarkPath"), "/data/bookmark.fbl");

    profile.Set("Bookmark", "BKBookmarkPath", "/elsewhere/ブック.fbl");
    int writes = profile.writes;
    EXPECT_EQ(ResolveBookmarkPath(store, paths), ToUtf8("/elsewhere/ブック.fbl"));  // the file system's bytes
    EXPECT_EQ(profile.writes, writes);

    // A folder Shift-JIS cannot name is stored as a URI and read back whole.
    profile.Set("Bookmark", "BKBookmarkPath", "");
    DataPaths cafe = MakeDataPaths("/home/jos\xC3\xA9/.config/fern");
    EXPECT_EQ(ResolveBookmarkPath(store, cafe), cafe.defaultBookmarks);
    EXPECT_EQ(profile.Get("Bookmark", "BKBookmarkPath"), "file:///home/jos%C3%A9/.config/fern/bookmark.fbl");
    EXPECT_EQ(ResolveBookmarkPath(store, paths), cafe.defaultBookmarks);

    // The profile cannot be written: the default is used all the same.
    profile.Set("Bookmark", "BKBookmarkPath", "");
    profile.failWrites = true;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ResolveBookmarkPath(store, paths), "/data/bookmark.fbl");
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("[Bookmark]"), std::string::npos);
}
