// The bookmarks' share of the browser's start-up: the store reading the
// bookmark file named by the settings and building the top of its menu,
// for a 102,041-node file and for a missing one.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "SampleBookmarks.h"
#include "bookmarks/BookmarkStore.h"
#include "lists/BookmarkFile.h"
#include "platform/shell/MessageBox.h"
#include "settings/IniProfile.h"

namespace {

using namespace fern;

class SilentBox : public IMessageBox {
public:
    MessageBoxAnswer Show(const std::string&, const std::string&, MessageBoxKind) override {
        return MessageBoxAnswer::Ok;
    }
};

struct StartFolder {
    std::string path;
    StartFolder() {
        char name[] = "/tmp/fern-bench-XXXXXX";
        if (mkdtemp(name)) path = name;
        SampleBookmarks sample;
        if (!WriteBookmarkFile(path + "/bookmark.fbl", *sample.root, *sample.trash)) path.clear();
    }
    ~StartFolder() {
        for (const char* file : {"/bookmark.fbl", "/fern.ini", "/wnds.ini"}) unlink((path + file).c_str());
        rmdir(path.c_str());
    }
};

void StartWith(benchmark::State& state, bool full) {
    static StartFolder folder;
    IniProfile profile(folder.path + "/fern.ini"), windows(folder.path + "/wnds.ini");
    SettingsStore store(profile, windows);
    CSettingsService settings(store);
    SilentBox box;
    std::string file = folder.path + (full ? "/bookmark.fbl" : "/missing.fbl");
    std::size_t top = 0;
    for (auto _ : state) {
        CBookmarkStore bookmarks(settings, box, file, file);
        bookmarks.Tree().Menu().BuildMenu(BookmarkMenu::kTopPopup);
        top = bookmarks.Tree().Menu().Items(BookmarkMenu::kTopPopup).size();
    }
    state.counters["menuItems"] = static_cast<double>(top);
}

void BM_BookmarkStartFull(benchmark::State& state) { StartWith(state, true); }
BENCHMARK(BM_BookmarkStartFull)->Unit(benchmark::kMillisecond);

void BM_BookmarkStartMissingFile(benchmark::State& state) { StartWith(state, false); }
BENCHMARK(BM_BookmarkStartMissingFile)->Unit(benchmark::kMillisecond);

}  // namespace
