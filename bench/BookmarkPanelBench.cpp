// The bookmark panel's sort: one folder of 5,000 bookmarks with Japanese and
// ASCII names in no order, sorted by title with its undo record (one move
// per item), then undone so every round starts from the same order.
#include <benchmark/benchmark.h>

#include <string>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/panel/BookmarkPanel.h"

using namespace fern;

namespace {

struct NoView : IBookmarkTreeView {
    void ShowTree(const std::vector<BookmarkNode*>&) override {}
    void ExpandAll(bool) override {}
};

struct NoClipboard : IBookmarkClipboard {
    void PutNodes(const std::string&, const std::string&) override {}
    void PutText(const std::string&) override {}
    BookmarkTransfer Get() override { return {}; }
    bool HasData() override { return false; }
};

void SortFolder(benchmark::State& state, BookmarkSortKey key) {
    BookmarkTree tree(BookmarkOptions{}, [] { return 1700000000u; });
    BookmarkNode* folder = tree.AddNode(tree.Root(), "大きいフォルダ", "", kItemFolder, 112, 1);
    for (int i = 0; i < 5000; ++i) {
        unsigned scrambled = (static_cast<unsigned>(i) * 2654435761u) % 100000u;
        std::string name = (i % 3 ? "ページ " : "Page ") + std::to_string(scrambled);
        tree.AddNode(*folder, name, "http://example.com/" + std::to_string(scrambled), kItemUrl, 112, 1);
    }
    NoView view;
    NoClipboard clipboard;
    CBookmarkPanel panel(tree, view, clipboard, {});
    for (auto _ : state) {
        panel.SetSelection({folder});
        panel.Sort(key);
        state.PauseTiming();
        panel.Undo();
        panel.ClearHistory();
        state.ResumeTiming();
    }
}

void BM_PanelSortByTitle5000(benchmark::State& state) { SortFolder(state, BookmarkSortKey::Title); }
BENCHMARK(BM_PanelSortByTitle5000)->Unit(benchmark::kMillisecond);

void BM_PanelSortByAddress5000(benchmark::State& state) { SortFolder(state, BookmarkSortKey::Address); }
BENCHMARK(BM_PanelSortByAddress5000)->Unit(benchmark::kMillisecond);

}  // namespace
