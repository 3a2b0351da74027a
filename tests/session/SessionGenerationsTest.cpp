#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"
#include "session/SessionFile.h"
#include "session/SessionGenerations.h"

using namespace fern;
using fern::testing::TempFolder;

namespace {

std::string Bytes(const std::string& url) {
    SessionState s;
    s.tabs.resize(1);
    s.tabs[0].url = url;
    return SerializeSession(s);
}

std::string UrlIn(const std::string& folder, int generation) {
    auto bytes = ReadWholeFile(SessionGenerationPath(folder, generation));
    if (!bytes) return "-";
    SessionReadResult read = ParseSession(*bytes);
    return read.state.tabs.empty() ? "" : read.state.tabs[0].url;
}

void Save(const TempFolder& dir, const std::string& url) {
    std::string error;
    ASSERT_TRUE(SaveSessionGeneration(dir.Path(), Bytes(url), &error)) << error;
}

}  // namespace

TEST(SessionGenerations, SavesRotateThroughThreeGenerations) {
    TempFolder dir;
    EXPECT_FALSE(LoadSession(dir.Path()).found);
    for (const char* url : {"a", "b", "c", "d"}) Save(dir, url);
    EXPECT_EQ(UrlIn(dir.Path(), 1), "d");
    EXPECT_EQ(UrlIn(dir.Path(), 2), "c");
    EXPECT_EQ(UrlIn(dir.Path(), 3), "b");
    SessionLoad load = LoadSession(dir.Path());
    EXPECT_TRUE(load.whole);
    EXPECT_EQ(load.generation, 1);
    EXPECT_EQ(load.state.tabs[0].url, "d");
    EXPECT_TRUE(load.damaged.empty());
}

TEST(SessionGenerations, ADamagedNewestFallsBackToTheNextAndSaysSo) {
    TempFolder dir;
    for (const char* url : {"a", "b", "c"}) Save(dir, url);
    std::filesystem::resize_file(SessionGenerationPath(dir.Path(), 1), 20);
    SessionLoad load = LoadSession(dir.Path());
    EXPECT_EQ(load.generation, 2);
    EXPECT_TRUE(load.whole);
    EXPECT_EQ(load.state.tabs[0].url, "b");
    EXPECT_EQ(load.damaged, std::vector<int>{1});

    // A newest one missing (a save cut off between its moves) is no damage.
    std::filesystem::remove(SessionGenerationPath(dir.Path(), 1));
    load = LoadSession(dir.Path());
    EXPECT_EQ(load.generation, 2);
    EXPECT_TRUE(load.damaged.empty());
}

TEST(SessionGenerations, NoWholeGenerationGivesWhatCanBeReadOfTheNewest) {
    TempFolder dir;
    for (const char* url : {"a", "b"}) Save(dir, url);
    for (int g : {1, 2}) {
        std::string bytes = *ReadWholeFile(SessionGenerationPath(dir.Path(), g));
        ASSERT_TRUE(WriteFileAtomic(SessionGenerationPath(dir.Path(), g), bytes.substr(0, bytes.size() - 5)));
    }
    SessionLoad load = LoadSession(dir.Path());
    EXPECT_TRUE(load.found);
    EXPECT_FALSE(load.whole);
    EXPECT_EQ(load.state.tabs[0].url, "b");
    EXPECT_EQ(load.damaged, (std::vector<int>{1, 2}));
}

TEST(SessionGenerations, LeftoversOfCutSavesGoAndNothingElse) {
    TempFolder dir;
    Save(dir, "a");
    for (const char* name :
         {"session1.fss.AB12cd", "session3.fss.zzzzzz", "session1.fss.toolong", "bookmark.fbl.AB12cd"})
        ASSERT_TRUE(WriteFileAtomic(dir.File(name), "x"));
    RemoveSessionLeftovers(dir.Path());
    EXPECT_FALSE(IsRegularFile(dir.File("session1.fss.AB12cd")));
    EXPECT_FALSE(IsRegularFile(dir.File("session3.fss.zzzzzz")));
    EXPECT_TRUE(IsRegularFile(dir.File("session1.fss.toolong")));
    EXPECT_TRUE(IsRegularFile(dir.File("bookmark.fbl.AB12cd")));
    EXPECT_EQ(UrlIn(dir.Path(), 1), "a");
}
