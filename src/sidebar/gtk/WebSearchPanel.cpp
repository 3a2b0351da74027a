#include "sidebar/gtk/WebSearchPanel.h"

#include "platform/text/Encoding.h"
#include "sidebar/PanelMenus.h"
#include "sidebar/gtk/PanelMenuWidget.h"
#include "ui/gtk/MenuBuilder.h"

namespace fern {

namespace {

// The longest words the dialog takes, and the longest engine field.
constexpr int kWordsLimit = 2084;
constexpr int kFieldLimit = 4096;

Gtk::Entry* LabelledEntry(Gtk::Grid& grid, int row, const char* label, const std::string& text) {
    auto* caption = Gtk::manage(new Gtk::Label(MnemonicLabel(label), true));
    caption->set_xalign(0);
    auto* entry = Gtk::manage(new Gtk::Entry());
    entry->set_max_length(kFieldLimit);
    entry->set_text(ToUtf8(text));
    entry->set_hexpand(true);
    entry->set_width_chars(48);
    caption->set_mnemonic_widget(*entry);
    grid.attach(*caption, 0, row);
    grid.attach(*entry, 1, row);
    return entry;
}

}  // namespace

WebSearchPanel::WebSearchPanel(PanelServices services, SearchStrings& words, std::string iniPath)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL),
      m_s(std::move(services)),
      m_words(words),
      m_iniPath(std::move(iniPath)),
      m_search(m_engines, m_words,
               {m_s.open,
                [this] { return static_cast<std::uint32_t>(m_s.settings.Live().browser.downloadControl); },
                [this] { return m_s.settings.Live().fernBar.style; }}),
      m_model(Gtk::ListStore::create(m_columns)) {
    const WebSearchSettings& ws = m_s.settings.Live().webSearch;
    m_words.keep = ws.keepSearchStrings;
    if (ws.useSearchIni) {
        SearchIniContents read = ReadSearchIni(m_iniPath);
        m_iniUnreadable = read.unreadable;
        m_engines = CSearchEngineList(std::move(read.engines));
    }
    m_style = m_s.settings.Subscribe(SettingsSection::WebSearch, [this] {
        m_words.keep = m_s.settings.Live().webSearch.keepSearchStrings;
    });

    set_spacing(3);
    set_border_width(3);
    m_label.set_text(ToUtf8("検索する文字列:"));
    m_label.set_xalign(0);
    pack_start(m_label, Gtk::PACK_SHRINK);
    m_combo.get_entry()->set_max_length(kWordsLimit);
    m_combo.get_entry()->get_accessible()->set_name(ToUtf8("検索する文字列"));
    m_combo.get_entry()->signal_activate().connect([this] { SearchPressed(); });
    pack_start(m_combo, Gtk::PACK_SHRINK);
    auto* buttons = Gtk::manage(new Gtk::Box(Gtk::ORIENTATION_HORIZONTAL, 3));
    m_settingsButton.set_label(ToUtf8("設定"));
    m_searchButton.set_label(ToUtf8("検索"));
    m_settingsButton.signal_clicked().connect([this] { ShowMenu(nullptr); });
    m_searchButton.signal_clicked().connect([this] { SearchPressed(); });
    buttons->pack_end(m_searchButton, Gtk::PACK_SHRINK);
    buttons->pack_end(m_settingsButton, Gtk::PACK_SHRINK);
    pack_start(*buttons, Gtk::PACK_SHRINK);

    m_view.set_model(m_model);
    auto* toggle = Gtk::manage(new Gtk::CellRendererToggle());
    toggle->signal_toggled().connect(sigc::mem_fun(*this, &WebSearchPanel::Toggled));
    auto* column = Gtk::manage(new Gtk::TreeViewColumn(ToUtf8("サーチエンジン")));
    column->pack_start(*toggle, false);
    column->add_attribute(toggle->property_active(), m_columns.enabled);
    auto* text = Gtk::manage(new Gtk::CellRendererText());
    column->pack_start(*text, true);
    column->add_attribute(text->property_text(), m_columns.title);
    column->set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
    column->set_resizable(true);
    column->set_fixed_width(ws.columnWidth > 0 ? (ws.columnWidth & 0xFFFF) : 160);
    m_view.append_column(*column);
    m_view.set_headers_visible(false);
    m_view.get_accessible()->set_name(ToUtf8("サーチエンジン"));
    m_view.signal_button_press_event().connect(sigc::mem_fun(*this, &WebSearchPanel::OnButton), false);
    m_view.signal_key_press_event().connect(sigc::mem_fun(*this, &WebSearchPanel::OnKey), false);
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_scroll.add(m_view);
    pack_start(m_scroll, Gtk::PACK_EXPAND_WIDGET);
    FillCombo();
    FillList(-1);
    show_all_children();
}

WebSearchPanel::~WebSearchPanel() {
    if (m_s.settings.Live().webSearch.useSearchIni) SaveNow(false);
}

void WebSearchPanel::FillCombo() {
    Glib::ustring typed = m_combo.get_entry()->get_text();
    m_combo.remove_all();
    for (const std::string& entry : m_words.entries) m_combo.append(ToUtf8(entry));
    m_combo.get_entry()->set_text(typed);
}

void WebSearchPanel::FillList(int select) {
    m_model->clear();
    for (const SearchEngine& engine : m_engines.Engines()) {
        Gtk::TreeModel::Row row = *m_model->append();
        row[m_columns.enabled] = engine.enabled;
        row[m_columns.title] = ToUtf8(engine.title);
    }
    if (m_engines.Has(select)) {
        Gtk::TreeModel::Path path;
        path.push_back(select);
        m_view.get_selection()->select(path);
        m_view.set_cursor(path);
    }
}

int WebSearchPanel::Selected() const {
    auto rows = const_cast<Gtk::TreeView&>(m_view).get_selection()->get_selected_rows();
    return rows.empty() ? -1 : rows.front()[0];
}

void WebSearchPanel::Toggled(const Glib::ustring& path) {
    int index = Gtk::TreeModel::Path(path)[0];
    m_engines.Toggle(index);
    FillList(index);
}

void WebSearchPanel::SearchPressed() {
    std::string words = FromUtf8(m_combo.get_entry()->get_text().raw());
    if (words.empty()) return;
    m_search.SearchFromPanel(words);
    FillCombo();
    m_combo.get_entry()->set_text(ToUtf8(words));
}

bool WebSearchPanel::OnButton(GdkEventButton* event) {
    Gtk::TreeModel::Path path;
    Gtk::TreeViewColumn* column = nullptr;
    int cx = 0, cy = 0;
    bool onRow =
        m_view.get_path_at_pos(static_cast<int>(event->x), static_cast<int>(event->y), path, column, cx, cy);
    if (onRow) m_view.get_selection()->select(path);
    if (event->type == GDK_BUTTON_PRESS && event->button == 3) {
        if (!onRow) m_view.get_selection()->unselect_all();
        ShowMenu(reinterpret_cast<const GdkEvent*>(event));
        return true;
    }
    if (event->type == GDK_2BUTTON_PRESS && event->button == 1 && onRow) {
        Edit(path[0]);
        return true;
    }
    return false;
}

bool WebSearchPanel::OnKey(GdkEventKey* event) {
    bool ctrl = event->state & GDK_CONTROL_MASK;
    int selected = Selected();
    int id = 0;
    switch (event->keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
            if (selected < 0) return false;
            m_engines.Toggle(selected);
            FillList(selected);
            return true;
        case GDK_KEY_space: ShowMenu(nullptr); return true;
        case GDK_KEY_Delete: id = kWsDelete; break;
        case GDK_KEY_Insert: id = kWsAdd; break;
        case GDK_KEY_d: id = ctrl ? kWsEdit : 0; break;
        case GDK_KEY_Up: id = ctrl ? kWsMoveUp : 0; break;
        case GDK_KEY_Down: id = ctrl ? kWsMoveDown : 0; break;
        case GDK_KEY_a: id = ctrl ? kWsCheckAll : 0; break;
        case GDK_KEY_z: id = ctrl ? kWsUncheckOthers : 0; break;
        case GDK_KEY_x: id = ctrl ? kWsInvert : 0; break;
        default: break;
    }
    if (id == 0) return false;
    MenuChosen(id);
    return true;
}

void WebSearchPanel::ShowMenu(const GdkEvent* event) {
    PopUpPanelMenu(m_view, WebSearchMenu(m_s.settings.Live().webSearch, Selected() >= 0), event,
                   [this](int id) { MenuChosen(id); });
}

void WebSearchPanel::MenuChosen(int id) {
    int selected = Selected();
    bool onRow = m_engines.Has(selected);
    switch (id) {
        case kWsEdit:
            if (onRow) Edit(selected);
            return;
        case kWsDelete:
            if (!onRow) return;
            m_engines.Delete(selected);
            FillList(std::min(selected, m_engines.Count() - 1));
            return;
        case kWsMoveUp:
            if (onRow) FillList(m_engines.MoveUp(selected));
            return;
        case kWsMoveDown:
            if (onRow) FillList(m_engines.MoveDown(selected));
            return;
        case kWsAdd: FillList(m_engines.Add(m_s.clipboard.GetText().value_or(std::string()))); return;
        case kWsCheckAll: m_engines.CheckAll(); break;
        case kWsUncheckOthers:
            if (!onRow) return;
            m_engines.UncheckOthers(selected);
            break;
        case kWsInvert: m_engines.InvertChecks(); break;
        case kWsSaveNow: SaveNow(true); return;
        case kWsKeepStrings:
            m_s.settings.Change(SettingsSection::WebSearch,
                                [id](ProgramSettings& s) { ApplyWebSearchItem(id, s.webSearch); });
            return;
        default: return;
    }
    FillList(selected);
}

void WebSearchPanel::Edit(int index) {
    if (!m_engines.Has(index)) return;
    SearchEngine& engine = m_engines.Engines()[static_cast<std::size_t>(index)];
    Gtk::Dialog dialog(ToUtf8("サーチエンジンの設定"), true);
    if (m_s.dialogParent) dialog.set_transient_for(*m_s.dialogParent);
    Gtk::Grid grid;
    grid.set_row_spacing(6);
    grid.set_column_spacing(6);
    grid.set_border_width(8);
    Gtk::Entry* title = LabelledEntry(grid, 0, "タイトル(&T)", engine.title);
    Gtk::Entry* front = LabelledEntry(grid, 1, "前につけるURL(&F)", engine.front);
    Gtk::Entry* back = LabelledEntry(grid, 2, "後ろにつけるURL(&B)", engine.back);
    dialog.get_content_area()->pack_start(grid);
    dialog.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    dialog.add_button("OK", Gtk::RESPONSE_OK);
    dialog.set_default_response(Gtk::RESPONSE_OK);
    title->set_activates_default(true);
    front->set_activates_default(true);
    back->set_activates_default(true);
    dialog.show_all();
    if (dialog.run() != Gtk::RESPONSE_OK) return;
    engine.title = FromUtf8(title->get_text().raw());
    engine.front = FromUtf8(front->get_text().raw());
    engine.back = FromUtf8(back->get_text().raw());
    FillList(index);
}

void WebSearchPanel::KeepColumnWidth() {
    if (Gtk::TreeViewColumn* column = m_view.get_column(0)) {
        int width = column->get_width();
        if (width > 0 && width != m_s.settings.Live().webSearch.columnWidth)
            m_s.settings.Change(SettingsSection::WebSearch,
                                [width](ProgramSettings& s) { s.webSearch.columnWidth = width; });
    }
}

bool WebSearchPanel::SaveNow(bool tell) {
    KeepColumnWidth();
    // A search.ini that could not be read is not replaced by what was not read.
    if (m_iniUnreadable && !tell) return false;
    std::string error;
    if (WriteSearchIni(m_iniPath, m_engines.Engines(), &error)) {
        m_iniUnreadable = false;
        return true;
    }
    std::fprintf(stderr, "fern: search.ini not saved: %s\n", error.c_str());
    if (tell)
        m_s.messageBox.Show("search.ini を保存できませんでした。\n" + error, "Web検索", MessageBoxKind::Ok);
    return false;
}

void WebSearchPanel::SearchClipboard() {
    if (!m_search.SearchClipboard(m_s.clipboard.GetText())) SearchWithDialog();
}

void WebSearchPanel::SearchWithDialog() {
    Gtk::Dialog dialog(ToUtf8("Web検索ワード"), true);
    if (m_s.dialogParent) dialog.set_transient_for(*m_s.dialogParent);
    Gtk::Box box(Gtk::ORIENTATION_VERTICAL, 6);
    box.set_border_width(8);
    Gtk::ComboBoxText words(true);
    for (const std::string& entry : m_words.entries) words.append(ToUtf8(entry));
    words.get_entry()->set_max_length(kWordsLimit);
    words.get_entry()->set_text(ToUtf8(CWebSearch::DialogWords(m_s.clipboard.GetText())));
    words.get_entry()->set_activates_default(true);
    words.get_entry()->get_accessible()->set_name(ToUtf8("検索する文字列"));
    Gtk::ComboBoxText engines;
    for (const SearchEngine& engine : m_engines.Engines()) engines.append(ToUtf8(engine.title));
    engines.set_active(m_search.DialogEngine());
    engines.get_accessible()->set_name(ToUtf8("サーチエンジン"));
    Gtk::CheckButton useEngine(MnemonicLabel("サーチエンジンを指定(&S)"), true);
    useEngine.set_active(m_search.DialogUsesEngine());
    box.pack_start(words, Gtk::PACK_SHRINK);
    box.pack_start(engines, Gtk::PACK_SHRINK);
    box.pack_start(useEngine, Gtk::PACK_SHRINK);
    dialog.get_content_area()->pack_start(box);
    dialog.add_button(ToUtf8("キャンセル"), Gtk::RESPONSE_CANCEL);
    dialog.add_button("OK", Gtk::RESPONSE_OK);
    dialog.set_default_response(Gtk::RESPONSE_OK);
    dialog.show_all();
    if (dialog.run() != Gtk::RESPONSE_OK) return;
    m_search.DialogAccepted(FromUtf8(words.get_entry()->get_text().raw()), engines.get_active_row_number(),
                            useEngine.get_active());
    FillCombo();
}

}  // namespace fern
