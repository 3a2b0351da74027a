#include "gui/GuiTestSupport.h"

#include <ftw.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <gtkmm.h>

namespace fern::test {

void InitGtkOnce() {
    static bool done = false;
    if (done) return;
    done = true;
    if (!g_getenv("FERN_GUI_TEST_HOME")) {
        gchar* home = g_dir_make_tmp("fern-gui-XXXXXX", nullptr);
        g_setenv("FERN_GUI_TEST_HOME", home, TRUE);
        for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            g_setenv(var, home, TRUE);
        g_free(home);
    }
    Gtk::Main::init_gtkmm_internals();
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display";
}

void Pump() {
    for (int i = 0; i < 20; ++i) {
        while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
        g_usleep(5000);
    }
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    bool timedOut = false;
    guint id = g_timeout_add(timeoutMs, [](gpointer p) {
        *static_cast<bool*>(p) = true;
        return G_SOURCE_REMOVE;
    }, &timedOut);
    while (!done() && !timedOut) g_main_context_iteration(nullptr, TRUE);
    if (!timedOut) g_source_remove(id);
    return done();
}

void RemoveTree(const std::string& path) {
    nftw(path.c_str(), [](const char* p, const struct stat*, int, struct FTW*) { return g_remove(p); }, 16,
         FTW_DEPTH | FTW_PHYS);
}

}  // namespace fern::test
