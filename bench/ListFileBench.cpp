// List files at realistic sizes: a bookmark file of about 100,000 nodes
// (folders of 50 items, Japanese names, ~60-byte urls, memos) and a typed
// history of 5,000 entries in three sections.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "SampleBookmarks.h"
#include "lists/BookmarkFile.h"
#include "lists/SectionFile.h"

namespace {

using namespace fern;

// Files in a temporary folder, removed at exit.
struct BenchFolder {
    std::string path;
    BenchFolder() {
        char name[] = "/tmp/fern-bench-XXXXXX";
        if (mkdtemp(name)) path = name;
    }
    ~BenchFolder() {
        for (const char* file : {"/bookmark.fbl", "/typed.fbl"}) unlink((path + file).c_str());
        rmdir(path.c_str());
    }
    std::string File(const char* name) const { return path + "/" + name; }
};

const SampleBookmarks& Bookmarks() {
    static SampleBookmarks sample;
    return sample;
}

const BenchFolder& Folder() {
    static BenchFolder folder;
    return folder;
}

BookmarkReadOptions Options() { return {"Fern Browser BookMark", 1700000000, 1}; }

void BM_WriteBookmarkFile(benchmark::State& state) {
    std::string path = Folder().File("bookmark.fbl");
    for (auto _ : state) {
        if (!WriteBookmarkFile(path, *Bookmarks().root, *Bookmarks().trash).ok)
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteBookmarkFile)->Unit(benchmark::kMillisecond);

void BM_SerializeBookmarkFile(benchmark::State& state) {
    std::size_t size = 0;
    for (auto _ : state) size = SerializeBookmarkFile(*Bookmarks().root, *Bookmarks().trash).size();
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_SerializeBookmarkFile)->Unit(benchmark::kMillisecond);

// Reading includes opening the file and freeing the tree again.
void BM_ReadBookmarkFile(benchmark::State& state) {
    std::string path = Folder().File("bookmark.fbl");
    if (!WriteBookmarkFile(path, *Bookmarks().root, *Bookmarks().trash).ok)
        state.SkipWithError("setup failed");
    for (auto _ : state) {
        BookmarkFileContents contents = ReadBookmarkFile(path, Options());
        benchmark::DoNotOptimize(contents.root.get());
    }
}
BENCHMARK(BM_ReadBookmarkFile)->Unit(benchmark::kMillisecond);

struct TypedLists {
    std::vector<std::string> urls, historyWords, webWords;
    TypedLists() {
        char text[128];
        for (int i = 0; i < 3000; ++i) {
            std::snprintf(text, sizeof text, "http://www.example.com/path/to/page%d.html", i);
            urls.emplace_back(text);
        }
        for (int i = 0; i < 1000; ++i) {
            std::snprintf(text, sizeof text, "検索語%d ソフト", i);
            historyWords.emplace_back(text);
            webWords.emplace_back(text);
        }
    }
    std::vector<SectionWriter> Writers() const {
        return {[this](ListTextWriter& out) { WriteSectionEntries(out, "typedurl", urls); },
                [this](ListTextWriter& out) { WriteSectionEntries(out, "typedhs", historyWords); },
                [this](ListTextWriter& out) { WriteSectionEntries(out, "typedws", webWords); }};
    }
};

void BM_WriteSectionsFile(benchmark::State& state) {
    TypedLists lists;
    std::string path = Folder().File("typed.fbl");
    for (auto _ : state)
        if (!WriteSections(path, lists.Writers()).ok) state.SkipWithError("write failed");
}
BENCHMARK(BM_WriteSectionsFile)->Unit(benchmark::kMicrosecond);

void BM_ReadSectionsFile(benchmark::State& state) {
    TypedLists lists;
    std::string path = Folder().File("typed.fbl");
    if (!WriteSections(path, lists.Writers()).ok) state.SkipWithError("setup failed");
    for (auto _ : state) {
        std::vector<std::string> a, b, c;
        ReadSections(path, {[&](ListLineReader& l) { return ReadSectionEntries(l, a); },
                            [&](ListLineReader& l) { return ReadSectionEntries(l, b); },
                            [&](ListLineReader& l) { return ReadSectionEntries(l, c); }});
        benchmark::DoNotOptimize(a.data());
    }
}
BENCHMARK(BM_ReadSectionsFile)->Unit(benchmark::kMicrosecond);

}  // namespace
