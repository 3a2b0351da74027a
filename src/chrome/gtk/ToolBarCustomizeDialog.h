#pragma once
// "ツール バーのカスタマイズ": picks the tool bar's buttons from the table
// and orders them, and chooses the text mode and the image size.
#include <gtkmm.h>

#include <optional>

#include "chrome/ToolBarTable.h"

namespace fern {

struct ToolBarChoice {
    ToolBarLayout layout;
    ToolBarLook look;
};

// The user's choice on OK; nothing on cancel.
std::optional<ToolBarChoice> RunToolBarCustomizeDialog(Gtk::Window& parent, const ToolBarChoice& current);

}  // namespace fern
