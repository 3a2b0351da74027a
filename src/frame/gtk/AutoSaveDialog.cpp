#include "frame/gtk/AutoSaveDialog.h"

#include "platform/text/Encoding.h"

namespace fern {

AutoSaveDialog::AutoSaveDialog(Gtk::Window& parent, int minutes)
    : Gtk::Dialog(ToUtf8("自動保存"), parent, true),
      m_minutes(Gtk::Adjustment::create(minutes, 1, 60, 1, 10)),
      m_unit(ToUtf8("分")) {
    m_minutes.set_numeric(true);
    m_minutes.set_activates_default(true);
    m_minutes.get_accessible()->set_name(ToUtf8("自動保存"));
    auto* row = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6));
    row->set_border_width(8);
    row->pack_start(m_minutes);
    row->pack_start(m_unit, Gtk::PACK_SHRINK);
    get_content_area()->pack_start(*row);
    add_button("OK", Gtk::RESPONSE_OK);
    add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    set_default_response(Gtk::RESPONSE_OK);
    show_all();
}

std::optional<int> AutoSaveDialog::Run() {
    int response = run();
    hide();
    if (response != Gtk::RESPONSE_OK) return std::nullopt;
    m_minutes.update();
    return m_minutes.get_value_as_int();
}

}  // namespace fern
