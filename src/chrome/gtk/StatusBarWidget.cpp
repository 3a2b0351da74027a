#include "chrome/gtk/StatusBarWidget.h"

#include "platform/text/Encoding.h"

namespace fern {

StatusBarWidget::StatusBarWidget() : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 6) {
    set_border_width(2);
    m_message.set_xalign(0.0f);
    m_message.set_ellipsize(Pango::ELLIPSIZE_END);
    m_message.set_single_line_mode(true);
    pack_start(m_message, Gtk::PACK_EXPAND_WIDGET);
    m_progress.set_size_request(120, -1);
    m_progress.set_valign(Gtk::ALIGN_CENTER);
    m_progress.set_no_show_all(true);
    pack_end(m_progress, Gtk::PACK_SHRINK);
    get_accessible()->set_name(ToUtf8("ステータス バー"));
    m_progress.get_accessible()->set_name(ToUtf8("進行状況"));
}

void StatusBarWidget::SetText(const std::string& text) { m_message.set_text(ToUtf8(text)); }

std::string StatusBarWidget::Text() const { return FromUtf8(m_message.get_text().raw()); }

void StatusBarWidget::SetProgress(int percent) {
    if (percent <= 0 || percent >= 100) {
        m_progress.set_fraction(0.0);
        m_progress.hide();
        return;
    }
    m_progress.set_fraction(percent / 100.0);
    m_progress.show();
}

}  // namespace fern
