#include <gtest/gtest.h>

#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "fernctl/FernctlRunner.h"
#include "tools/dde/DdeTestSupport.h"
#include "tools/dde/FernDDEClient.h"

using namespace fern;

namespace {

using CtlRun = fern::test::FernctlRun;

// Command-line text is UTF-8; plain literals here are Shift-JIS.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class DdeCommandTest : public ::testing::Test {
protected:
    test::ScopedRuntimeDir runtime;
    std::string service = test::UniqueService("CTLTEST");
    test::FakeDdeBrowser browser;
    CFernDDEClient server{browser};

    void SetUp() override {
        ASSERT_TRUE(server.Create(service));
        server.AddBrowserTopics();
        browser.tabs = {{"http://a/", "ページA"}, {"http://b/?q=1", "B"}};
        browser.active = 0;
    }

    // fernctl runs while this thread serves its requests. Arguments are
    // UTF-8 here, as on a command line.
    CtlRun Fernctl(std::vector<std::string> args, bool withService = true) {
        if (withService) args.insert(args.end(), {"--service", service});
        CtlRun run;
        test::RunClient([&] { run = test::RunFernctl(args); });
        return run;
    }
};

}  // namespace

TEST_F(DdeCommandTest, ShortFormsOpenListInfoActivateAndExit) {
    CtlRun open = Fernctl({"open", U8(u8"http://例え.jp/ページ")});
    EXPECT_EQ(open.status, 0) << open.err;
    EXPECT_EQ(open.out, "");
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0], "http://例え.jp/ページ 2 -1 1");  // arrived as Shift-JIS

    CtlRun windows = Fernctl({"windows"});
    EXPECT_EQ(windows.status, 0);
    EXPECT_EQ(windows.out, "1\n2\n");

    CtlRun info = Fernctl({"info", "1"});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, U8(u8"http://a/\nページA\n"));
    EXPECT_EQ(Fernctl({"info", "0xFFFFFFFF"}).out, U8(u8"http://a/\nページA\n"));
    CtlRun missing = Fernctl({"info", "9"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("fernctl: "), std::string::npos);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);

    EXPECT_EQ(Fernctl({"activate"}).status, 0);
    EXPECT_EQ(browser.restored, 1);
    EXPECT_EQ(Fernctl({"exit"}).status, 0);
    EXPECT_EQ(browser.closes, 1);

    browser.tabs.clear();
    EXPECT_EQ(Fernctl({"windows"}).status, 1);
}

TEST_F(DdeCommandTest, RawRequestsPrintTextAsUtf8AndOtherAnswersAsHex) {
    CtlRun text = Fernctl({"dde", "request", "WWW_GetWindowInfo", "2"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, "\"http://b/?q=1\",\"B\",\"\"\n");
    CtlRun hex = Fernctl({"dde", "request", "www_listwindows", "x", "--format", "7"});
    EXPECT_EQ(hex.status, 0);
    EXPECT_EQ(hex.out, "0100000002000000" + std::string(998 - 16, '0') + "\n");
    CtlRun empty = Fernctl({"dde", "request", "WWW_OpenURL", "http://c/"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(Fernctl({"dde", "request", "WWW_OpenURL", ""}).status, 1);
    CtlRun system = Fernctl({"dde", "system", "Formats"});
    EXPECT_EQ(system.out, "TEXT\n");

    EXPECT_EQ(Fernctl({"dde", "poke", "WWW_Exit", "x", "data"}).status, 0);
    EXPECT_EQ(browser.closes, 1);
    EXPECT_EQ(Fernctl({"dde", "poke", "WWW_OpenURL", "x", "data"}).status, 1);
    CtlRun execute = Fernctl({"dde", "execute", "WWW_OpenURL", "[Open]"});
    EXPECT_EQ(execute.status, 1);
    EXPECT_NE(execute.err.find("did not process"), std::string::npos);
    CtlRun refused = Fernctl({"dde", "request", "WWW_Nothing", "x"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("refused the topic"), std::string::npos);

    CtlRun wild = Fernctl({"dde", "wildconnect", "wWw_eXit"});
    EXPECT_EQ(wild.status, 0);
    EXPECT_EQ(wild.out, service + "\twWw_eXit\n");
    CtlRun any = Fernctl({"dde", "wildconnect"}, false);  // every service of the runtime folder
    EXPECT_EQ(any.status, 0);
    EXPECT_EQ(std::count(any.out.begin(), any.out.end(), '\n'), 7);
    EXPECT_EQ(any.out.substr(0, service.size() + 8), service + "\tSystem\n");
}

TEST_F(DdeCommandTest, NoBrowserAndBadArgumentsAreToldApart) {
    CtlRun none = Fernctl({"windows", "--service", "NOBODYHERE"}, false);
    EXPECT_EQ(none.status, 3);
    EXPECT_EQ(none.err, "fernctl: no browser is running with the service 'NOBODYHERE'\n");
    EXPECT_EQ(Fernctl({"dde", "--service", "NOBODYHERE", "wildconnect"}, false).status, 3);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"dde"}, {"dde", "request", "T"}, {"dde", "frobnicate"},
          {"dde", "request", "T", "I", "--format", "0"}, {"dde", "request", "T", "I", "--format"},
          {"info"}, {"open"}, {"windows", "extra"}, {"dde", "--service", "", "system", "Topics"},
          {"exit", "--bogus"}}) {
        CtlRun run = Fernctl(bad, false);
        EXPECT_EQ(run.status, 2) << bad.size();
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(browser.closes, 0);
    EXPECT_TRUE(browser.opened.empty());
}
