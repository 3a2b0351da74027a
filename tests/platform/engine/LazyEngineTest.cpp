#include <gtest/gtest.h>

#include "fakes/FakeBrowserEngine.h"
#include "platform/engine/LazyEngine.h"

using namespace fern;
using fern::test::FakeBrowserEngine;

namespace {

struct Sink : BrowserEvents {
    std::vector<std::string> navigations;
    void BeforeNavigate2(const std::string& url, long, const std::string&, const std::string&,
                         const std::string&, bool&) override {
        navigations.push_back(url);
    }
};

}  // namespace

TEST(LazyEngine, KeepsOperationsAndAnswersUntilMadeThenReplaysThemInOrder) {
    FakeBrowserEngine* fake = nullptr;
    LazyEngine lazy([&fake] {
        auto engine = std::make_unique<FakeBrowserEngine>();
        engine->autoLoad = true;
        fake = engine.get();
        return engine;
    });
    Sink sink;
    lazy.SetEventSink(&sink);
    lazy.PutRegisterAsBrowser(true);
    lazy.OnDownloadControlChanged(16);
    lazy.SetZoom(3);
    lazy.Navigate2("http://a/", 0, "", "", "");
    // Nothing loaded: nothing to stop, repeat, go back to or search.
    lazy.Stop();
    lazy.Refresh();
    lazy.GoBack();
    bool found = true;
    lazy.FindText("x", true, [&found](bool f) { found = f; });
    EXPECT_FALSE(found);
    EXPECT_EQ(fake, nullptr);
    EXPECT_EQ(lazy.LocationURL(), "http://a/");
    EXPECT_EQ(lazy.LocationName(), "");
    EXPECT_EQ(lazy.Zoom(), 3);
    EXPECT_FALSE(lazy.Busy());
    EXPECT_EQ(RealEngine(&lazy), nullptr);

    ASSERT_TRUE(lazy.Materialise());
    ASSERT_NE(fake, nullptr);
    EXPECT_EQ(RealEngine(&lazy), fake);
    EXPECT_EQ(fake->calls, (std::vector<std::string>{"RegisterAsBrowser 1", "DownloadControl 16", "Navigate2 http://a/"}));
    EXPECT_EQ(fake->zoom, 3);
    EXPECT_EQ(sink.navigations, std::vector<std::string>{"http://a/"});  // events reach the page
    EXPECT_EQ(lazy.LocationName(), "Title of http://a/");
    // Made once; later calls go straight through.
    EXPECT_TRUE(lazy.Materialise());
    lazy.Stop();
    EXPECT_EQ(fake->calls.back(), "Stop");
}

TEST(LazyEngine, NoControlLeavesTheAddressAndRecordsNothingMore) {
    LazyEngine lazy([] { return std::unique_ptr<IBrowserEngine>(); });
    lazy.Navigate2("http://a/", 0, "", "", "");
    EXPECT_FALSE(lazy.Materialise());
    EXPECT_FALSE(lazy.Materialise());
    EXPECT_EQ(lazy.LocationURL(), "http://a/");
    EXPECT_EQ(RealEngine(&lazy), nullptr);
}
