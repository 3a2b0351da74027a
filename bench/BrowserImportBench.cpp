// Direct import of 5,000 bookmarks from a browser profile: a places.sqlite
// (folders, separators, shuffled ids, a tag folder) and a Bookmarks JSON of
// the same size, written once by the tests' profile maker.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../tests/bookmarks/BrowserProfileFixture.h"
#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/BrowserImport.h"
#include "bookmarks/exchange/ExchangeText.h"

namespace {

using namespace fern;

constexpr int kItems = 5000;

// A profile folder under /tmp made once per run and removed at exit.
class Profile {
public:
    explicit Profile(BrowserFamily family) {
        char name[] = "/tmp/fern-bench-profile-XXXXXX";
        if (mkdtemp(name)) path_ = name;
        if (family == BrowserFamily::Firefox) {
            auto items = testing::MakeItemTree(
                {kRootMenuName, kRootToolbarName, kRootOtherName, kRootMobileName}, kItems, true);
            ok_ = testing::WritePlaces(path_ + "/places.sqlite", items, 100, true);
        } else {
            auto items =
                testing::MakeItemTree({kRootToolbarName, kRootOtherName, kRootMobileName}, kItems, false);
            std::ofstream(path_ + "/Bookmarks", std::ios::binary) << testing::ChromiumJson(items);
            ok_ = true;
        }
    }
    ~Profile() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }
    bool Ok() const { return ok_; }

private:
    std::string path_;
    bool ok_ = false;
};

void RunImport(benchmark::State& state, BrowserFamily family, std::size_t nodes) {
    static Profile firefox(BrowserFamily::Firefox), chromium(BrowserFamily::Chromium);
    const Profile& profile = family == BrowserFamily::Firefox ? firefox : chromium;
    if (!profile.Ok()) {
        state.SkipWithError("the profile could not be written");
        return;
    }
    for (auto _ : state) {
        BookmarkTree tree(BookmarkOptions{}, [] { return 1700000000u; });
        ExchangeStatus status = ImportBrowserProfile(family, profile.Path(), tree, nullptr);
        if (!status || status.imported != nodes) {
            state.SkipWithError(("import failed: " + status.error).c_str());
            return;
        }
        benchmark::DoNotOptimize(tree.Root().FirstChild());
    }
    state.counters["nodes"] = static_cast<double>(nodes);
}

// Copies places.sqlite with its log, checks it, reads every row and builds the tree.
void BM_ImportFirefoxPlaces5000(benchmark::State& state) {
    RunImport(state, BrowserFamily::Firefox, kItems + 4);
}
BENCHMARK(BM_ImportFirefoxPlaces5000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reads and parses the JSON document and builds the tree.
void BM_ImportChromiumBookmarks5000(benchmark::State& state) {
    RunImport(state, BrowserFamily::Chromium, kItems + 3);
}
BENCHMARK(BM_ImportChromiumBookmarks5000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
