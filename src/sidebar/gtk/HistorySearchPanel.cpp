#include "sidebar/gtk/HistorySearchPanel.h"

#include <sys/time.h>

#include <cstdio>
#include <ctime>

#include "platform/text/Encoding.h"
#include "sidebar/PanelMenus.h"
#include "sidebar/gtk/PanelMenuWidget.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

HistoryTime Now() { return static_cast<HistoryTime>(std::time(nullptr)); }

// "200,300,140"; the built-in widths unless it gives three numbers.
std::array<int, 3> ColumnWidths(const std::string& text) {
    std::array<int, 3> widths{200, 300, 140};
    int a = 0, b = 0, c = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d", &a, &b, &c) == 3 && a > 0 && b > 0 && c > 0) widths = {a, b, c};
    return widths;
}

// The default name of the HTML export: the local time with its weekday.
std::string ExportName() {
    struct timeval now {};
    gettimeofday(&now, nullptr);
    std::tm t{};
    localtime_r(&now.tv_sec, &t);
    static const char* const days[] = {"日", "月", "火", "水", "木", "金", "土"};
    char name[96];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d(%s)%02d-%02d-%02d-%d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, days[t.tm_wday % 7], t.tm_hour, t.tm_min, t.tm_sec,
                  static_cast<int>(now.tv_usec / 1000));
    return name;
}

}  // namespace

HistorySearchPanel::HistorySearchPanel(PanelServices services, HistoryStore& store, SearchStrings& words)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL),
      m_s(std::move(services)),
      m_store(store),
      m_words(words),
      m_worker(m_s.queue),
      m_model(Gtk::ListStore::create(m_columns)) {
    const HistorySearchSettings& hs = m_s.settings.Live().historySearch;
    m_words.keep = hs.keepSearchStrings;
    m_list.SetSort(hs.sort);
    set_spacing(3);
    set_border_width(3);
    m_label.set_text(ToUtf8("検索する文字列:"));
    m_label.set_xalign(0);
    pack_start(m_label, Gtk::PACK_SHRINK);
    m_combo.get_entry()->get_accessible()->set_name(ToUtf8("検索する文字列"));
    m_combo.get_entry()->signal_activate().connect([this] { SearchPressed(); });
    pack_start(m_combo, Gtk::PACK_SHRINK);
    auto* buttons = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 3));
    m_settingsButton.set_label(ToUtf8("設定"));
    m_reloadButton.set_label(ToUtf8("更新"));
    m_searchButton.set_label(ToUtf8("検索"));
    m_stopButton.set_label(ToUtf8("中止"));
    m_stopButton.set_sensitive(false);
    m_settingsButton.signal_clicked().connect([this] { ShowMenu(nullptr); });
    m_reloadButton.signal_clicked().connect([this] { Reload(); });
    m_searchButton.signal_clicked().connect([this] { SearchPressed(); });
    m_stopButton.signal_clicked().connect([this] { m_worker.Stop(); });
    for (Gtk::Button* button : {&m_settingsButton, &m_reloadButton, &m_searchButton, &m_stopButton})
        buttons->pack_start(*button, Gtk::PACK_SHRINK);
    pack_start(*buttons, Gtk::PACK_SHRINK);

    m_view.set_model(m_model);
    std::array<int, 3> widths = ColumnWidths(hs.columnWidths);
    const char* titles[] = {"タイトル", "URL", "更新日時"};
    Gtk::TreeModelColumn<Glib::ustring>* texts[] = {&m_columns.title, &m_columns.url, &m_columns.date};
    for (int i = 0; i < 3; ++i) {
        auto* cell = Gtk::manage(new Gtk::CellRendererText());
        if (i == 2) cell->property_xalign() = 1.0;
        auto* column = Gtk::manage(new Gtk::TreeViewColumn(ToUtf8(titles[i]), *cell));
        column->add_attribute(cell->property_text(), *texts[i]);
        column->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
        column->set_fixed_width(widths[static_cast<std::size_t>(i)]);
        column->set_resizable(true);
        column->set_clickable(true);
        column->signal_clicked().connect([this, i] { SortBy(i); });
        m_view.append_column(*column);
    }
    m_view.get_accessible()->set_name(ToUtf8("履歴検索"));
    m_view.set_has_tooltip(true);
    m_view.signal_query_tooltip().connect(sigc::mem_fun(*this, &HistorySearchPanel::OnQueryTooltip), false);
    m_view.signal_button_press_event().connect(sigc::mem_fun(*this, &HistorySearchPanel::OnButton), false);
    m_view.signal_key_press_event().connect(sigc::mem_fun(*this, &HistorySearchPanel::OnKey), false);
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_scroll.add(m_view);
    pack_start(m_scroll, Gtk::PACK_EXPAND_WIDGET);
    FillCombo();
    show_all_children();
}

HistorySearchPanel::~HistorySearchPanel() {
    m_showRows.disconnect();
    // The worker never waits for the main loop: stopping it and waiting is safe here.
    m_worker.Stop();
    m_worker.Join();
    SaveColumns();
}

void HistorySearchPanel::Shown() {
    if (!m_filled) Reload();
}

void HistorySearchPanel::Reload() {
    const HistorySearchSettings& hs = m_s.settings.Live().historySearch;
    HistorySearchRequest request;
    request.everyPage = true;
    request.scope = HistoryListScope(hs.filterStyle == 1, hs.useUrlFilter, hs.filter, Now());
    request.datePicture = hs.dateFormat;
    Start(std::move(request));
}

void HistorySearchPanel::Start(HistorySearchRequest request) {
    if (m_worker.Running()) return;
    m_filled = true;
    m_list.Clear();
    ShowRows();
    bool started = m_worker.Start(
        std::move(request), [store = &m_store] { return store->OpenReader(); },
        [this](std::vector<HistoryRecord> rows) {
            for (HistoryRecord& row : rows) m_list.Add(std::move(row));
            // Rows come in batches: the view follows a few times a second.
            if (!m_showRows.connected())
                m_showRows = Glib::signal_timeout().connect(
                    [this] {
                        ShowRows();
                        return false;
                    },
                    200);
        },
        [this](bool) { Finished(); });
    if (!started) return;
    m_combo.set_sensitive(false);
    m_searchButton.set_sensitive(false);
    m_reloadButton.set_sensitive(false);
    m_stopButton.set_sensitive(true);
}

void HistorySearchPanel::Finished() {
    m_showRows.disconnect();
    ShowRows();
    bool hadFocus = m_stopButton.has_focus();
    m_combo.set_sensitive(true);
    m_searchButton.set_sensitive(true);
    m_reloadButton.set_sensitive(true);
    m_stopButton.set_sensitive(false);
    if (hadFocus) m_combo.get_entry()->grab_focus();
}

void HistorySearchPanel::ShowRows() {
    int selected = Selected();
    m_model->clear();
    const std::vector<HistoryRecord>& rows = m_list.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Gtk::TreeModel::Row row = *m_model->append();
        row[m_columns.title] = ToUtf8(rows[i].title);
        row[m_columns.url] = ToUtf8(rows[i].url);
        row[m_columns.date] = ToUtf8(rows[i].dateText);
        row[m_columns.index] = static_cast<int>(i);
    }
    if (selected >= 0 && selected < static_cast<int>(rows.size())) Select(selected);
}

void HistorySearchPanel::FillCombo() {
    Glib::ustring typed = m_combo.get_entry()->get_text();
    m_combo.remove_all();
    for (const std::string& entry : m_words.entries) m_combo.append(ToUtf8(entry));
    m_combo.get_entry()->set_text(typed);
}

int HistorySearchPanel::Selected() const {
    auto rows = const_cast<Gtk::TreeView&>(m_view).get_selection()->get_selected_rows();
    return rows.empty() ? -1 : rows.front()[0];
}

void HistorySearchPanel::Select(int index) {
    Gtk::TreeModel::Path path;
    path.push_back(index);
    m_view.get_selection()->select(path);
    m_view.set_cursor(path);
    m_view.scroll_to_row(path);
}

void HistorySearchPanel::SearchPressed() {
    std::string text = FromUtf8(m_combo.get_entry()->get_text().raw());
    if (text.empty()) return;
    m_words.Push(text);
    FillCombo();
    m_combo.get_entry()->set_text(ToUtf8(text));
    const HistorySearchSettings& hs = m_s.settings.Live().historySearch;
    if (!hs.searchCache) {
        int found = m_list.FindNext(text, hs.caseSensitive, Selected());
        if (found >= 0) Select(found);
        return;
    }
    HistorySearchRequest request;
    request.text = text;
    request.match = {hs.caseSensitive, hs.charCode};
    request.scope = HistoryListScope(hs.filterStyle == 1, hs.useUrlFilter, hs.filter, Now());
    request.datePicture = hs.dateFormat;
    Start(std::move(request));
    if (m_worker.Running()) m_stopButton.grab_focus();
}

// A connection of the main loop's that sees what was written since.
HistoryDb* HistorySearchPanel::FreshReader() {
    m_reader = m_store.OpenReader();
    return m_reader.get();
}

void HistorySearchPanel::Open(int index, bool newTab, bool alt) {
    if (index < 0 || index >= static_cast<int>(m_list.Rows().size())) return;
    HistoryDbPageCache cache(FreshReader());
    std::string url = HistoryUrlToOpen(m_list.Rows()[static_cast<std::size_t>(index)].url, alt, cache);
    m_s.open(url, HistoryOpenFlags(newTab, m_s.settings.Live().fernBar.style), 0xFFFFFFFFu, 1);
}

bool HistorySearchPanel::OnButton(GdkEventButton* event) {
    Gtk::TreeModel::Path path;
    Gtk::TreeViewColumn* column = nullptr;
    int cx = 0, cy = 0;
    bool onRow =
        m_view.get_path_at_pos(static_cast<int>(event->x), static_cast<int>(event->y), path, column, cx, cy);
    if (event->type == GDK_BUTTON_PRESS && event->button == 3) {
        if (onRow) m_view.get_selection()->select(path);
        else m_view.get_selection()->unselect_all();
        ShowMenu(reinterpret_cast<const GdkEvent*>(event));
        return true;
    }
    if (event->type == GDK_2BUTTON_PRESS && event->button == 1 && onRow) {
        bool shift = event->state & GDK_SHIFT_MASK;
        Open(path[0], shift || m_s.settings.Live().historySearch.openInNewTab, event->state & GDK_MOD1_MASK);
        if (!m_s.settings.Live().fernBar.focusPageOnOpen) m_view.grab_focus();
        return true;
    }
    return false;
}

bool HistorySearchPanel::OnKey(GdkEventKey* event) {
    bool ctrl = event->state & GDK_CONTROL_MASK;
    int row = Selected();
    switch (event->keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
            Open(row, event->state & GDK_SHIFT_MASK, event->state & GDK_MOD1_MASK);
            return true;
        case GDK_KEY_a:
            if (!ctrl) return false;
            MenuChosen(kHsCopyTitle, row);
            return true;
        case GDK_KEY_z:
            if (!ctrl) return false;
            MenuChosen(kHsCopyUrl, row);
            return true;
        default: return false;
    }
}

void HistorySearchPanel::ShowMenu(const GdkEvent* event) {
    int row = Selected();
    PopUpPanelMenu(
        m_view,
        HistorySearchMenu(m_s.settings.Live().historySearch, row >= 0, m_worker.Running(), !m_list.Empty()),
        event, [this, row](int id) { MenuChosen(id, row); });
}

void HistorySearchPanel::MenuChosen(int id, int row) {
    bool onRow = row >= 0 && row < static_cast<int>(m_list.Rows().size());
    const HistoryRecord* record = onRow ? &m_list.Rows()[static_cast<std::size_t>(row)] : nullptr;
    switch (id) {
        case kHsOpen:
        case kHsOpenInNewTab: Open(row, id == kHsOpenInNewTab, false); return;
        case kHsCopyTitle:
            if (record) m_s.clipboard.SetText(record->title);
            return;
        case kHsCopyUrl:
            if (record) {
                HistoryDbPageCache cache(FreshReader());
                m_s.clipboard.SetText(HistoryUrlToOpen(record->url, false, cache));
            }
            return;
        case kHsAddBookmark:
            if (record && m_s.addBookmark) m_s.addBookmark(record->title, record->url);
            return;
        case kHsEditFilter: EditText(false); return;
        case kHsDatePicture: EditText(true); return;
        case kHsSaveHtml: SaveHtml(); return;
        case kHsReload: Reload(); return;
        default: break;
    }
    m_s.settings.Change(SettingsSection::HistorySearch,
                        [id](ProgramSettings& s) { ApplyHistorySearchItem(id, s.historySearch); });
    const HistorySearchSettings& hs = m_s.settings.Live().historySearch;
    m_words.keep = hs.keepSearchStrings;
    if (id == kHsTodayOnly || id == kHsUseFilter) Reload();
}

// "フィルタの設定" and "日付の表示形式": a text with its usual choices.
void HistorySearchPanel::EditText(bool datePicture) {
    const HistorySearchSettings& hs = m_s.settings.Live().historySearch;
    Gtk::Dialog dialog(ToUtf8(datePicture ? "日付の表示形式" : "フィルタの設定"), true);
    if (m_s.dialogParent) dialog.set_transient_for(*m_s.dialogParent);
    Gtk::Box box(Gtk::ORIENTATION_VERTICAL, 6);
    box.set_border_width(8);
    Gtk::ComboBoxText combo(true);
    static const char* const filters[] = {"http://", "ftp://", "file://", "https://", "mk:@", "res://"};
    static const char* const pictures[] = {"yy/MM/dd ddd HH:mm:ss", "yyyy/M/d tt h:mm:ss",
                                           "yyyy/MM/dd tt hh:mm:ss", "yyyy/MM/dd (ddd) HH:mm:ss",
                                           "yyyy/MM/dd (dddd) tt h:m:s"};
    if (datePicture)
        for (const char* p : pictures) combo.append(p);
    else
        for (const char* f : filters) combo.append(f);
    combo.get_entry()->set_text(ToUtf8(datePicture ? hs.dateFormat : hs.filter));
    combo.get_entry()->set_activates_default(true);
    box.pack_start(combo, Gtk::PACK_SHRINK);
    Gtk::Label note(ToUtf8("再読み込み後から有効になります"));
    if (datePicture) box.pack_start(note, Gtk::PACK_SHRINK);
    dialog.get_content_area()->pack_start(box);
    dialog.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    dialog.add_button("OK", Gtk::RESPONSE_OK);
    dialog.set_default_response(Gtk::RESPONSE_OK);
    dialog.show_all();
    if (dialog.run() != Gtk::RESPONSE_OK) return;
    std::string text = FromUtf8(combo.get_entry()->get_text().raw());
    m_s.settings.Change(SettingsSection::HistorySearch, [&](ProgramSettings& s) {
        (datePicture ? s.historySearch.dateFormat : s.historySearch.filter) = text;
    });
}

void HistorySearchPanel::SaveHtml() {
    if (m_list.Empty() || m_worker.Running()) return;
    Gtk::FileChooserDialog chooser(ToUtf8("名前を付けて保存"), Gtk::FILE_CHOOSER_ACTION_SAVE);
    if (m_s.dialogParent) chooser.set_transient_for(*m_s.dialogParent);
    chooser.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    chooser.add_button(ToUtf8("保存"), Gtk::RESPONSE_ACCEPT);
    chooser.set_do_overwrite_confirmation(true);
    chooser.set_current_name(ToUtf8(ExportName()) + ".html");
    auto filter = Gtk::FileFilter::create();
    filter->set_name(ToUtf8("HTML ファイル (*.html,*.htm)"));
    filter->add_pattern("*.html");
    filter->add_pattern("*.htm");
    chooser.add_filter(filter);
    if (chooser.run() != Gtk::RESPONSE_ACCEPT) return;
    std::string path = chooser.get_filename();
    if (path.find('.', path.rfind('/') + 1) == std::string::npos) path += ".html";
    std::string error;
    std::string now = HistoryDateText(Now(), m_s.settings.Live().historySearch.dateFormat);
    if (!SaveHistoryListHtml(path, m_list.Rows(), now, &error))
        m_s.messageBox.Show("リストを保存できませんでした。\n" + error, "履歴検索", MessageBoxKind::Ok);
}

void HistorySearchPanel::SortBy(int column) {
    const HistorySearchSettings& hs = m_s.settings.Live().historySearch;
    int value = hs.SortColumn() == column ? (hs.sort ^ 0x10000) : (column | (hs.sort & 0x10000));
    m_s.settings.Change(SettingsSection::HistorySearch, [value](ProgramSettings& s) {
        s.historySearch.sort = value;
        s.historySearch.sortAscending = value & 0x10000;
    });
    m_list.SetSort(value);
    ShowRows();
}

void HistorySearchPanel::SaveColumns() {
    char text[48];
    int w[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        if (Gtk::TreeViewColumn* column = m_view.get_column(i)) w[i] = column->get_width();
    if (w[0] <= 0 || w[1] <= 0 || w[2] <= 0) return;
    std::snprintf(text, sizeof text, "%d,%d,%d", w[0], w[1], w[2]);
    if (m_s.settings.Live().historySearch.columnWidths == text) return;
    m_s.settings.Change(SettingsSection::HistorySearch,
                        [&text](ProgramSettings& s) { s.historySearch.columnWidths = text; });
}

bool HistorySearchPanel::OnQueryTooltip(int x, int y, bool keyboard,
                                        const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
    const ProgramSettings& s = m_s.settings.Live();
    if (!s.fernBar.infoTips || !s.historySearch.infoTips) return false;
    Gtk::TreeModel::iterator row;
    if (!m_view.get_tooltip_context_iter(x, y, keyboard, row) || !row) return false;
    int index = (*row)[m_columns.index];
    if (index < 0 || index >= static_cast<int>(m_list.Rows().size())) return false;
    tooltip->set_text(ToUtf8(HistoryInfoTip(m_list.Rows()[static_cast<std::size_t>(index)])));
    m_view.set_tooltip_row(tooltip, m_model->get_path(row));
    return true;
}

}  // namespace fern
