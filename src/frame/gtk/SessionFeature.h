#pragma once
// The session lists in the window: the logs, the closed tabs, the start-up
// list and auto-save, with the file chooser and the interval dialog they
// ask through.
#include <gtkmm.h>

#include "frame/SessionLists.h"

namespace fern {

SessionDialogs MakeSessionDialogs(Gtk::Window& parent, CSettingsService& settings);

}  // namespace fern
