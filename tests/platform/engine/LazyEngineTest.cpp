#include <gtest/gtest.h>

#include "fakes/FakeBrowserEngine.h"
#include "platform/engine/LazyEngine.h"

using namespace fern;
using fern::test::FakeBrowserEngine;

TEST(LazyEngine, KeepsOperationsUntilMadeThenReplaysThemInOrder) {
    FakeBrowserEngine* fake = nullptr;
    LazyEngine lazy([&fake](const std::string&) {
        auto engine = std::make_unique<FakeBrowserEngine>();
        fake = engine.get();
        return engine;
    });
    lazy.PutRegisterAsBrowser(true);
    lazy.OnDownloadControlChanged(16);
    lazy.SetZoom(3);
    lazy.Navigate2("http://a/", 0, "", "", "");
    lazy.Stop();  // nothing loads yet: nothing to stop
    bool found = true;
    lazy.FindText("x", true, [&found](bool f) { found = f; });
    EXPECT_FALSE(found);
    EXPECT_EQ(lazy.LocationURL(), "http://a/");
    EXPECT_EQ(lazy.Zoom(), 3);
    EXPECT_EQ(RealEngine(&lazy), nullptr);

    ASSERT_TRUE(lazy.Materialise());
    EXPECT_EQ(RealEngine(&lazy), fake);
    EXPECT_EQ(fake->calls,
              (std::vector<std::string>{"RegisterAsBrowser 1", "DownloadControl 16", "Navigate2 http://a/"}));
    EXPECT_EQ(fake->zoom, 3);
    lazy.Stop();
    EXPECT_EQ(fake->calls.back(), "Stop");

    // No control to be had: the address stays known.
    LazyEngine none([](const std::string&) { return std::unique_ptr<IBrowserEngine>(); });
    none.Navigate2("http://b/", 0, "", "", "");
    EXPECT_FALSE(none.Materialise());
    EXPECT_EQ(none.LocationURL(), "http://b/");
}
