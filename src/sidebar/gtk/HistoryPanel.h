#pragma once
// The side bar's "履歴" panel: the visited pages by day (today, yesterday,
// the weekdays, older weeks) and within a day by site, each level read from
// the history when it is opened; the favorites and the desktop as further
// roots when `HistoryStyle` asks. Pages open as the panel's settings say;
// its menu copies, bookmarks and switches the settings.
#include <gtkmm.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "history/HistoryTree.h"
#include "platform/store/HistoryStore.h"
#include "sidebar/gtk/PanelServices.h"

namespace fern {

class HistoryPanel : public Gtk::Box {
public:
    HistoryPanel(PanelServices services, HistoryStore& store, std::string dataFolder);
    ~HistoryPanel() override { m_pending.disconnect(); }

    // The history changed: rebuilt now when `shown`, else when next shown.
    void MarkChanged(bool shown);
    // The panel is shown: rebuilt when marked.
    void Shown();
    // Builds the roots again, keeping the open days and sites open.
    void Rebuild();

private:
    enum Kind { kRoot, kDay, kSite, kPage, kPlaceholder, kFile };
    struct Columns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> text;
        Gtk::TreeModelColumn<int> kind, day;
        Gtk::TreeModelColumn<std::string> site, url, title;  // Shift-JIS
        Columns() { add(text), add(kind), add(day), add(site), add(url), add(title); }
    };

    PanelServices m_s;
    HistoryStore& m_store;
    std::string m_dataFolder;
    std::unique_ptr<HistoryDb> m_reader;
    std::uint64_t m_generation = 0;
    CHistoryTree m_tree;
    std::vector<HistoryDayGroup> m_days;
    Columns m_columns;
    Glib::RefPtr<Gtk::TreeStore> m_model;
    Gtk::ScrolledWindow m_scroll;
    Gtk::TreeView m_view;
    bool m_marked = true;
    bool m_filling = false;
    sigc::connection m_pending;

    HistoryDb* Reader();
    void AddRoots();
    void FillDay(const Gtk::TreeModel::iterator& day);
    void FillSite(const Gtk::TreeModel::iterator& site);
    void FillFolder(const Gtk::TreeModel::iterator& parent, const std::string& folder);
    void Placeholder(const Gtk::TreeModel::iterator& parent);
    std::string KeyOf(const Gtk::TreeModel::iterator& row) const;
    void Expanded(const Gtk::TreeModel::iterator& row, const Gtk::TreeModel::Path& path);
    void Activate(const Gtk::TreeModel::iterator& row, bool newTab, bool alt);
    bool OnButton(GdkEventButton* event);
    bool OnKey(GdkEventKey* event);
    void ShowMenu(const Gtk::TreeModel::iterator& row, const GdkEvent* event);
    void MenuChosen(int id, const std::string& title, const std::string& url);
    bool OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip);
    bool NewTabByDefault() const { return m_s.settings.Live().history.openInNewTab; }
};

}  // namespace fern
