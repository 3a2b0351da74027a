#include "ui/gtk/AccessibleName.h"

#include "platform/text/Encoding.h"

namespace fern {

void SetAccessibleName(Gtk::Widget& widget, const std::string& sjisName) {
    if (AtkObject* accessible = gtk_widget_get_accessible(widget.gobj()))
        atk_object_set_name(accessible, ToUtf8(sjisName).c_str());
}

}  // namespace fern
