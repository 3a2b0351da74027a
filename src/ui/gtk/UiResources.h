#pragma once
// The program's GtkBuilder files, bundled into the program as a GResource.
#include <gtkmm.h>

#include <string>
#include <vector>

namespace fern {

// A builder made from the named .ui file of the bundle; an error in the file
// is a fault of the program and ends it with the reason.
Glib::RefPtr<Gtk::Builder> LoadUi(const std::string& name);
// Every .ui file the bundle holds (for the check that loads them all).
std::vector<std::string> BundledUiFiles();

}  // namespace fern
