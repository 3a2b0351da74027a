#pragma once
// Handing a key on to the page: the page takes the focus and gets a press
// and a release of the key, as if typed there (Tab and F6 from the address
// bar).
#include <gtk/gtk.h>

namespace fern {

void SendKeyToPage(GtkWidget* page, guint keyval);

}  // namespace fern
