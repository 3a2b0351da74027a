#pragma once
// The side bar's "履歴検索" panel: the visited pages (today's or all, by the
// URL filter) in a list of three columns, found by a word of their title,
// address or date, or with "キャッシュ内検索" by the text kept of the page, on
// a worker that posts its rows to the main loop; "中止" stops it.
#include <gtkmm.h>

#include <memory>
#include <string>

#include "history/HistorySearch.h"
#include "history/HistorySearchWorker.h"
#include "lists/SearchStrings.h"
#include "platform/store/HistoryStore.h"
#include "sidebar/gtk/PanelServices.h"

namespace fern {

class HistorySearchPanel : public Gtk::Box {
public:
    // `words`: the history search's section of typed.fbl.
    HistorySearchPanel(PanelServices services, HistoryStore& store, SearchStrings& words);
    ~HistorySearchPanel() override;

    // The panel is shown: the list is filled the first time.
    void Shown();
    // "更新": the list again from the history.
    void Reload();

private:
    struct Columns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> title, url, date;
        Gtk::TreeModelColumn<int> index;  // the row of m_list
        Columns() { add(title), add(url), add(date), add(index); }
    };

    PanelServices m_s;
    HistoryStore& m_store;
    SearchStrings& m_words;
    CHistorySearchList m_list;
    CHistorySearchWorker m_worker;
    std::unique_ptr<HistoryDb> m_reader;  // the main loop's, for the "/" rule of opening
    Columns m_columns;
    Glib::RefPtr<Gtk::ListStore> m_model;
    Gtk::Label m_label;
    Gtk::ComboBoxText m_combo{true};
    Gtk::Button m_settingsButton, m_reloadButton, m_searchButton, m_stopButton;
    Gtk::ScrolledWindow m_scroll;
    Gtk::TreeView m_view;
    bool m_filled = false;
    sigc::connection m_showRows;

    void Start(HistorySearchRequest request);
    void Finished();
    void ShowRows();
    void FillCombo();
    int Selected() const;
    void Select(int index);
    void SearchPressed();
    HistoryDb* FreshReader();
    void Open(int index, bool newTab, bool alt);
    bool OnButton(GdkEventButton* event);
    bool OnKey(GdkEventKey* event);
    void ShowMenu(const GdkEvent* event);
    void MenuChosen(int id, int row);
    void EditText(bool datePicture);
    void SaveHtml();
    void SortBy(int column);
    void SaveColumns();
    bool OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip);
};

}  // namespace fern
