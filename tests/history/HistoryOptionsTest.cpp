#include "history/HistoryOptions.h"

#include <gtest/gtest.h>

#include "fakes/FakeProfile.h"
#include "settings/SettingsStore.h"

using namespace fern;

namespace {

TEST(HistoryOptions, DefaultsAndValuesOutsideSense) {
    FakeProfile profile, windows;
    SettingsStore store(profile, windows);
    auto load = [&] {
        HistorySettings settings;
        settings.Load(store);
        return HistoryOptionsOf(settings);
    };
    HistoryOptions defaults = load();
    EXPECT_TRUE(defaults.keepPageTexts);
    EXPECT_EQ(defaults.pageBytes, 2048u * 1024);
    EXPECT_EQ(defaults.totalBytes, 256ull << 20);
    struct Case {
        const char* texts;
        const char* page;
        const char* total;
        bool keep;
        std::size_t pageBytes;
        std::uint64_t totalBytes;
    } cases[] = {
        {"0", "16", "1", false, 16u << 10, 1ull << 20},
        {"x", "-5", "0", false, 1u << 10, 1ull << 20},  // read like atol
        {"1", "999999999", "999999999", true, 64u << 20, 64ull << 30},
        // A page never more than the whole.
        {"1", "4096", "2", true, 2u << 20, 2ull << 20},
    };
    for (const Case& c : cases) {
        profile.WriteString("History", "HistoryPageTexts", c.texts);
        profile.WriteString("History", "HistoryPageLimit", c.page);
        profile.WriteString("History", "HistoryCacheLimit", c.total);
        HistoryOptions o = load();
        EXPECT_EQ(o.keepPageTexts, c.keep) << c.texts;
        EXPECT_EQ(o.pageBytes, c.pageBytes) << c.page;
        EXPECT_EQ(o.totalBytes, c.totalBytes) << c.total;
    }
}

}  // namespace
