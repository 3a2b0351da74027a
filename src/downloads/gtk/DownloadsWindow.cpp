#include "downloads/gtk/DownloadsWindow.h"

#include <cstdio>

#include "downloads/DownloadFiles.h"
#include "downloads/DownloadText.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

Glib::ustring DisplayName(const std::string& path) {
    gchar* name = g_filename_display_basename(path.c_str());
    Glib::ustring text = name ? name : "";
    g_free(name);
    return text;
}

}  // namespace

// One download: its texts, its bar and its buttons, refreshed from the item.
class DownloadRow : public Gtk::ListBoxRow {
public:
    DownloadRow(CDownloadList& list, int id) : m_list(list), m_id(id) {
        m_name.set_xalign(0);
        m_name.set_hexpand(true);
        m_name.set_ellipsize(Pango::ELLIPSIZE_MIDDLE);
        m_name.get_style_context()->add_class("heading");
        m_state.set_xalign(1);
        m_site.set_xalign(0);
        m_site.set_ellipsize(Pango::ELLIPSIZE_END);
        m_detail.set_xalign(1);
        m_detail.set_ellipsize(Pango::ELLIPSIZE_END);
        m_detail.set_line_wrap(true);
        m_progress.set_show_text(true);
        m_progress.get_accessible()->set_name(ToUtf8("進行状況"));
        m_grid.set_border_width(8);
        m_grid.set_row_spacing(3);
        m_grid.set_column_spacing(12);
        m_grid.attach(m_name, 0, 0);
        m_grid.attach(m_state, 1, 0);
        m_grid.attach(m_site, 0, 1);
        m_grid.attach(m_detail, 1, 1);
        m_grid.attach(m_progress, 0, 2, 2, 1);
        m_grid.attach(m_buttons, 0, 3, 2, 1);
        AddButton(m_cancel, "キャンセル", [this] { m_list.Cancel(m_id); });
        AddButton(m_retry, "再試行", [this] { m_list.Retry(m_id); });
        AddButton(m_open, "開く", [this] { m_list.Open(m_id); });
        AddButton(m_folder, "フォルダを開く", [this] { m_list.OpenFolder(m_id); });
        AddButton(m_remove, "一覧から削除", [this] { m_list.Remove(m_id); });
        set_activatable(false);
        add(m_grid);
        show_all();
    }

    void Update(const DownloadItem& item) {
        const Glib::ustring name = DisplayName(item.path);
        const Glib::ustring state = ToUtf8(StateText(item.state));
        SetText(m_name, name);
        SetText(m_state, state);
        SetText(m_site, ToUtf8(item.site));
        std::string detail;
        if (item.state == DownloadState::Running && item.bytesPerSecond > 0) {
            detail = SpeedText(item.bytesPerSecond);
            std::string left = TimeLeftText(item.received, item.size, item.bytesPerSecond);
            if (!left.empty()) detail += "  " + left;
        } else if (item.state == DownloadState::Failed) {
            detail = item.reason;
        }
        SetText(m_detail, ToUtf8(detail));
        m_progress.set_text(ToUtf8(ProgressText(item.received, item.size)));
        if (item.state == DownloadState::Done) m_progress.set_fraction(1);
        else if (item.size > 0)
            m_progress.set_fraction(std::min(1.0, static_cast<double>(item.received) / item.size));
        else if (item.state == DownloadState::Running) m_progress.pulse();
        else m_progress.set_fraction(0);
        const bool running = item.state == DownloadState::Running;
        m_cancel.set_sensitive(running);
        m_retry.set_sensitive(m_list.CanRetry(m_id));
        m_open.set_sensitive(item.state == DownloadState::Done);
        m_folder.set_sensitive(item.state == DownloadState::Done);
        // A screen reader reads the row as its file and state.
        const Glib::ustring summary = name + " " + state;
        if (get_accessible()->get_name() != summary) get_accessible()->set_name(summary);
    }

private:
    CDownloadList& m_list;
    int m_id;
    Gtk::Grid m_grid;
    Gtk::Label m_name, m_state, m_site, m_detail;
    Gtk::ProgressBar m_progress;
    Gtk::Box m_buttons{Gtk::ORIENTATION_HORIZONTAL, 6};
    Gtk::Button m_cancel, m_retry, m_open, m_folder, m_remove;

    void AddButton(Gtk::Button& button, const char* text, std::function<void()> action) {
        button.set_label(ToUtf8(text));
        button.signal_clicked().connect([action = std::move(action)] { Guard("downloads window", action); });
        m_buttons.pack_start(button, Gtk::PACK_SHRINK);
    }

    // Only a real change is set, so the progress ticks do not re-announce.
    static void SetText(Gtk::Label& label, const Glib::ustring& text) {
        if (label.get_text() != text) label.set_text(text);
    }
};

DownloadsWindow::DownloadsWindow(CDownloadList& list, bool openOnStart,
                                 std::function<void(bool)> openOnStartChanged)
    : m_list(list) {
    set_title(ToUtf8("ダウンロード"));
    set_default_size(640, 420);
    m_openOnStart.set_label(MnemonicLabel("ダウンロード開始時にこのウィンドウを開く(&W)"));
    m_openOnStart.set_use_underline(true);
    m_openOnStart.set_active(openOnStart);
    m_openOnStart.signal_toggled().connect([this, changed = std::move(openOnStartChanged)] {
        if (changed) changed(m_openOnStart.get_active());
    });
    // A label of the window, not the list's placeholder, which assistive
    // technologies do not see.
    m_empty.set_text(ToUtf8("ダウンロードはありません"));
    m_empty.set_no_show_all(true);
    m_rows.set_selection_mode(Gtk::SELECTION_NONE);
    m_rows.get_accessible()->set_name(ToUtf8("ダウンロード一覧"));
    m_scroll.set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_AUTOMATIC);
    m_scroll.set_vexpand(true);
    m_scroll.add(m_rows);
    m_box.set_border_width(8);
    m_box.pack_start(m_openOnStart, Gtk::PACK_SHRINK);
    m_box.pack_start(m_empty, Gtk::PACK_SHRINK);
    m_box.pack_start(m_scroll, Gtk::PACK_EXPAND_WIDGET);
    add(m_box);
    m_box.show_all();
    for (const DownloadItem& item : m_list.Items()) DownloadAdded(item);
    ShowEmpty();
    m_list.AddObserver(this);
}

DownloadsWindow::~DownloadsWindow() { m_list.RemoveObserver(this); }

void DownloadsWindow::DownloadAdded(const DownloadItem& item) {
    auto row = std::make_unique<DownloadRow>(m_list, item.id);
    row->Update(item);
    // Newest first.
    m_rows.prepend(*row);
    m_rowOf[item.id] = std::move(row);
    ShowEmpty();
}

void DownloadsWindow::DownloadChanged(const DownloadItem& item) {
    auto it = m_rowOf.find(item.id);
    if (it != m_rowOf.end()) it->second->Update(item);
}

void DownloadsWindow::DownloadRemoved(int id) {
    auto it = m_rowOf.find(id);
    if (it == m_rowOf.end()) return;
    // The row's own button may be what removed it: it goes after its click.
    std::shared_ptr<DownloadRow> row(it->second.release());
    m_rowOf.erase(it);
    m_rows.remove(*row);
    ShowEmpty();
    Glib::signal_idle().connect_once([row] {});
}

DownloadStatusButton::DownloadStatusButton(std::function<void()> clicked) : m_clicked(std::move(clicked)) {
    set_relief(Gtk::RELIEF_NONE);
    set_no_show_all(true);
    signal_clicked().connect([this] {
        if (m_clicked) m_clicked();
    });
}

void DownloadStatusButton::RunningCountChanged(int running) {
    char text[64];
    std::snprintf(text, sizeof text, "ダウンロード中 (%d)", running);
    set_label(ToUtf8(text));
    set_tooltip_text(ToUtf8("ダウンロード ウィンドウを開く"));
    set_visible(running > 0);
}

}  // namespace fern
