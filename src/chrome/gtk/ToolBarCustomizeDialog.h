#pragma once
// "ツール バーのカスタマイズ": picks the tool bar's buttons from the table
// and orders them, and chooses the text mode and the image size.
#include <gtkmm.h>

#include <functional>
#include <memory>
#include <optional>

#include "chrome/ToolBarTable.h"

namespace fern {

struct ToolBarChoice {
    ToolBarLayout layout;
    ToolBarLook look;
};

class ToolBarCustomizeDialog {
public:
    ToolBarCustomizeDialog(Gtk::Window& parent, const ToolBarChoice& current);
    ~ToolBarCustomizeDialog();
    // Shows the dialog without waiting; `done` gets the user's choice on OK,
    // nothing on cancel or close.
    void Show(std::function<void(std::optional<ToolBarChoice>)> done);
    Gtk::Dialog& Widget();

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace fern
