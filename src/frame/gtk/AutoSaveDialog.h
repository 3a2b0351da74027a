#pragma once
// The number dialog of "自動保存開始(&S)": minutes 1..60.
#include <gtkmm.h>

#include <optional>

namespace fern {

class AutoSaveDialog : public Gtk::Dialog {
public:
    AutoSaveDialog(Gtk::Window& parent, int minutes);
    // The minutes on OK, nothing on Cancel.
    std::optional<int> Run();
    Gtk::SpinButton& Minutes() { return m_minutes; }

private:
    Gtk::SpinButton m_minutes;
    Gtk::Label m_unit;
};

}  // namespace fern
