#include "filters/gtk/ScriptErrorWindow.h"

#include <cstdio>

#include "platform/text/Encoding.h"

namespace fern {

namespace {
// A page that fails in a loop must not grow the window without end.
constexpr int kMaxEntries = 200;
}  // namespace

ScriptErrorWindow::~ScriptErrorWindow() { delete m_window; }

void ScriptErrorWindow::Build() {
    m_window = new Gtk::Window();
    m_window->set_name(kScriptErrorWindowName);
    m_window->set_title(ToUtf8("スクリプト エラー"));
    m_window->set_transient_for(m_parent);
    m_window->set_default_size(480, 240);
    m_window->set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
    auto* box = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_VERTICAL, 6));
    box->set_border_width(8);
    auto* scroll = Gtk::manage(new Gtk::ScrolledWindow());
    scroll->set_shadow_type(Gtk::SHADOW_IN);
    m_text = Gtk::manage(new Gtk::TextView());
    m_text->set_editable(false);
    m_text->set_wrap_mode(Gtk::WRAP_WORD_CHAR);
    m_text->get_accessible()->set_name(ToUtf8("スクリプト エラー"));
    scroll->add(*m_text);
    auto* close = Gtk::manage(new Gtk::Button(ToUtf8("閉じる(_C)"), true));
    close->signal_clicked().connect([this] { m_window->close(); });
    auto* row = Gtk::manage(new Gtk::ButtonBox(Gtk::ORIENTATION_HORIZONTAL));
    row->set_layout(Gtk::BUTTONBOX_END);
    row->pack_end(*close, Gtk::PACK_SHRINK);
    box->pack_start(*scroll, Gtk::PACK_EXPAND_WIDGET);
    box->pack_start(*row, Gtk::PACK_SHRINK);
    m_window->add(*box);
    // Closing only hides it; the next error starts a fresh list.
    m_window->signal_delete_event().connect([this](GdkEventAny*) {
        m_window->hide();
        m_text->get_buffer()->set_text("");
        m_entries = 0;
        return true;
    });
    box->show_all();
}

void ScriptErrorWindow::Show(const ScriptErrorInfo& error) {
    try {
        if (!m_window) Build();
        if (m_entries >= kMaxEntries) return;
        ++m_entries;
        char line[32];
        std::snprintf(line, sizeof line, "%ld", error.line);
        std::string entry = "エラー: " + error.message + "\nURL: " + error.url + "\n行: " + line + "\n\n";
        auto buffer = m_text->get_buffer();
        buffer->insert(buffer->end(), ToUtf8(entry));
        if (!m_window->get_visible()) m_window->show();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fern: script-error window: %s\n", e.what());
    }
}

}  // namespace fern
