#include "sidebar/gtk/HistoryPanel.h"

#include <algorithm>
#include <ctime>

#include "bookmarks/UrlShortcut.h"
#include "history/HistorySearch.h"
#include "platform/text/Encoding.h"
#include "platform/text/TextCut.h"
#include "sidebar/gtk/PanelMenuWidget.h"

namespace fern {

namespace {

HistoryTime Now() { return static_cast<HistoryTime>(std::time(nullptr)); }

}  // namespace

HistoryPanel::HistoryPanel(PanelServices services, HistoryStore& store, std::string dataFolder)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL),
      m_s(std::move(services)),
      m_store(store),
      m_dataFolder(std::move(dataFolder)),
      m_tree([this] { return Reader(); }, Now),
      m_model(Gtk::TreeStore::create(m_columns)) {
    m_view.set_model(m_model);
    m_view.append_column("", m_columns.text);
    m_view.set_headers_visible(false);
    m_view.set_enable_search(true);
    m_view.set_search_column(m_columns.text);
    m_view.get_accessible()->set_name(ToUtf8("履歴"));
    m_view.set_has_tooltip(true);
    m_view.signal_query_tooltip().connect(sigc::mem_fun(*this, &HistoryPanel::OnQueryTooltip), false);
    m_view.signal_row_expanded().connect(sigc::mem_fun(*this, &HistoryPanel::Expanded));
    m_view.signal_button_press_event().connect(sigc::mem_fun(*this, &HistoryPanel::OnButton), false);
    m_view.signal_key_press_event().connect(sigc::mem_fun(*this, &HistoryPanel::OnKey), false);
    m_view.signal_row_activated().connect([this](const Gtk::TreeModel::Path& path, Gtk::TreeViewColumn*) {
        GdkModifierType state{};
        gtk_get_current_event_state(&state);
        bool shift = state & GDK_SHIFT_MASK;
        Activate(m_model->get_iter(path), shift || NewTabByDefault(), state & GDK_MOD1_MASK);
    });
    m_scroll.set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    m_scroll.add(m_view);
    pack_start(m_scroll, Gtk::PACK_EXPAND_WIDGET);
    m_scroll.show_all();
}

HistoryDb* HistoryPanel::Reader() {
    if (!m_reader || m_generation != m_store.Generation()) {
        m_generation = m_store.Generation();
        m_reader = m_store.OpenReader();
    }
    return m_reader.get();
}

void HistoryPanel::MarkChanged(bool shown) {
    m_marked = true;
    // Many writes come together while a page loads: one rebuild for them.
    if (shown && !m_pending.connected())
        m_pending = Glib::signal_timeout().connect(
            [this] {
                Shown();
                return false;
            },
            300);
}

void HistoryPanel::Shown() {
    if (m_marked) Rebuild();
}

std::string HistoryPanel::KeyOf(const Gtk::TreeModel::iterator& row) const {
    const Gtk::TreeModel::Row r = *row;
    int kind = r[m_columns.kind];
    std::string key = std::to_string(kind) + ":" + Glib::ustring(r[m_columns.text]).raw();
    if (kind == kSite) {
        Gtk::TreeModel::iterator parent = r.parent();
        if (parent) key = KeyOf(parent) + "/" + key;
    }
    return key;
}

void HistoryPanel::Rebuild() {
    m_marked = false;
    m_pending.disconnect();
    // The open days and sites stay open, by their labels.
    std::set<std::string> open;
    m_view.map_expanded_rows([&](Gtk::TreeView*, const Gtk::TreeModel::Path& path) {
        open.insert(KeyOf(m_model->get_iter(path)));
    });
    // A fresh connection: it reads what was written since.
    m_reader.reset();
    m_filling = true;
    m_model->clear();
    m_days = m_tree.Days();
    AddRoots();
    m_filling = false;
    // Rows whose parent opens are filled then; go down level by level.
    std::function<void(const Gtk::TreeModel::Children&)> reopen = [&](const Gtk::TreeModel::Children& rows) {
        for (auto it = rows.begin(); it != rows.end(); ++it) {
            int kind = (*it)[m_columns.kind];
            // The history itself is always open, as the roots are when added.
            bool wanted = open.count(KeyOf(it)) || (kind == kRoot && it == m_model->children().begin());
            if (!wanted) continue;
            m_view.expand_row(m_model->get_path(it), false);
            reopen(it->children());
        }
    };
    reopen(m_model->children());
}

void HistoryPanel::AddRoots() {
    const char* desktop = g_get_user_special_dir(G_USER_DIRECTORY_DESKTOP);
    for (const HistoryRoot& root :
         HistoryRoots(m_s.settings.Live().history.style, m_dataFolder, desktop ? desktop : "")) {
        Gtk::TreeModel::Row row = *m_model->append();
        row[m_columns.text] = ToUtf8(root.label);
        row[m_columns.kind] = kRoot;
        row[m_columns.day] = -1;
        if (root.kind == HistoryRoot::History) {
            for (std::size_t i = 0; i < m_days.size(); ++i) {
                Gtk::TreeModel::Row day = *m_model->append(row.children());
                day[m_columns.text] = ToUtf8(m_days[i].label);
                day[m_columns.kind] = kDay;
                day[m_columns.day] = static_cast<int>(i);
                Placeholder(day);
            }
        } else {
            row[m_columns.site] = root.folder;  // the folder's bytes, for its children
            Placeholder(row);
        }
    }
}

void HistoryPanel::Placeholder(const Gtk::TreeModel::iterator& parent) {
    Gtk::TreeModel::Row row = *m_model->append(parent->children());
    row[m_columns.kind] = kPlaceholder;
}

void HistoryPanel::Expanded(const Gtk::TreeModel::iterator& row, const Gtk::TreeModel::Path& path) {
    auto children = row->children();
    if (children.empty() || int((*children.begin())[m_columns.kind]) != kPlaceholder) return;
    m_model->erase(children.begin());
    int kind = (*row)[m_columns.kind];
    if (kind == kDay) FillDay(row);
    else if (kind == kSite) FillSite(row);
    else FillFolder(row, Glib::ustring((*row)[m_columns.site]).raw());
    m_view.expand_row(path, false);
}

void HistoryPanel::FillDay(const Gtk::TreeModel::iterator& dayRow) {
    int day = (*dayRow)[m_columns.day];
    if (day < 0 || day >= static_cast<int>(m_days.size())) return;
    for (const HistoryDb::SiteCount& site : m_tree.Sites(m_days[static_cast<std::size_t>(day)])) {
        Gtk::TreeModel::Row row = *m_model->append(dayRow->children());
        row[m_columns.text] = ToUtf8(HistorySiteLabel(site.site));
        row[m_columns.kind] = kSite;
        row[m_columns.day] = day;
        row[m_columns.site] = site.site;
        Placeholder(row);
    }
}

void HistoryPanel::FillSite(const Gtk::TreeModel::iterator& siteRow) {
    int day = (*siteRow)[m_columns.day];
    if (day < 0 || day >= static_cast<int>(m_days.size())) return;
    std::string site = (*siteRow)[m_columns.site];
    for (const HistoryPage& page : m_tree.Pages(m_days[static_cast<std::size_t>(day)], site)) {
        Gtk::TreeModel::Row row = *m_model->append(siteRow->children());
        std::string title = HistoryTitleOf(page.title, page.url);
        row[m_columns.text] = ToUtf8(title.empty() ? page.url : title);
        row[m_columns.kind] = kPage;
        row[m_columns.url] = page.url;
        row[m_columns.title] = title;
    }
}

// A folder of ".url" files (the favorites, the desktop): its folders, then
// its shortcuts, each by name.
void HistoryPanel::FillFolder(const Gtk::TreeModel::iterator& parent, const std::string& folder) {
    std::vector<std::string> folders, files;
    if (GDir* dir = g_dir_open(folder.c_str(), 0, nullptr)) {
        while (const char* name = g_dir_read_name(dir)) {
            std::string path = folder + "/" + name;
            if (g_file_test(path.c_str(), G_FILE_TEST_IS_DIR)) folders.push_back(name);
            else if (g_str_has_suffix(name, ".url")) files.push_back(name);
        }
        g_dir_close(dir);
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
    for (const std::string& name : folders) {
        Gtk::TreeModel::Row row = *m_model->append(parent->children());
        row[m_columns.text] = Glib::filename_display_name(name);
        row[m_columns.kind] = kRoot;
        row[m_columns.site] = folder + "/" + name;
        Placeholder(row);
    }
    for (const std::string& name : files) {
        std::string url = ReadUrlShortcut(folder + "/" + name);
        if (url.empty()) continue;
        Gtk::TreeModel::Row row = *m_model->append(parent->children());
        Glib::ustring shown = Glib::filename_display_name(name.substr(0, name.size() - 4));
        row[m_columns.text] = shown;
        row[m_columns.kind] = kFile;
        row[m_columns.url] = url;
        row[m_columns.title] = FromUtf8(shown.raw());
    }
}

void HistoryPanel::Activate(const Gtk::TreeModel::iterator& row, bool newTab, bool alt) {
    if (!row) return;
    std::string url = (*row)[m_columns.url];
    if (url.empty()) {
        // A folder opens or closes instead.
        Gtk::TreeModel::Path path = m_model->get_path(row);
        if (m_view.row_expanded(path)) m_view.collapse_row(path);
        else m_view.expand_row(path, false);
        return;
    }
    HistoryDbPageCache cache(Reader());
    int style = m_s.settings.Live().fernBar.style;
    m_s.open(HistoryUrlToOpen(url, alt, cache), HistoryOpenFlags(newTab, style), 0xFFFFFFFFu, 1);
    if (!m_s.settings.Live().fernBar.focusPageOnOpen) m_view.grab_focus();
}

bool HistoryPanel::OnButton(GdkEventButton* event) {
    if (event->type != GDK_BUTTON_PRESS || event->button != 3) return false;
    Gtk::TreeModel::Path path;
    Gtk::TreeViewColumn* column = nullptr;
    int cx = 0, cy = 0;
    Gtk::TreeModel::iterator row;
    if (m_view.get_path_at_pos(static_cast<int>(event->x), static_cast<int>(event->y), path, column, cx,
                               cy)) {
        m_view.get_selection()->select(path);
        row = m_model->get_iter(path);
    }
    ShowMenu(row, reinterpret_cast<const GdkEvent*>(event));
    return true;
}

bool HistoryPanel::OnKey(GdkEventKey* event) {
    Gtk::TreeModel::iterator row = m_view.get_selection()->get_selected();
    bool shift = event->state & GDK_SHIFT_MASK;
    bool ctrl = event->state & GDK_CONTROL_MASK;
    switch (event->keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
            Activate(row, shift || NewTabByDefault(), event->state & GDK_MOD1_MASK);
            return true;
        case GDK_KEY_space: ShowMenu(row, nullptr); return true;
        case GDK_KEY_t:
        case GDK_KEY_r:
            // The keys pair with the menu's labels: Ctrl+T the title, Ctrl+R the address.
            if (!ctrl || !row || std::string((*row)[m_columns.url]).empty()) return false;
            m_s.clipboard.SetText(event->keyval == GDK_KEY_t ? std::string((*row)[m_columns.title])
                                                             : std::string((*row)[m_columns.url]));
            return true;
        default: return false;
    }
}

void HistoryPanel::ShowMenu(const Gtk::TreeModel::iterator& row, const GdkEvent* event) {
    std::string url = row ? std::string((*row)[m_columns.url]) : std::string();
    std::string title = row ? std::string((*row)[m_columns.title]) : std::string();
    PopUpPanelMenu(m_view, HistoryTreeMenu(m_s.settings.Live().history, !url.empty()), event,
                   [this, title, url](int id) { MenuChosen(id, title, url); });
}

void HistoryPanel::MenuChosen(int id, const std::string& title, const std::string& url) {
    int style = m_s.settings.Live().fernBar.style;
    HistoryDbPageCache cache(Reader());
    switch (id) {
        case kHtOpen:
        case kHtOpenInNewTab:
            m_s.open(HistoryUrlToOpen(url, false, cache), HistoryOpenFlags(id == kHtOpenInNewTab, style),
                     0xFFFFFFFFu, 1);
            return;
        case kHtCopyTitle: m_s.clipboard.SetText(title); return;
        case kHtCopyUrl: m_s.clipboard.SetText(url); return;
        case kHtAddBookmark:
            if (m_s.addBookmark) m_s.addBookmark(title.empty() ? url : title, url);
            return;
        case kHtReload: Rebuild(); return;
        default: break;
    }
    bool rebuild = false;
    m_s.settings.Change(SettingsSection::History,
                        [&](ProgramSettings& s) { ApplyHistoryTreeItem(id, s.history, rebuild); });
    if (rebuild) Rebuild();
}

bool HistoryPanel::OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
    const ProgramSettings& s = m_s.settings.Live();
    if (!s.fernBar.infoTips || !s.history.infoTips) return false;
    Gtk::TreeModel::iterator row;
    if (!m_view.get_tooltip_context_iter(x, y, keyboard, row) || !row) return false;
    std::string url = (*row)[m_columns.url];
    if (url.empty()) return false;
    tooltip->set_text(Glib::ustring((*row)[m_columns.text]) + "\n" + ToUtf8(ShortenText(url, 120)));
    m_view.set_tooltip_row(tooltip, m_model->get_path(row));
    return true;
}

}  // namespace fern
