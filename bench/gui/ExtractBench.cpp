// URL extraction of a page with many links, on the real pieces: a view with
// the link collector, the frames' reports and the extraction dialog filling
// its list. Times the menu command's work: from asking the page to the
// dialog shown with every row, the main loop idle again.
//
//   fern_extract_bench [--links N] [--rounds R]
//
// Needs a display (Xvfb) and a temporary HOME. Prints one line per round;
// exit status 0 when every round listed every link, 1 otherwise, 2 on bad
// arguments or no display.
#include <gtkmm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "platform/gtk/GtkShell.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitLinkCollector.h"
#include "settings/IniProfile.h"
#include "settings/SettingsService.h"
#include "tools/extract/gtk/UrlExtractDialog.h"

namespace {

using namespace fern;

double NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

std::string PageWithLinks(int links) {
    std::string html = "<!DOCTYPE html><meta charset=utf-8><title>bench</title>";
    html.reserve(static_cast<std::size_t>(links) * 48);
    char line[96];
    for (int i = 0; i < links; ++i) {
        std::snprintf(line, sizeof line, "<a href=\"/files/%d/file%d.zip\">%d</a>\n", i % 100, i, i);
        html += line;
    }
    return html;
}

void RunUntil(const bool& done) {
    while (!done) g_main_context_iteration(nullptr, TRUE);
}

}  // namespace

int main(int argc, char** argv) {
    int links = 100000, rounds = 5;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--links") && i + 1 < argc) {
            links = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: fern_extract_bench [--links N] [--rounds R]\n");
            return 2;
        }
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "fern_extract_bench: no display\n");
        return 2;
    }
    Gtk::Main::init_gtkmm_internals();
    char folder[] = "/tmp/fern-extract-bench-XXXXXX";
    if (!mkdtemp(folder)) return 2;
    WebKitContext context(folder);
    IniProfile profile(std::string(folder) + "/fern.ini"), windows(std::string(folder) + "/wnds.ini");
    SettingsStore store(profile, windows);
    CSettingsService settings(store);
    GtkClipboardText clipboard;
    GtkMessageBox messageBox;

    Gtk::Window window;
    window.set_default_size(800, 600);
    WebKitUserContentManager* content = webkit_user_content_manager_new();
    InstallLinkCollector(content);
    auto* view = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context.Context(),
                                              "user-content-manager", content, nullptr));
    g_object_unref(content);
    gtk_container_add(GTK_CONTAINER(window.gobj()), GTK_WIDGET(view));
    window.show_all();
    bool loaded = false;
    g_signal_connect(view, "load-changed",
                     G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent event, gpointer data) {
                         if (event == WEBKIT_LOAD_FINISHED) *static_cast<bool*>(data) = true;
                     }),
                     &loaded);
    std::string page = PageWithLinks(links);
    double loadStart = NowMs();
    webkit_web_view_load_html(view, page.c_str(), "http://127.0.0.1/bench/");
    RunUntil(loaded);
    std::printf("page of %d links loaded in %.0f ms\n", links, NowMs() - loadStart);

    bool allListed = true;
    for (int round = 1; round <= rounds; ++round) {
        bool done = false;
        std::unique_ptr<UrlExtractDialog> dialog;
        double collected = 0;
        double start = NowMs();
        auto collection =
            std::make_unique<WebKitLinkCollection>(view, [&](std::vector<FrameReport> documents) {
                collected = NowMs();
                dialog = std::make_unique<UrlExtractDialog>(
                    UrlExtractDialogServices{window, settings, clipboard, messageBox,
                                             [](const std::string&) {}},
                    std::move(documents), "bench");
                dialog->present();
                done = true;
            });
        RunUntil(done);
        while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
        double end = NowMs();
        bool complete = dialog && dialog->RowCount() == static_cast<std::size_t>(links);
        allListed = allListed && complete;
        std::printf("round %d: collected %.0f ms, list filled and shown %.0f ms, total %.0f ms, %zu rows\n",
                    round, collected - start, end - collected, end - start, dialog ? dialog->RowCount() : 0);
        collection.reset();
        dialog.reset();
    }
    gtk_widget_destroy(GTK_WIDGET(view));
    return allListed ? 0 : 1;
}
