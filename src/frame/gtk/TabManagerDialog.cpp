#include "frame/gtk/TabManagerDialog.h"

#include <algorithm>

#include "platform/text/Encoding.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

TabManagerDialog::TabManagerDialog(Gtk::Window& parent, CMainFrame& frame)
    : Gtk::Dialog(ToUtf8("タブ マネージャー"), parent, true), m_frame(frame) {
    set_default_size(480, 360);
    m_store = Gtk::ListStore::create(m_columns);
    m_list.set_model(m_store);
    m_list.append_column(ToUtf8("タイトル"), m_columns.title);
    m_list.set_headers_visible(false);
    m_list.get_selection()->set_mode(Gtk::SELECTION_MULTIPLE);
    m_list.get_accessible()->set_name(ToUtf8("タブ"));
    m_scroll.add(m_list);
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_scroll.set_vexpand(true);
    get_content_area()->pack_start(m_scroll);

    m_show = add_button(MnemonicLabel("表示(&A)"), Gtk::RESPONSE_NONE);
    m_close = add_button(MnemonicLabel("タブを閉じる(&C)"), Gtk::RESPONSE_NONE);
    add_button(MnemonicLabel("キャンセル(&E)"), Gtk::RESPONSE_CANCEL);
    m_show->set_use_underline(true);
    m_close->set_use_underline(true);
    m_show->signal_clicked().connect([this] { ShowSelected(); });
    m_close->signal_clicked().connect([this] { CloseSelected(); });
    m_list.get_selection()->signal_changed().connect([this] { UpdateButtons(); });
    m_list.signal_row_activated().connect(
        [this](const Gtk::TreeModel::Path&, Gtk::TreeViewColumn*) { ShowSelected(); });
    Fill();
    show_all();
}

void TabManagerDialog::Fill() {
    m_store->clear();
    for (int i = 0; i < m_frame.TabCount(); ++i) {
        CFernView* view = m_frame.ViewAt(i);
        std::string title = view->Title();
        if (title.empty()) title = "タイトル不明";
        auto row = *m_store->append();
        row[m_columns.title] = ToUtf8(title);
        row[m_columns.index] = i;
        if (view == m_frame.ActiveView()) {
            m_list.get_selection()->select(row);
            m_list.scroll_to_row(m_store->get_path(row));
        }
    }
    UpdateButtons();
}

void TabManagerDialog::UpdateButtons() {
    int selected = m_list.get_selection()->count_selected_rows();
    m_show->set_sensitive(selected == 1);
    m_close->set_sensitive(selected >= 1);
}

void TabManagerDialog::ShowSelected() {
    auto rows = m_list.get_selection()->get_selected_rows();
    if (rows.size() != 1) return;
    int index = (*m_store->get_iter(rows.front()))[m_columns.index];
    m_frame.SelectTab(index);
    response(Gtk::RESPONSE_OK);
}

void TabManagerDialog::CloseSelected() {
    std::vector<int> indexes;
    for (const auto& path : m_list.get_selection()->get_selected_rows())
        indexes.push_back((*m_store->get_iter(path))[m_columns.index]);
    // From the last selected row to the first, so the indexes stay valid.
    std::sort(indexes.rbegin(), indexes.rend());
    for (int index : indexes) m_frame.CloseTab(index);
    if (m_frame.TabCount() == 0) {
        response(Gtk::RESPONSE_OK);
        return;
    }
    Fill();
}

}  // namespace fern
