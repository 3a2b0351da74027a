#include "platform/gtk/WebKitPageCommon.h"

#include "platform/gtk/GtkShell.h"

namespace fern {

GtkWindow* WindowOf(GtkWidget* widget) {
    if (!widget) return nullptr;
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    return top && gtk_widget_is_toplevel(top) && GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
}

void TellPageError(GtkWidget* page, const std::string& text) {
    GtkMessageBox box(WindowOf(page));
    box.Show(text, "Fern Browser", MessageBoxKind::Ok);
}

}  // namespace fern
