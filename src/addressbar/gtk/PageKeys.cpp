#include "addressbar/gtk/PageKeys.h"

#include <initializer_list>

namespace fern {

void SendKeyToPage(GtkWidget* page, guint keyval) {
    if (!page || !gtk_widget_get_realized(page)) return;
    gtk_widget_grab_focus(page);
    GdkWindow* window = gtk_widget_get_window(page);
    GdkDisplay* display = gtk_widget_get_display(page);
    if (!window || !display) return;
    guint16 keycode = 0;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys, &count) &&
        count)
        keycode = static_cast<guint16>(keys[0].keycode);
    g_free(keys);
    GdkDevice* keyboard = gdk_seat_get_keyboard(gdk_display_get_default_seat(display));
    for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        event->key.window = GDK_WINDOW(g_object_ref(window));
        event->key.keyval = keyval;
        event->key.hardware_keycode = keycode;
        event->key.send_event = TRUE;
        event->key.time = GDK_CURRENT_TIME;
        if (keyboard) gdk_event_set_device(event, keyboard);
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
}

}  // namespace fern
