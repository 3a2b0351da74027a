#include <glib.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>

#include <algorithm>

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
    // Standard output of a run that must succeed.
    std::string Out(std::vector<std::string> args) {
        CtlRun run = Fernctl(std::move(args));
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    }
    // A run the browser did not process: status 1 and one line saying so.
    void ExpectNotProcessed(std::vector<std::string> args, const std::string& says = "") {
        CtlRun run = Fernctl(std::move(args));
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("fernctl: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    }
};

}  // namespace

TEST_F(DdeCommandTest, ShortFormsOpenListInfoActivateAndExit) {
    EXPECT_EQ(Out({"open", U8(u8"http://例え.jp/ページ")}), "");
    EXPECT_EQ(browser.opened,
              (std::vector<std::string>{"http://例え.jp/ページ 2 -1 1"}));  // arrived as Shift-JIS
    // A file goes by its URI and an address keeps "é": each names what was given.
    std::string cafe = std::string(FERNCTL_PATH) + ".caf\xC3\xA9.html";
    ASSERT_TRUE(g_file_set_contents(cafe.c_str(), "<p>", -1, nullptr));
    EXPECT_EQ(Out({"open", cafe}), "");
    g_remove(cafe.c_str());
    EXPECT_EQ(Out({"open", "http://a/Caf\xC3\xA9"}), "");
    ASSERT_EQ(browser.opened.size(), 3u);
    EXPECT_EQ(browser.opened[1].rfind("file:///", 0), 0u);
    EXPECT_NE(browser.opened[1].find(".caf%C3%A9.html 2 -1 1"), std::string::npos);
    EXPECT_EQ(browser.opened[2], "http://a/Caf%C3%A9 2 -1 1");
    browser.opened.clear();
    EXPECT_EQ(Out({"windows"}), "1\n2\n");
    EXPECT_EQ(Out({"info", "1"}), U8(u8"http://a/\nページA\n"));
    ExpectNotProcessed({"info", "9"});
    Out({"activate"});
    EXPECT_EQ(browser.restored, 1);
    Out({"exit"});
    EXPECT_EQ(browser.closes, 1);
    browser.tabs.clear();
    ExpectNotProcessed({"windows"});
}

TEST_F(DdeCommandTest, RawRequestsPrintTextAsUtf8AndOtherAnswersAsHex) {
    EXPECT_EQ(Out({"dde", "request", "WWW_GetWindowInfo", "2"}), "\"http://b/?q=1\",\"B\",\"\"\n");
    EXPECT_EQ(Out({"dde", "request", "www_listwindows", "x", "--format", "7"}),
              "0100000002000000" + std::string(998 - 16, '0') + "\n");
    EXPECT_EQ(Out({"dde", "request", "WWW_OpenURL", "http://c/"}), "");
    ExpectNotProcessed({"dde", "request", "WWW_OpenURL", ""});
    EXPECT_EQ(Out({"dde", "system", "Formats"}), "TEXT\n");

    Out({"dde", "poke", "WWW_Exit", "x", "data"});
    EXPECT_EQ(browser.closes, 1);
    ExpectNotProcessed({"dde", "execute", "WWW_OpenURL", "[Open]"}, "did not process");
    ExpectNotProcessed({"dde", "request", "WWW_Nothing", "x"}, "refused the topic");

    EXPECT_EQ(Out({"dde", "wildconnect", "wWw_eXit"}), service + "\twWw_eXit\n");
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

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"dde"},
                                                {"dde", "request", "T"},
                                                {"dde", "frobnicate"},
                                                {"dde", "request", "T", "I", "--format", "0"},
                                                {"dde", "request", "T", "I", "--format"},
                                                {"info"},
                                                {"open"},
                                                {"windows", "extra"},
                                                {"dde", "--service", "", "system", "Topics"},
                                                {"exit", "--bogus"}}) {
        SCOPED_TRACE(bad.back());
        test::ExpectRefused(Fernctl(bad, false));
    }
    EXPECT_EQ(browser.closes, 0);
    EXPECT_TRUE(browser.opened.empty());
}
