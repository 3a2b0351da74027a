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
    guint id = g_timeout_add(
        timeoutMs,
        [](gpointer p) {
            *static_cast<bool*>(p) = true;
            return G_SOURCE_REMOVE;
        },
        &timedOut);
    while (!done() && !timedOut) g_main_context_iteration(nullptr, TRUE);
    if (!timedOut) g_source_remove(id);
    return done();
}

std::string MakeTempDir(const char* pattern) {
    gchar* dir = g_dir_make_tmp(pattern, nullptr);
    std::string path = dir ? dir : "";
    g_free(dir);
    return path;
}

void RemoveTree(const std::string& path) {
    nftw(
        path.c_str(), [](const char* p, const struct stat*, int, struct FTW*) { return g_remove(p); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

std::string ResFolder() {
    std::string file = __FILE__;  // <source>/tests/gui/GuiTestSupport.cpp
    return file.substr(0, file.rfind("tests/gui/")) + "res";
}

namespace {

void Deliver(GtkWidget* widget, GdkEvent* e) {
    gdk_event_set_device(e, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_widget_event(widget, e);
    gdk_event_free(e);
}

}  // namespace

void SendButton(GtkWidget* widget, GdkEventType type, int button, int x, int y, guint32 time) {
    GdkEvent* e = gdk_event_new(type);
    e->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
    e->button.send_event = TRUE;
    e->button.button = button;
    e->button.x = x;
    e->button.y = y;
    e->button.time = time;
    Deliver(widget, e);
}

void SendMotion(GtkWidget* widget, int x, int y, guint state) {
    GdkEvent* e = gdk_event_new(GDK_MOTION_NOTIFY);
    e->motion.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
    e->motion.x = x;
    e->motion.y = y;
    e->motion.state = state;
    e->motion.time = GDK_CURRENT_TIME;
    Deliver(widget, e);
}

AtkObject* AccessibleChild(AtkObject* parent, int i) {
    AtkObject* child = atk_object_ref_accessible_child(parent, i);
    if (child) g_object_unref(child);
    return child;
}

bool HasState(AtkObject* obj, AtkStateType state) {
    AtkStateSet* set = atk_object_ref_state_set(obj);
    bool has = atk_state_set_contains_state(set, state);
    g_object_unref(set);
    return has;
}

std::string LabelTexts(GtkWidget* widget) {
    std::string text;
    if (GTK_IS_LABEL(widget)) text += std::string(gtk_label_get_text(GTK_LABEL(widget))) + "|";
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* c = children; c; c = c->next) text += LabelTexts(GTK_WIDGET(c->data));
        g_list_free(children);
    }
    return text;
}

}  // namespace fern::test
