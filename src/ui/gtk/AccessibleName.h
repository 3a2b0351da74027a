#pragma once
// Names a widget for screen readers (and the GUI tests that read like one),
// where it shows no label of its own: an icon-only button, a list.
#include <gtkmm.h>

#include <string>

namespace fern {

void SetAccessibleName(Gtk::Widget& widget, const std::string& sjisName);

}  // namespace fern
