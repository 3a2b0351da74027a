#include <gtest/gtest.h>

#include <sys/socket.h>

#include "frame/SessionTestFrame.h"
#include "platform/dde/DdeFrame.h"
#include "platform/dde/DdeServiceName.h"
#include "platform/dde/DdeSocket.h"
#include "platform/text/SjisByteClass.h"
#include "tools/dde/DdeFrameService.h"
#include "tools/dde/DdeItemArguments.h"
#include "tools/dde/DdeTestSupport.h"
#include "tools/dde/FernDDEClient.h"

// Messages are written with designated initializers naming only the fields they use.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace fern;
using fern::test::FakeDdeBrowser;
using fern::test::RunClient;
using fern::test::ScopedRuntimeDir;
using fern::test::TestClient;
using fern::test::WithNul;

namespace {

class FernDDEClientTest : public ::testing::Test {
protected:
    ScopedRuntimeDir runtime;
    std::string service = test::UniqueService("FBTEST");
    FakeDdeBrowser browser;
    CFernDDEClient server{browser};

    void SetUp() override {
        ASSERT_TRUE(server.Create(service));
        server.AddBrowserTopics();
        browser.tabs = {{"http://a/", "ページA"}, {"http://b/", "B"}, {"http://c/", "C"}};
        browser.active = 1;
    }

    // One request on a fresh conversation; nullopt when not processed.
    std::optional<std::string> Ask(const std::string& topic, const std::string& item, UINT format = CF_TEXT) {
        std::optional<std::string> answer;
        RunClient([&] {
            TestClient c;
            if (c.Connect(service, topic)) answer = c.Request(item, format);
        });
        return answer;
    }
};

}  // namespace

TEST(DdeItemArguments, FirstArgumentAndWindowIds) {
    EXPECT_EQ(DdeFirstArgument("\"http://a/b?c\",\"\",0xFFFFFFFF,0x0"), "http://a/b?c");
    EXPECT_EQ(DdeFirstArgument("http://a/"), "http://a/");
    EXPECT_EQ(DdeFirstArgument("\"\",x"), "");
    EXPECT_EQ(DdeFirstArgument("C:\\ソフト\\a.html"), "C:\\ソフト\\a.html");  // trail bytes untouched
    EXPECT_EQ(DdeWindowIdToTab("1", 3, 2), 0);
    EXPECT_EQ(DdeWindowIdToTab("  +3xyz", 3, 2), 2);
    EXPECT_EQ(DdeWindowIdToTab("0xFFFFFFFF", 3, 2), 2);
    EXPECT_EQ(DdeWindowIdToTab("0xffffffff", 3, 2), 2);
    EXPECT_EQ(DdeWindowIdToTab("0", 3, 2), 2);
    EXPECT_EQ(DdeWindowIdToTab("tab", 3, 1), 1);
    EXPECT_EQ(DdeWindowIdToTab("4", 3, 2), -1);
    EXPECT_EQ(DdeWindowIdToTab("-1", 3, 2), -1);
    EXPECT_EQ(DdeWindowIdToTab("0", 3, -1), -1);
    EXPECT_EQ(DdeWindowIdToTab("\"1\"", 3, 2), 2);  // taken whole: the quote reads as 0
}

TEST_F(FernDDEClientTest, OpenUrlAndShowFileOpenTheFirstArgumentInTheCurrentTab) {
    EXPECT_EQ(Ask("WWW_OpenURL", "\"http://x/\",\"\",0xFFFFFFFF,0x0"), "");
    EXPECT_EQ(Ask("www_openurl", "http://y/"), "");
    EXPECT_EQ(Ask("WWW_ShowFile", "/tmp/ソフト.html"), "");
    EXPECT_EQ(Ask("WWW_OpenURL", "", 7), std::nullopt);
    EXPECT_EQ(Ask("WWW_OpenURL", "\"\""), std::nullopt);
    EXPECT_EQ(browser.opened,
              (std::vector<std::string>{"http://x/ 2 -1 1", "http://y/ 2 -1 1", "/tmp/ソフト.html 2 -1 1"}));
}

TEST_F(FernDDEClientTest, WindowInfoAnswersQuotedUrlAndTitleOfTheTabTheIdNames) {
    EXPECT_EQ(Ask("WWW_GetWindowInfo", "1"), WithNul("\"http://a/\",\"ページA\",\"\""));
    EXPECT_EQ(Ask("WWW_GetWindowInfo", "0xFFFFFFFF"), WithNul("\"http://b/\",\"B\",\"\""));
    EXPECT_EQ(Ask("WWW_GetWindowInfo", "4"), std::nullopt);
    EXPECT_EQ(Ask("WWW_GetWindowInfo", "1", 2), std::nullopt);
    browser.active = -1;
    EXPECT_EQ(Ask("WWW_GetWindowInfo", "0xFFFFFFFF"), std::nullopt);

    // An answer too large for one frame is "not processed"; the conversation goes on.
    browser.tabs[0].url = "http://a/" + std::string(1100 * 1024, 'x');
    std::optional<std::string> big = "x", next;
    RunClient([&] {
        TestClient c;
        ASSERT_TRUE(c.Connect(service, "WWW_GetWindowInfo"));
        big = c.Request("1");
        next = c.Request("2");
    });
    EXPECT_EQ(big, std::nullopt);
    EXPECT_EQ(next, WithNul("\"http://b/\",\"B\",\"\""));
}

TEST_F(FernDDEClientTest, ListWindowsAnswers499BytesOfIds) {
    std::optional<std::string> three = Ask("wwW_listwindows", "ignored");
    ASSERT_TRUE(three);
    ASSERT_EQ(three->size(), 499u);
    EXPECT_EQ(three->substr(0, 12), std::string("\1\0\0\0\2\0\0\0\3\0\0\0", 12));
    EXPECT_EQ(three->find_first_not_of('\0', 12), std::string::npos);

    // More tabs than the table holds: the table is full, nothing beyond it.
    browser.tabs.assign(600, {"http://z/", "Z"});
    std::optional<std::string> many = Ask("WWW_ListWindows", "x", 5);
    ASSERT_TRUE(many);
    ASSERT_EQ(many->size(), 499u);
    EXPECT_EQ(static_cast<unsigned char>((*many)[4 * 123]), 124);
    EXPECT_EQ(many->substr(496), std::string("\x7d\0\0", 3));

    browser.tabs.clear();
    EXPECT_EQ(Ask("WWW_ListWindows", "x"), std::nullopt);
}

TEST_F(FernDDEClientTest, ActivateExitAndExecute) {
    EXPECT_EQ(Ask("WWW_Activate", "3"), "");
    EXPECT_EQ(browser.restored, 0);
    EXPECT_EQ(Ask("WWW_Activate", "\"0xFFFFFFFF\",0x0"), "");
    EXPECT_EQ(browser.restored, 1);
    browser.inTray = true;
    EXPECT_EQ(Ask("WWW_Activate", "0xffffffff"), "");
    EXPECT_EQ(browser.trayRestores, 1);
    EXPECT_EQ(Ask("WWW_Activate", ""), std::nullopt);

    DWORD exitAnswer = 0, execAnswer = 1, unknownPoke = 1;
    RunClient([&] {
        TestClient c;
        ASSERT_TRUE(c.Connect(service, "WWW_Exit"));
        exitAnswer = c.Send(XTYP_POKE, "anything", "");
        execAnswer = c.Send(XTYP_EXECUTE, "", "[Exit]");
        ASSERT_TRUE(c.Connect(service, "WWW_OpenURL"));
        unknownPoke = c.Send(XTYP_POKE, "http://a/", "");
    });
    EXPECT_EQ(exitAnswer, DDE_FACK);
    EXPECT_EQ(browser.closes, 1);
    EXPECT_EQ(execAnswer, 0u);
    EXPECT_EQ(unknownPoke, 0u);
}

TEST_F(FernDDEClientTest, SystemTopicAndWildConnects) {
    EXPECT_EQ(
        Ask("System", "Topics"),
        WithNul(
            "System\tWWW_OpenURL\tWWW_GetWindowInfo\tWWW_Activate\tWWW_ListWindows\tWWW_Exit\tWWW_ShowFile"));
    EXPECT_EQ(Ask("System", "TopicItemList"), WithNul("TopicItemList\tFormats"));  // the rest: DDEServerTest

    std::vector<std::string> all, one, none, anyService;
    RunClient([&] {
        TestClient c;
        all = c.WildConnect(service, std::nullopt);
        one = c.WildConnect(service, std::string("wwW_listwindows"));
        none = c.WildConnect(service, std::string("WWW_Nothing"));
        anyService = c.WildConnect(std::nullopt, std::string("WWW_Exit"));
    });
    std::vector<std::string> expected;
    for (const char* topic : {"System", "WWW_OpenURL", "WWW_GetWindowInfo", "WWW_Activate", "WWW_ListWindows",
                              "WWW_Exit", "WWW_ShowFile"})
        expected.push_back(service + "|" + topic);
    EXPECT_EQ(all, expected);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(SjisToLower(one[0]), SjisToLower(service + "|WWW_ListWindows"));
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(anyService, (std::vector<std::string>{service + "|WWW_Exit"}));

    // A wild connect for another program's service reaching us is answered
    // with no pairs.
    std::vector<std::pair<std::string, std::string>> pairs{{"x", "y"}};
    RunClient([&] {
        int fd = DdeConnectSocket(*DdeSocketPath(service));
        std::string frame = EncodeDdeFrame({.kind = DdeMessageKind::WildConnect, .service = "OTHERAPP"});
        ASSERT_TRUE(DdeWriteAll(fd, frame, DdeNowMs() + 5000));
        std::string buffer;
        while (DdeWaitReadable(fd, DdeNowMs() + 5000) &&
               DdeReadSome(fd, buffer, 4096) == DdeReadOutcome::Data) {
            DdeDecodeResult r = DecodeDdeFrame(buffer);
            if (r.status == DdeDecodeStatus::Complete) {
                pairs = r.message.pairs;
                break;
            }
        }
        DdeCloseSocket(fd);
    });
    EXPECT_TRUE(pairs.empty());
}

TEST(DdeFrameService, TheFrameIsDrivenThroughTheServerAndASecondStartIsReported) {
    ScopedRuntimeDir runtime;
    test::SessionTestFrame f;
    int closes = 0, restores = 0;
    DdeWindowActions actions;
    actions.close = [&] { ++closes; };
    actions.restore = [&] { ++restores; };
    std::string service = test::UniqueService("FRAME");
    std::unique_ptr<DdeFrameService> dde = StartDdeServer(f.frame, service, actions, f.queue, f.messageBox);
    ASSERT_TRUE(dde);
    EXPECT_TRUE(f.messageBox.shown.empty());

    // A second server in the process cannot start; the user is told.
    EXPECT_EQ(StartDdeServer(f.frame, service + "2", actions, f.queue, f.messageBox), nullptr);
    EXPECT_EQ(f.messageBox.shown, (std::vector<std::string>{"Failed to initialize DDE Client :("}));

    std::optional<std::string> info, list;
    DWORD exitAnswer = 0;
    RunClient([&] {
        TestClient c;
        ASSERT_TRUE(c.Connect(service, "WWW_OpenURL"));
        c.Request("http://one/");
        c.Request("\"http://two/\",\"\",0xFFFFFFFF,0x0");  // the current tab navigates
        ASSERT_TRUE(c.Connect(service, "WWW_GetWindowInfo"));
        info = c.Request("1");
        ASSERT_TRUE(c.Connect(service, "WWW_ListWindows"));
        list = c.Request("0");
        ASSERT_TRUE(c.Connect(service, "WWW_Activate"));
        c.Request("0xFFFFFFFF");
        ASSERT_TRUE(c.Connect(service, "WWW_Exit"));
        exitAnswer = c.Send(XTYP_POKE, "x", "");
    });
    EXPECT_EQ(f.frame.TabCount(), 1);
    EXPECT_EQ(info, WithNul("\"http://two/\",\"Title of http://two/\",\"\""));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->substr(0, 8), std::string("\1\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(restores, 1);
    EXPECT_EQ(exitAnswer, DDE_FACK);
    EXPECT_EQ(closes, 0);  // posted, not run inside the request
    f.queue.RunAll();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(DdeServiceName(""), "FBROWSER");  // no setting: the default service
}
