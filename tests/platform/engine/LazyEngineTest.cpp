#include <gtest/gtest.h>

#include <sstream>

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

namespace {

// A control with a real history: each entry keeps its address, title and
// scroll position, and the session state holds them all with the current
// index, so a control made from it shows the very same page.
class HistoryFake : public FakeBrowserEngine {
public:
    struct Entry {
        std::string url, title;
        int scroll = 0;
    };
    std::vector<Entry> entries;
    std::size_t current = 0;
    int loads = 0;  // pages loaded, from the network or the state

    void Navigate2(const std::string& u, long, const std::string&, const std::string&,
                   const std::string&) override {
        calls.push_back("Navigate2 " + u);
        if (!entries.empty()) entries.resize(current + 1);
        entries.push_back({u, "Title of " + u, 0});
        current = entries.size() - 1;
        ++loads;
    }
    std::string LocationURL() const override { return entries.empty() ? "" : entries[current].url; }
    std::string LocationName() const override { return entries.empty() ? "" : entries[current].title; }
    std::vector<HistoryItem> HistoryItems(bool back, int max) const override {
        std::vector<HistoryItem> items;
        for (int i = 1; i <= max; ++i) {
            const long at = static_cast<long>(current) + (back ? -i : i);
            if (at < 0 || at >= static_cast<long>(entries.size())) break;
            items.push_back({entries[at].url, entries[at].title});
        }
        return items;
    }
    std::string SessionState() const override {
        if (entries.empty()) return {};
        std::string state = "history " + std::to_string(current);
        for (const Entry& e : entries)
            state += "\n" + e.url + "\t" + e.title + "\t" + std::to_string(e.scroll);
        return state;
    }
    bool RestoreSessionState(const std::string& state) override {
        calls.push_back("Restore");
        std::istringstream in(state);
        std::string word;
        std::size_t at = 0;
        if (!(in >> word >> at) || word != "history" || !entries.empty()) return false;
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            Entry e;
            std::istringstream fields(line);
            std::string scroll;
            std::getline(fields, e.url, '\t');
            std::getline(fields, e.title, '\t');
            std::getline(fields, scroll);
            e.scroll = std::stoi(scroll);
            entries.push_back(e);
        }
        if (at >= entries.size()) {
            entries.clear();
            return false;
        }
        current = at;
        ++loads;
        return true;
    }
};

struct Made {
    std::vector<HistoryFake*> engines;
    LazyEngine::Maker Maker() {
        return [this](const std::string&) {
            auto engine = std::make_unique<HistoryFake>();
            engines.push_back(engine.get());
            return engine;
        };
    }
};

std::vector<std::string> Urls(const std::vector<HistoryItem>& items) {
    std::vector<std::string> urls;
    for (const HistoryItem& item : items) urls.push_back(item.url);
    return urls;
}

}  // namespace

TEST(LazyEngine, AWokenTabHasItsPageHistoryAndScrollAsItSlept) {
    struct Case {
        const char* what;
        std::vector<HistoryFake::Entry> entries;
        std::size_t current;
    };
    const std::vector<Case> cases = {
        {"the only page", {{"http://a/1", "One", 120}}, 0},
        {"last of three",
         {{"http://a/1", "One", 0}, {"http://b/2", "Two", 40}, {"http://a/3", "Three", 900}},
         2},
        {"between back and forward",
         {{"http://a/1", "One", 0}, {"http://a/2", "Two", 333}, {"http://c/", "", 7}},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Made made;
        auto first = std::make_unique<HistoryFake>();
        first->entries = c.entries;
        first->current = c.current;
        const std::string state = first->SessionState();
        LazyEngine lazy(made.Maker(), std::move(first));
        const auto back = lazy.HistoryItems(true, 50), forward = lazy.HistoryItems(false, 50);

        // Asleep and awake twice over: nothing is lost or added on the way.
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(lazy.Rest());
            EXPECT_EQ(lazy.LocationURL(), c.entries[c.current].url);
            EXPECT_EQ(Urls(lazy.HistoryItems(true, 50)), Urls(back));
            ASSERT_TRUE(lazy.Materialise());
            HistoryFake* woken = made.engines.back();
            EXPECT_EQ(woken->calls.back(), "Restore") << "no load of the address after the history";
            EXPECT_EQ(woken->loads, 1);
            EXPECT_EQ(woken->SessionState(), state) << "same entries, scroll positions and place";
            EXPECT_EQ(lazy.LocationURL(), c.entries[c.current].url);
            EXPECT_EQ(Urls(lazy.HistoryItems(true, 50)), Urls(back));
            EXPECT_EQ(Urls(lazy.HistoryItems(false, 50)), Urls(forward));
        }
        EXPECT_EQ(made.engines.size(), 2u);
    }
}

TEST(LazyEngine, AnAddressAskedForWhileAsleepOpensAfterTheWokenPage) {
    Made made;
    auto first = std::make_unique<HistoryFake>();
    first->entries = {{"http://a/1", "One", 0}, {"http://a/2", "Two", 50}, {"http://a/3", "Three", 0}};
    first->current = 1;
    LazyEngine lazy(made.Maker(), std::move(first));
    ASSERT_TRUE(lazy.Rest());
    lazy.Navigate2("http://n/", 0, "", "", "");
    EXPECT_EQ(lazy.LocationURL(), "http://n/");
    ASSERT_TRUE(lazy.Materialise());
    HistoryFake* woken = made.engines.back();
    EXPECT_EQ(woken->calls, (std::vector<std::string>{"Restore", "Navigate2 http://n/"}));
    EXPECT_EQ(Urls(lazy.HistoryItems(true, 50)), (std::vector<std::string>{"http://a/2", "http://a/1"}));
    EXPECT_TRUE(lazy.HistoryItems(false, 50).empty());

    // A state the next control cannot take up still brings the address back.
    auto broken = std::make_unique<HistoryFake>();
    broken->entries = {{"http://y/", "Y", 0}};  // a control that shows a page already refuses a state
    LazyEngine stale([&broken](const std::string&) { return std::move(broken); },
                     std::make_unique<HistoryFake>());
    static_cast<HistoryFake*>(stale.Inner())->entries = {{"http://z/", "Z", 10}};
    ASSERT_TRUE(stale.Rest());
    ASSERT_TRUE(stale.Materialise());
    auto* next = static_cast<HistoryFake*>(stale.Inner());
    EXPECT_EQ(next->calls, (std::vector<std::string>{"Restore", "Navigate2 http://z/"}));
}
