#pragma once
// The side bar's "Web検索" panel: the search words ("typedws"), the engines
// of search.ini with their check boxes and menu, the dialog that edits an
// engine; and the main window's two web searches with the dialog
// "Web検索ワード".
#include <gtkmm.h>

#include <string>

#include "lists/SearchStrings.h"
#include "sidebar/gtk/PanelServices.h"
#include "websearch/SearchEngines.h"
#include "websearch/WebSearch.h"

namespace fern {

class WebSearchPanel : public Gtk::Box {
public:
    // `words`: the web search's section of typed.fbl; `iniPath`: search.ini.
    WebSearchPanel(PanelServices services, SearchStrings& words, std::string iniPath);
    ~WebSearchPanel() override;

    // The main window's "Web検索": the clipboard's words with every checked
    // engine, or the dialog when the clipboard holds none.
    void SearchClipboard();
    // "Web検索ワード" with the clipboard's words.
    void SearchWithDialog();
    // Writes search.ini (and the settings); false with a message when it
    // could not be written and `tell`.
    bool SaveNow(bool tell);

private:
    struct Columns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<bool> enabled;
        Gtk::TreeModelColumn<Glib::ustring> title;
        Columns() { add(enabled), add(title); }
    };

    PanelServices m_s;
    SearchStrings& m_words;
    std::string m_iniPath;
    bool m_iniUnreadable = false;
    CSearchEngineList m_engines;
    CWebSearch m_search;
    Columns m_columns;
    Glib::RefPtr<Gtk::ListStore> m_model;
    Gtk::Label m_label;
    Gtk::ComboBoxText m_combo{true};
    Gtk::Button m_settingsButton, m_searchButton;
    Gtk::ScrolledWindow m_scroll;
    Gtk::TreeView m_view;
    SettingsSubscription m_style;

    void FillCombo();
    void FillList(int select);
    int Selected() const;
    void Toggled(const Glib::ustring& path);
    void SearchPressed();
    bool OnButton(GdkEventButton* event);
    bool OnKey(GdkEventKey* event);
    void ShowMenu(const GdkEvent* event);
    void MenuChosen(int id);
    void Edit(int index);
    void KeepColumnWidth();
};

}  // namespace fern
