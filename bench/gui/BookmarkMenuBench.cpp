// Opening the bookmark menu on a large tree, with the real GTK menus: a tree
// of 10,000 bookmarks whose first level holds 500 items (450 bookmarks and
// 50 folders, one of them of 1,000 bookmarks), and the time from the popup
// being asked for until it is shown (the top refilled from the tree, its
// folders' submenus filled as the design asks, laid out and mapped); then
// the same for the 1,000-item submenu.
//
//   fern_bookmark_menu_bench [--rounds R]
//
// Each round also pops up a menu of 500 and one of 1,000 plain GTK menu
// items (a label each, no handlers) made and shown at once: what a GtkMenu
// of that size costs on the machine, whoever fills it.
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
#include "bookmarks/gtk/BookmarkMenuWidget.h"
#include "platform/text/Encoding.h"

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

// Until `menu` is mapped on the screen (GTK maps a menu as it pops up).
void WaitMapped(Gtk::Menu& menu) {
    while (!menu.get_mapped()) Gtk::Main::iteration(true);
}

// A menu of `n` plain labelled items, made, popped up and drawn.
double PlainMenu(Gtk::Window& window, int n) {
    double start = NowMs();
    GtkWidget* menu = gtk_menu_new();
    for (int i = 0; i < n; ++i) {
        std::string text = "ブックマーク " + std::to_string(i);
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), gtk_menu_item_new_with_label(ToUtf8(text).c_str()));
    }
    gtk_widget_show_all(menu);
    gtk_menu_attach_to_widget(GTK_MENU(menu), GTK_WIDGET(window.gobj()), nullptr);
    gtk_menu_popup_at_widget(GTK_MENU(menu), GTK_WIDGET(window.gobj()), GDK_GRAVITY_NORTH_WEST,
                             GDK_GRAVITY_NORTH_WEST, nullptr);
    Pump();
    double took = NowMs() - start;
    gtk_widget_destroy(menu);
    Pump();
    return took;
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
    BookmarkOptions options;
    options.style = 0;  // no optional items, no text limit: names as they are
    BookmarkTree tree(options, [] { return 1700000000u; });
    BookmarkNode& root = tree.Root();
    int total = 0;
    auto url = [&total](int i) { return "http://www.example.co.jp/page/" + std::to_string(i) + ".html"; };
    for (int f = 0; f < 50; ++f) {
        BookmarkNode* folder = tree.AddNode(root, "フォルダ " + std::to_string(f), "", kItemFolder, 112, 1);
        int count = f == 0 ? 1000 : 174;
        for (int i = 0; i < count; ++i, ++total)
            tree.AddNode(*folder, "ブックマーク " + std::to_string(total), url(total), kItemUrl, 112, 1);
    }
    for (int i = 0; i < 450; ++i, ++total)
        tree.AddNode(root, "ブックマーク " + std::to_string(total), url(total), kItemUrl, 112, 1);
    std::printf("tree: %d bookmarks, 500 items on the first level, a folder of 1000\n", total);

    Gtk::Window window;
    window.set_default_size(800, 600);
    window.show_all();
    Pump();
    BookmarkMenuWidget widget(tree.Menu(), {});
    for (int r = 0; r < rounds; ++r) {
        Gtk::Menu* menu = widget.MakeMenu();
        menu->attach_to_widget(window);
        Pump();
        double start = NowMs();
        menu->popup_at_widget(&window, Gdk::GRAVITY_NORTH_WEST, Gdk::GRAVITY_NORTH_WEST, nullptr);
        WaitMapped(*menu);
        double top = NowMs() - start;
        start = NowMs();
        Pump();  // drawn, and the folders' submenus filled
        double children = NowMs() - start;
        // The first folder: its 1,000 items were filled when the top opened;
        // opening it shows them.
        Gtk::MenuItem* folderItem = nullptr;
        for (Gtk::Widget* child : menu->get_children())
            if (auto* item = dynamic_cast<Gtk::MenuItem*>(child); item && item->get_submenu()) {
                folderItem = item;
                break;
            }
        double sub = -1;
        if (folderItem) {
            Gtk::Menu* submenu = folderItem->get_submenu();
            start = NowMs();
            submenu->popup_at_widget(&window, Gdk::GRAVITY_NORTH_WEST, Gdk::GRAVITY_NORTH_WEST, nullptr);
            WaitMapped(*submenu);
            Pump();
            sub = NowMs() - start;
            submenu->popdown();
        }
        menu->popdown();
        Pump();
        std::printf(
            "round %d: top menu up %.1f ms, then drawn and its folders filled %.1f ms; "
            "submenu of 1000 up and drawn %.1f ms\n",
            r + 1, top, children, sub);
        gtk_widget_destroy(GTK_WIDGET(menu->gobj()));
        Pump();
        std::printf("         plain GTK menus: 500 items %.1f ms, 1000 items %.1f ms\n",
                    PlainMenu(window, 500), PlainMenu(window, 1000));
    }
    return 0;
}
