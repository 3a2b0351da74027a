// The bookmark panel's tree widget on a large tree: 10,000 nodes (100
// folders of 99 bookmarks), shown and fully expanded, from the call until
// the window has been drawn.
//
//   fern_bookmark_panel_bench [--rounds R]
//
// Needs a display (Xvfb). Prints one line per round; exit status 0, or 2 on
// no display.
#include <gtkmm.h>

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/gtk/BookmarkPanelWidget.h"

using namespace fern;

namespace {

// <chrono> does not build with the program's execution character set.
double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

void Pump() {
    while (Gtk::Main::events_pending()) Gtk::Main::iteration(false);
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::atoi(argv[i + 1]);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    Gtk::Main kit(argc, argv);
    BookmarkTree tree(BookmarkOptions{}, [] { return 1700000000u; });
    for (int f = 0; f < 100; ++f) {
        BookmarkNode* folder =
            tree.AddNode(tree.Root(), "フォルダ " + std::to_string(f), "", kItemFolder, 112, 1);
        for (int i = 0; i < 99; ++i)
            tree.AddNode(*folder, "ブックマーク " + std::to_string(f * 100 + i),
                         "http://example.com/" + std::to_string(i), kItemUrl, 112, 1);
    }
    Gtk::Window window;
    window.set_default_size(300, 700);
    BookmarkPanelWidget panel(tree, {});
    window.add(panel);
    window.show_all();
    Pump();
    for (int r = 0; r < rounds; ++r) {
        panel.ExpandAll(false);
        Pump();
        double start = NowMs();
        panel.ShowTree({});
        double filled = NowMs() - start;
        panel.ExpandAll(true);
        double expanded = NowMs() - start;
        Pump();
        double shown = NowMs() - start;
        std::printf(
            "round %d: 10,000 nodes shown and fully expanded, drawn: %.1f ms (filled %.1f, expanded %.1f)\n",
            r + 1, shown, filled, expanded);
    }
    return 0;
}
