#include <gtest/gtest.h>

#include "fakes/FakeBrowserEngine.h"
#include "page/WebBrowser2Base.h"

using namespace fern;

namespace {

class Recorder : public CWebBrowser2Base {
public:
    Recorder() : CWebBrowser2Base(0x70) {}
    std::vector<std::string> hooks;

protected:
    void OnFirstDownloadStarted() override { hooks.push_back("first"); }
    void OnCompletedWithDownloadsOpen() override { hooks.push_back("completed-open"); }
    void OnAllDownloadsFinished() override { hooks.push_back("all-finished"); }
};

}  // namespace

TEST(WebBrowser2Base, CommandStateSetsBackAndForwardFlags) {
    Recorder page;
    page.CommandStateChange(1, true);
    EXPECT_TRUE(page.CanGoForward());
    EXPECT_FALSE(page.CanGoBack());
    page.CommandStateChange(2, true);
    page.CommandStateChange(1, false);
    EXPECT_TRUE(page.CanGoBack());
    EXPECT_FALSE(page.CanGoForward());
    page.CommandStateChange(-1, true);  // other commands change nothing
    EXPECT_TRUE(page.CanGoBack());
}

TEST(WebBrowser2Base, CountsDownloadsAndResetsOnTopLevelCompletion) {
    Recorder page;
    page.DownloadBegin();
    page.DownloadBegin();
    EXPECT_EQ(page.OpenDownloads(), 2);
    page.DocumentComplete("http://a/frame", false);
    EXPECT_EQ(page.OpenDownloads(), 2);
    page.DocumentComplete("http://a/", true);
    EXPECT_EQ(page.OpenDownloads(), 0);
    EXPECT_EQ(page.hooks, (std::vector<std::string>{"first", "completed-open"}));
    // A completion after the reset goes below zero and does not report
    // "all finished" again.
    page.DownloadComplete();
    EXPECT_EQ(page.OpenDownloads(), -1);
    EXPECT_EQ(page.hooks.size(), 2u);
}

TEST(WebBrowser2Base, FakeEngineDeliversAWholeLoad) {
    Recorder page;
    test::FakeBrowserEngine engine;
    engine.SetEventSink(&page);
    engine.autoLoad = true;
    engine.Navigate2("http://127.0.0.1/", 0, "", "", "");
    EXPECT_EQ(engine.LocationURL(), "http://127.0.0.1/");
    EXPECT_EQ(page.OpenDownloads(), 0);
    EXPECT_EQ(page.hooks, (std::vector<std::string>{"first", "all-finished"}));
}
