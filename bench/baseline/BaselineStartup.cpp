// The start-up baseline: one bare WebKit view in a window, showing the given
// address, with the sandbox on like the browser's. It prints how long after
// the process started the page finished loading, and exits.
//
//   fern_baseline [--no-sandbox] [--linger-ms N] URL
//
// Exit status: 0 loaded, 1 the load failed, 2 bad arguments, 3 timed out.
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

double NowMs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The process start in ms of CLOCK_BOOTTIME (field 22 of /proc/self/stat,
// in clock ticks since boot); negative when it cannot be read.
double ProcessStartMs() {
    FILE* file = std::fopen("/proc/self/stat", "r");
    if (!file) return -1;
    char buffer[1024];
    size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    buffer[length] = '\0';
    // The command name may hold spaces; the fields after it follow its ")".
    char* p = std::strrchr(buffer, ')');
    if (!p) return -1;
    ++p;
    for (int field = 3; field < 22; ++field) {
        p = std::strchr(p + 1, ' ');
        if (!p) return -1;
    }
    unsigned long long ticks = std::strtoull(p + 1, nullptr, 10);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct Run {
    double mainMs = 0;
    int lingerMs = 0;
    int status = 3;
};

void Finish(Run& run, int status) {
    run.status = status;
    if (run.lingerMs > 0)
        g_timeout_add(
            run.lingerMs,
            [](gpointer) {
                gtk_main_quit();
                return G_SOURCE_REMOVE;
            },
            nullptr);
    else gtk_main_quit();
}

}  // namespace

int main(int argc, char** argv) {
    Run run;
    run.mainMs = NowMs(CLOCK_BOOTTIME);
    bool sandbox = true;
    const char* url = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-sandbox") == 0) sandbox = false;
        else if (std::strcmp(argv[i], "--linger-ms") == 0 && i + 1 < argc)
            run.lingerMs = std::atoi(argv[++i]);
        else if (argv[i][0] != '-' && !url) url = argv[i];
        else url = nullptr, i = argc;
    }
    if (!url) {
        std::fprintf(stderr, "usage: %s [--no-sandbox] [--linger-ms N] URL\n", argv[0]);
        return 2;
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }

    // Nothing is written to disk: the measure is the engine, not a profile.
    WebKitWebsiteDataManager* data = webkit_website_data_manager_new_ephemeral();
    WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(data);
    webkit_web_context_set_sandbox_enabled(context, sandbox);
    GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, nullptr));
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), 1024, 768);
    gtk_container_add(GTK_CONTAINER(window), view);

    g_signal_connect(view, "load-changed",
                     G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent event, gpointer data) {
                         if (event != WEBKIT_LOAD_FINISHED) return;
                         auto* r = static_cast<Run*>(data);
                         if (r->status != 3) return;  // failed already
                         double now = NowMs(CLOCK_BOOTTIME);
                         double start = ProcessStartMs();
                         std::printf("load finished: %.1f ms after process start, %.1f ms after main\n",
                                     start >= 0 ? now - start : -1.0, now - r->mainMs);
                         std::fflush(stdout);
                         Finish(*r, 0);
                     }),
                     &run);
    g_signal_connect(
        view, "load-failed",
        G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error, gpointer data) {
            std::fprintf(stderr, "load failed: %s: %s\n", uri, error->message);
            Finish(*static_cast<Run*>(data), 1);
            return FALSE;
        }),
        &run);
    g_timeout_add_seconds(
        60,
        [](gpointer) {
            gtk_main_quit();
            return G_SOURCE_REMOVE;
        },
        nullptr);

    gtk_widget_show_all(window);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), url);
    gtk_main();
    if (run.status == 3) std::fprintf(stderr, "timed out\n");

    gtk_widget_destroy(window);
    g_object_unref(context);
    g_object_unref(data);
    return run.status;
}
