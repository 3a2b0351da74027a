#pragma once
// "タブ マネージャー": every tab in tab-bar order; show one, or close several.
#include <gtkmm.h>

#include "frame/MainFrame.h"

namespace fern {

class TabManagerDialog : public Gtk::Dialog {
public:
    TabManagerDialog(Gtk::Window& parent, CMainFrame& frame);

private:
    struct Columns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> title;
        Gtk::TreeModelColumn<int> index;
        Columns() {
            add(title);
            add(index);
        }
    };

    CMainFrame& m_frame;
    Columns m_columns;
    Glib::RefPtr<Gtk::ListStore> m_store;
    Gtk::TreeView m_list;
    Gtk::ScrolledWindow m_scroll;
    Gtk::Button* m_show = nullptr;
    Gtk::Button* m_close = nullptr;

    void Fill();
    void UpdateButtons();
    void ShowSelected();
    void CloseSelected();
};

}  // namespace fern
