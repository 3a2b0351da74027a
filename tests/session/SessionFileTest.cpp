#include <gtest/gtest.h>

#include <string>

#include "TestData.h"
#include "platform/fs/FileIo.h"
#include "session/SessionFile.h"

using namespace fern;

namespace {

SessionState Sample() {
    SessionState s;
    SessionTab a;
    a.url = "http://a.example/ソ?q=100%";
    a.title = "表示\tand\r\nbreaks";  // "表" and "ソ" end in 0x5C / 0x5C-like trail bytes
    a.dlc = 0x90;
    a.locked = true;
    a.back = {{"http://a.example/1", "一"}, {"http://a.example/0", ""}};
    a.forward = {{"http://a.example/2", "二%41"}};
    SessionTab b;
    b.url = "http://b.example/";
    b.loading = true;
    s.tabs = {a, b};
    s.selected = 1;
    SessionTab c;
    c.url = "http://pending.example/";
    c.title = "保留";
    s.pending = {c};
    return s;
}

}  // namespace

TEST(SessionFile, RoundTripKeepsEveryFieldByteForByte) {
    SessionState s = Sample();
    for (bool closed : {false, true}) {
        s.closed = closed;
        SessionReadResult read = ParseSession(SerializeSession(s));
        EXPECT_TRUE(read.whole);
        EXPECT_EQ(read.state, s);
    }
}

TEST(SessionFile, EveryCutIsNotWholeAndKeepsTheTabsBeforeIt) {
    std::string bytes = SerializeSession(Sample());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        SessionReadResult read = ParseSession(std::string_view(bytes).substr(0, n));
        ASSERT_FALSE(read.whole) << "cut at " << n;
        ASSERT_LE(read.state.tabs.size(), 2u);
    }
    std::size_t second = bytes.find("#TAB", bytes.find("#TAB") + 1);
    EXPECT_EQ(ParseSession(std::string_view(bytes).substr(0, second)).state.tabs.size(), 1u);
}

TEST(SessionFile, ADamagedByteOrATrailingLineMakesItNotWhole) {
    std::string bytes = SerializeSession(Sample());
    std::string flipped = bytes;
    flipped[bytes.find("b.example")] = 'c';
    EXPECT_FALSE(ParseSession(flipped).whole);
    EXPECT_EQ(ParseSession(flipped).state.tabs[1].url, "http://c.example/");
    EXPECT_FALSE(ParseSession(bytes + "URL=x\n").whole);
    // CR LF line ends (a file passed through an editor) still read, but the
    // sum no longer agrees.
    std::string crlf;
    for (char c : bytes) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ParseSession(crlf).state.tabs, Sample().tabs);
    EXPECT_FALSE(ParseSession(crlf).whole);
}

TEST(SessionFile, GarbageGivesWhatCanBeReadAndNeverAWholeFile) {
    EXPECT_FALSE(ParseSession("").whole);
    EXPECT_TRUE(ParseSession(std::string("\0\xff\x81", 3)).state.tabs.empty());
    SessionReadResult read =
        ParseSession("#TAB\nURL=%zz%4\nDLC=-1\nLOCK=7\nSELECTED=99\n#TAB\nBACK=nourl-tab\n");
    ASSERT_EQ(read.state.tabs.size(), 2u);
    EXPECT_EQ(read.state.tabs[0].url, "%zz%4");
    EXPECT_EQ(read.state.tabs[0].dlc, 0xFFFFFFFFu);
    EXPECT_FALSE(read.state.tabs[0].locked);
    EXPECT_EQ(read.state.selected, -1);
    EXPECT_EQ(read.state.tabs[1].back[0].url, "nourl-tab");
    // A forged end line without the right sum is not enough.
    EXPECT_FALSE(ParseSession("FERNSESSION 1\n#TAB\nURL=x\nEND=1 0000\n").whole);
}

TEST(SessionFile, LargeSessionsAndLongAddressesRoundTrip) {
    SessionState s;
    s.tabs.resize(100000);
    for (std::size_t i = 0; i < s.tabs.size(); ++i) s.tabs[i].url = "http://h/" + std::to_string(i);
    s.tabs[7].url = "http://long/" + std::string(100 * 1024, 'a');
    s.tabs[8].back.assign(kSessionHistoryLimit + 20, {"http://b/", "b"});
    SessionReadResult read = ParseSession(SerializeSession(s));
    EXPECT_TRUE(read.whole);
    ASSERT_EQ(read.state.tabs.size(), 100000u);
    EXPECT_EQ(read.state.tabs[7].url.size(), 12u + 100 * 1024);
    EXPECT_EQ(read.state.tabs[8].back.size(), kSessionHistoryLimit);
}

TEST(SessionFile, TheFixturesReadAsWrittenByHand) {
    auto read = [](const char* name) {
        return ParseSession(
            ReadWholeFile(fern::testing::Fixture(std::string("session/") + name)).value_or(""));
    };
    SessionReadResult open = read("open.fss");
    EXPECT_TRUE(open.whole);
    ASSERT_EQ(open.state.tabs.size(), 2u);
    EXPECT_EQ(open.state.tabs[0].url, "http://a.example.jp/ソ?q=100%");
    EXPECT_EQ(open.state.tabs[0].title, "表示\tタブ");
    EXPECT_EQ(open.state.tabs[0].back[0].title, "前の頁");
    EXPECT_TRUE(open.state.tabs[1].loading);
    EXPECT_EQ(open.state.pending.size(), 1u);
    EXPECT_EQ(open.state.selected, 1);
    EXPECT_TRUE(read("closed.fss").whole && read("closed.fss").state.closed);
    EXPECT_FALSE(read("cut.fss").whole);
    EXPECT_FALSE(read("crlf.fss").whole);
    EXPECT_EQ(read("crlf.fss").state.tabs, open.state.tabs);
}
