#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ManualTimers.h"
#include "lists/TempFolder.h"
#include "session/SessionFile.h"
#include "session/SessionGenerations.h"
#include "session/SessionSaver.h"

using namespace fern;
using fern::testing::TempFolder;

namespace {

struct RecordingWriter : ISessionWriter {
    std::vector<SessionState> written;
    bool flushed = false;
    void Write(std::string bytes) override { written.push_back(ParseSession(bytes).state); }
    bool Flush() override { return flushed = true; }
};

struct Saver {
    test::ManualTimers timers;
    RecordingWriter writer;
    SessionState state;
    SessionSaver saver{timers, [this] { return state; }, writer};

    void Open(const std::string& url) {
        state.tabs.emplace_back();
        state.tabs.back().url = url;
    }
};

}  // namespace

TEST(SessionSaver, WritesAtStartThenOnlyChangesWithinABeat) {
    Saver s;
    s.Open("http://a/");
    s.saver.Start();
    ASSERT_EQ(s.writer.written.size(), 1u);
    s.timers.Advance(5 * kSessionBeatMs);
    EXPECT_EQ(s.writer.written.size(), 1u);  // nothing changed

    s.Open("http://b/");
    s.timers.Advance(kSessionBeatMs);
    ASSERT_EQ(s.writer.written.size(), 2u);
    EXPECT_EQ(s.writer.written.back().tabs.size(), 2u);
    EXPECT_FALSE(s.writer.written.back().closed);

    s.state.tabs[0].title = "t";
    s.timers.Advance(kSessionBeatMs);
    EXPECT_EQ(s.writer.written.size(), 3u);
}

TEST(SessionSaver, CloseWritesTheClosedMarkOnceAndStopsTheBeat) {
    Saver s;
    s.Open("http://a/");
    s.saver.Start();
    EXPECT_TRUE(s.saver.Close());
    EXPECT_TRUE(s.writer.flushed);
    ASSERT_EQ(s.writer.written.size(), 2u);
    EXPECT_TRUE(s.writer.written.back().closed);
    EXPECT_EQ(s.writer.written.back().tabs, s.state.tabs);
    s.Open("http://b/");
    s.timers.Advance(10 * kSessionBeatMs);
    EXPECT_TRUE(s.saver.Close());
    EXPECT_EQ(s.writer.written.size(), 2u);
    EXPECT_EQ(s.timers.Count(), 0u);
}

TEST(SessionFileWriter, WritesTheNewestBytesAsTheNewestGeneration) {
    TempFolder dir;
    SessionState state;
    state.tabs.resize(1);
    {
        SessionFileWriter writer(dir.Path());
        for (const char* url : {"a", "b", "c", "d"}) {
            state.tabs[0].url = url;
            writer.Write(SerializeSession(state));
        }
        EXPECT_TRUE(writer.Flush());
        SessionLoad load = LoadSession(dir.Path());
        EXPECT_EQ(load.state.tabs[0].url, "d");
        state.tabs[0].url = "e";
        writer.Write(SerializeSession(state));
    }
    // Bytes given before the writer ends are written.
    EXPECT_EQ(LoadSession(dir.Path()).state.tabs[0].url, "e");
}

TEST(SessionFileWriter, AFailedWriteIsReported) {
    TempFolder dir;
    SessionFileWriter writer(dir.File("no-such-folder"));
    writer.Write(SerializeSession(SessionState()));
    EXPECT_FALSE(writer.Flush());
}
