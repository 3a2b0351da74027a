// Close all on many loaded tabs, on the real pieces of the browser: the main
// frame with its window, tab bar and WebKit views on one shared context, put
// together as the program does. It opens N tabs of a page, waits until every
// tab has finished loading and shows its title, then times CloseAll().
//
//   fern_closeall_bench [--tabs N] [--rounds R] [--select-last] URL
//
// --select-last selects the last tab before closing (the first tab is
// selected otherwise, as after opening them), to show what the closes cost
// when no page behind the selected one has to be brought up meanwhile.
// URL is a page whose title starts with "bench" (each tab gets "?tab=i"
// appended). Needs a display (Xvfb) and a temporary HOME. Prints one line per
// round; exit status 0 when every round closed every tab, 1 otherwise,
// 2 on bad arguments or no display.
#include <glib/gstdio.h>
#include <gtkmm.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "app/DataPaths.h"
#include "commands/CommandRouter.h"
#include "commands/KeyManager.h"
#include "frame/MainFrame.h"
#include "frame/TabBarLook.h"
#include "frame/gtk/MainFrameWindow.h"
#include "frame/gtk/TabBarEvents.h"
#include "frame/gtk/TabBarWidget.h"
#include "page/PopupFilter.h"
#include "platform/gtk/GtkShell.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/gtk/WebKitEngineFactory.h"
#include "platform/text/Encoding.h"
#include "settings/IniProfile.h"
#include "settings/SettingsService.h"

namespace {

using namespace fern;

double NowMs(clockid_t clock = CLOCK_MONOTONIC) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Busy and total jiffies of all processors, from /proc/stat.
std::pair<long long, long long> CpuJiffies() {
    long long user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0, steal = 0;
    FILE* file = std::fopen("/proc/stat", "r");
    if (!file) return {0, 0};
    int got = std::fscanf(file, "cpu %lld %lld %lld %lld %lld %lld %lld %lld", &user, &nice, &system, &idle,
                          &iowait, &irq, &softirq, &steal);
    std::fclose(file);
    if (got < 4) return {0, 0};
    long long busy = user + nice + system + irq + softirq + steal;
    return {busy, busy + idle + iowait};
}

// Runs the main loop until `done` holds or `timeoutMs` passes.
template <typename Pred>
bool IterateUntil(Pred done, double timeoutMs) {
    double end = NowMs() + timeoutMs;
    while (!done()) {
        if (NowMs() > end) return false;
        if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(2000);
    }
    return true;
}

void DrainEvents() {
    while (g_main_context_iteration(nullptr, FALSE)) {}
}

// Our descendants named WebKitWebProcess (inside the sandbox helpers).
int CountWebProcesses() {
    std::vector<std::pair<int, int>> parentOf;  // pid, ppid
    std::vector<std::pair<int, std::string>> names;
    GDir* proc = g_dir_open("/proc", 0, nullptr);
    if (!proc) return -1;
    while (const char* entry = g_dir_read_name(proc)) {
        int pid = std::atoi(entry);
        if (pid <= 0) continue;
        gchar* stat = nullptr;
        if (!g_file_get_contents((std::string("/proc/") + entry + "/stat").c_str(), &stat, nullptr, nullptr))
            continue;
        const char* open = std::strchr(stat, '(');
        const char* close = std::strrchr(stat, ')');
        if (open && close && close > open) {
            int ppid = 0;
            char state = 0;
            if (std::sscanf(close + 1, " %c %d", &state, &ppid) == 2 && state != 'Z') {
                parentOf.emplace_back(pid, ppid);
                names.emplace_back(pid, std::string(open + 1, close));
            }
        }
        g_free(stat);
    }
    g_dir_close(proc);
    std::vector<int> tree{static_cast<int>(getpid())};
    for (std::size_t i = 0; i < tree.size(); ++i)
        for (auto [pid, ppid] : parentOf)
            if (ppid == tree[i]) tree.push_back(pid);
    int count = 0;
    for (int pid : tree)
        for (auto& [p, name] : names)
            if (p == pid && name.rfind("WebKitWebProces", 0) == 0) ++count;
    return count;
}

// Removes a folder and everything below it (symbolic links are not followed).
bool RemoveTree(const std::string& path) {
    if (g_file_test(path.c_str(), G_FILE_TEST_IS_DIR) && !g_file_test(path.c_str(), G_FILE_TEST_IS_SYMLINK)) {
        GDir* dir = g_dir_open(path.c_str(), 0, nullptr);
        if (!dir) return false;
        bool ok = true;
        while (const char* name = g_dir_read_name(dir)) ok = RemoveTree(path + "/" + name) && ok;
        g_dir_close(dir);
        return g_rmdir(path.c_str()) == 0 && ok;
    }
    return g_unlink(path.c_str()) == 0;
}

std::string ResourceFolder(const char* argv0) {
    gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
    std::string dir = exe ? std::string(exe) : std::string(argv0);
    g_free(exe);
    dir = dir.substr(0, dir.rfind('/'));
    for (const std::string& candidate : {dir + "/res", dir + "/../res"})
        if (g_file_test(candidate.c_str(), G_FILE_TEST_IS_DIR)) return FromUtf8(candidate);
    return std::string();
}

// The first time the window is painted after `armed` is set.
struct PaintWatch {
    bool armed = false;
    double at = 0;
};

bool AllLoaded(const CMainFrame& frame, int tabs) {
    if (frame.TabCount() != tabs) return false;
    for (int i = 0; i < tabs; ++i) {
        CFernView* view = frame.ViewAt(i);
        const TabItem* item = frame.Tabs().Item(i);
        if (!view || !item || !view->Engine() || view->Engine()->Busy()) return false;
        if (item->text.rfind("bench", 0) != 0) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int tabs = 50, rounds = 1;
    bool selectLast = false;
    const char* url = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tabs") == 0 && i + 1 < argc) tabs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) rounds = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--select-last") == 0) selectLast = true;
        else if (argv[i][0] != '-' && !url) url = argv[i];
        else url = nullptr, i = argc;
    }
    if (!url || tabs < 1 || tabs > 500 || rounds < 1 || rounds > 20) {
        std::fprintf(stderr, "usage: %s [--tabs N] [--rounds R] [--select-last] URL\n", argv[0]);
        return 2;
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    Gtk::Main::init_gtkmm_internals();

    gchar* tmp = g_dir_make_tmp("fern-closeall-XXXXXX", nullptr);
    if (!tmp) {
        std::fprintf(stderr, "no temporary folder\n");
        return 2;
    }
    std::string folder = FromUtf8(tmp);
    int failures = 0;
    {
        DataPaths paths = MakeDataPaths(folder);
        IniProfile profile(paths.profile), windows(paths.windows);
        SettingsStore store(profile, windows);
        CSettingsService service(store);
        // No tab limit, whatever the defaults say.
        service.Change(SettingsSection::TabBar, [](ProgramSettings& s) { s.tabBar.limitTabCount = false; });
        const ProgramSettings& settings = service.Live();

        WebKitContext context(folder);
        WebKitEngineFactory engines(context, HomePageUrl(settings));
        GlibTimers timers;
        GlibMessageQueue queue;
        GtkClipboardText clipboard;
        GtkMessageBox messageBox;
        NoPopupFilter filter;
        FrameServices services{engines,
                               timers,
                               queue,
                               clipboard,
                               messageBox,
                               filter,
                               [](const std::string& text) { return text; },
                               [](const std::string&) { return false; },
                               [] { return false; }};
        CMainFrame frame(std::move(services), settings);
        CCommandRouter router;
        frame.RegisterCommands(router);
        CKeyManager keys;
        MainFrameWindow window(frame, router, keys, [](CFernView* view) -> GtkWidget* {
            auto* engine = dynamic_cast<WebKitEngine*>(view->Engine());
            return engine ? engine->Widget() : nullptr;
        });
        messageBox.SetParent(window.gobj());

        TabBarWidget tabBar;
        TabBarFrameEvents tabEvents(
            frame, [](const std::string& t) { return t; }, [] {});
        tabBar.SetLook(MakeTabBarLook(settings.tabBar));
        tabBar.SetModel(&frame.Tabs());
        tabBar.SetEvents(&tabEvents);
        tabBar.LoadImages(ResourceFolder(argv[0]));
        window.SetTabBar(tabBar, tabBar.Look().belowPages);
        window.SetTabBarRefresh([&] { tabBar.Refresh(); });
        window.show();
        DrainEvents();

        for (int round = 1; round <= rounds; ++round) {
            double openStart = NowMs();
            for (int i = 0; i < tabs; ++i) {
                char address[2048];
                std::snprintf(address, sizeof address, "%s%stab=%d", url, std::strchr(url, '?') ? "&" : "?",
                              i);
                frame.OpenUrl(address, kOpenNewTab, 0xFFFFFFFFu, 1);
            }
            double opened = NowMs();
            if (!IterateUntil([&] { return AllLoaded(frame, tabs); }, 300000)) {
                std::fprintf(stderr, "round %d: only %d tabs, not all loaded after 300 s\n", round,
                             frame.TabCount());
                ++failures;
                break;
            }
            double loaded = NowMs();
            if (selectLast) frame.SelectTab(tabs - 1);
            // Let the pages paint and the web processes go idle.
            IterateUntil([] { return false; }, 2000);
            int processes = CountWebProcesses();

            PaintWatch paint;
            GdkFrameClock* clock = gdk_window_get_frame_clock(window.get_window()->gobj());
            gulong painted =
                g_signal_connect(clock, "after-paint", G_CALLBACK(+[](GdkFrameClock*, gpointer data) {
                                     auto* watch = static_cast<PaintWatch*>(data);
                                     if (watch->armed && watch->at == 0) watch->at = NowMs();
                                 }),
                                 &paint);

            auto jiffies = CpuJiffies();
            double cpu = NowMs(CLOCK_THREAD_CPUTIME_ID);
            double start = NowMs();
            paint.armed = true;
            frame.CloseAll();
            double closed = NowMs();
            DrainEvents();
            double drained = NowMs();
            double cpuUsed = NowMs(CLOCK_THREAD_CPUTIME_ID) - cpu;
            IterateUntil([&] { return paint.at != 0; }, 10000);
            g_signal_handler_disconnect(clock, painted);
            auto jiffiesAfter = CpuJiffies();
            long long total = jiffiesAfter.second - jiffies.second;
            double busy =
                total > 0 ? 100.0 * static_cast<double>(jiffiesAfter.first - jiffies.first) / total : -1;
            bool gone = frame.TabCount() == 0 && frame.ViewCount() == 0;
            IterateUntil([] { return CountWebProcesses() == 0; }, 30000);
            double exited = NowMs();
            if (!gone) ++failures;
            // For a profiler recording on CLOCK_MONOTONIC (perf record -k mono).
            std::fprintf(stderr, "close-all window: %.6f %.6f s\n", start / 1000, drained / 1000);
            std::printf(
                "round %d: %d tabs (%d web processes) opened in %.0f ms, loaded in %.0f ms; "
                "CloseAll %.1f ms, + pending events %.1f ms = %.1f ms "
                "(UI thread CPU %.0f ms, processors %.0f%% busy); window repainted after %.0f ms; "
                "views gone: %s; web processes ended after %.0f ms\n",
                round, tabs, processes, opened - openStart, loaded - openStart, closed - start,
                drained - closed, drained - start, cpuUsed, busy, paint.at != 0 ? paint.at - start : -1.0,
                gone ? "yes" : "NO", exited - start);
            std::fflush(stdout);
        }
    }
    // The profile folder goes with the run.
    if (!RemoveTree(tmp)) std::fprintf(stderr, "could not remove all of %s\n", tmp);
    g_free(tmp);
    return failures ? 1 : 0;
}
