#include "history/HistoryRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fern;

namespace {

struct FakeWriter : IHistoryWriter {
    std::vector<std::string> calls;
    std::size_t lastBytes = 0;
    void RecordVisit(std::string url, HistoryTime when) override {
        calls.push_back("visit " + url + " " + std::to_string(when));
    }
    void SetTitle(std::string url, std::string title) override {
        calls.push_back("title " + url + " " + title);
    }
    void StorePage(std::string url, std::string bytes, HistoryTime) override {
        lastBytes = bytes.size();
        calls.push_back("page " + url + " " + bytes.substr(0, 10));
    }
};

TEST(HistoryRecorder, RecordableAddresses) {
    struct Case {
        const char* url;
        bool recorded;
    } cases[] = {
        {"http://a.example/", true},    {"HTTPS://a.example/", true},
        {"ftp://a.example/f", true},    {"file:///tmp/a.html", true},
        {"about:blank", false},         {"view-source:http://a/", false},
        {"data:text/html,<p>x", false}, {"javascript:alert(1)", false},
        {"blob:http://a/1", false},     {"", false},
        {"no scheme", false},           {":nothing", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsRecordableUrl(c.url), c.recorded) << c.url;
}

TEST(HistoryRecorder, PageBytesKeptOnlyForTextFromTheWeb) {
    const std::string html = "<html>本文</html>";
    struct Case {
        const char* url;
        const char* mime;
        std::string bytes;
        bool kept;
    } cases[] = {
        {"http://a/", "text/html", html, true},
        {"https://a/", "text/plain; charset=Shift_JIS", "text", true},
        {"http://a/", "application/xhtml+xml", html, true},
        {"http://a/", "image/svg+xml", "<svg/>", true},
        {"http://a/", "application/json", "{}", true},
        {"http://a/", "image/png", "\x89PNG", false},
        {"http://a/", "application/octet-stream", "bytes", false},
        {"http://a/", "text/html", std::string("<p>\0\0binary", 12), false},
        {"http://a/", "text/html", std::string("\xFF\xFE<\0p\0>\0", 8), true},
        {"http://a/", "text/html", "", false},
        {"file:///tmp/a.html", "text/html", html, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepsPageBytes(c.url, c.mime, c.bytes), c.kept) << c.url << " " << c.mime;
}

struct RecorderFixture : ::testing::Test {
    FakeWriter writer;
    bool offline = false, privately = false, keepTexts = true;
    HistoryTime now = 1000;
    int view1 = 0, view2 = 0;
    CHistoryRecorder recorder{writer, [this] { return now; },
                              RecordingRules{[this] { return offline; }, [this] { return privately; },
                                             [this] { return keepTexts; }, 16}};
};

TEST_F(RecorderFixture, AVisitItsTitleAndItsBytes) {
    recorder.Committed(&view1, "http://a.example/");
    recorder.TitleChanged(&view1, "");
    recorder.TitleChanged(&view1, "題名");
    EXPECT_TRUE(recorder.WantsPageBytes(&view1, "http://a.example/", "text/html"));
    EXPECT_FALSE(recorder.WantsPageBytes(&view1, "http://a.example/", "image/png"));
    EXPECT_FALSE(recorder.WantsPageBytes(&view2, "http://a.example/", "text/html"));
    recorder.MainResourceLoaded(&view1, "http://a.example/", "text/html", "<p>page text that is long</p>");
    EXPECT_EQ(writer.calls,
              (std::vector<std::string>{"visit http://a.example/ 1000", "title http://a.example/ 題名",
                                        "page http://a.example/ <p>page te"}));
    // Only the bytes the store keeps leave the main loop.
    EXPECT_EQ(writer.lastBytes, 16u);
}

TEST_F(RecorderFixture, EachTabKeepsItsOwnPage) {
    recorder.Committed(&view1, "http://a.example/");
    recorder.Committed(&view2, "about:blank");
    recorder.TitleChanged(&view2, "blank");
    recorder.MainResourceLoaded(&view2, "about:blank", "text/html", "<p>");
    // Bytes of an address the tab no longer shows are not its page's.
    recorder.Committed(&view1, "http://b.example/");
    recorder.MainResourceLoaded(&view1, "http://a.example/", "text/html", "<p>old</p>");
    recorder.ViewGone(&view1);
    recorder.TitleChanged(&view1, "gone");
    EXPECT_EQ(writer.calls,
              (std::vector<std::string>{"visit http://a.example/ 1000", "visit http://b.example/ 1000"}));
}

TEST_F(RecorderFixture, NothingWhileOfflineOrPrivateAndNoBytesWhenTextsAreNotKept) {
    offline = true;
    recorder.Committed(&view1, "file:///tmp/a.html");
    recorder.TitleChanged(&view1, "offline");
    offline = false;
    privately = true;
    recorder.Committed(&view1, "http://private.example/");
    recorder.TitleChanged(&view1, "private");
    privately = false;
    keepTexts = false;
    recorder.Committed(&view1, "http://a.example/");
    recorder.MainResourceLoaded(&view1, "http://a.example/", "text/html", "<p>text</p>");
    EXPECT_EQ(writer.calls, (std::vector<std::string>{"visit http://a.example/ 1000"}));
}

}  // namespace
