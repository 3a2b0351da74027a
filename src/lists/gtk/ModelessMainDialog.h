#pragma once
// The list editor's window: a menu bar with the editor's commands and keys,
// the URL rows (edited in place), OK and Cancel, and a status line with the
// prompt of the menu item under the pointer. The rows and the file rules
// are CModelessMain's; the window asks for files and tells failures.
#include <gtkmm.h>

#include <functional>
#include <optional>
#include <string>

#include "commands/CommandRouter.h"
#include "lists/ModelessMain.h"
#include "platform/gtk/GtkShell.h"
#include "settings/SettingsService.h"

namespace fern {

class ModelessMainDialog : public Gtk::Window {
public:
    // `closed` runs after the window has hidden itself (its placement saved).
    ModelessMainDialog(CSettingsService& settings, std::function<void()> closed);

    // The main window closes: the placement is kept, unsaved rows are
    // offered for saving (the close cannot be stopped any more).
    void MainWindowClosing();

    CModelessMain& Editor() { return m_editor; }

protected:
    bool on_delete_event(GdkEventAny* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    CSettingsService& m_settings;
    std::function<void()> m_closed;
    CModelessMain m_editor;
    GtkMessageBox m_messageBox;
    Glib::RefPtr<Gtk::AccelGroup> m_keys;
    Gtk::Box m_box{Gtk::ORIENTATION_VERTICAL};
    Gtk::MenuBar m_menuBar;
    Gtk::ScrolledWindow m_scroll;
    Gtk::TreeView m_view;
    Gtk::TreeModelColumn<Glib::ustring> m_urlColumn;
    Gtk::TreeModel::ColumnRecord m_columns;
    Glib::RefPtr<Gtk::ListStore> m_rows;
    Gtk::ButtonBox m_buttons;
    Gtk::Button m_ok, m_cancel;
    Gtk::Label m_status;
    Gtk::CellEditable* m_editing = nullptr;  // the cell being edited, if any
    CCommandRouter m_router;                 // the editor's own menu commands

    Gtk::MenuItem* Item(int id);
    // Runs `step` from the main loop, after the edit of a row has ended: a
    // file dialog or question must not run its own loop inside the handler
    // of whoever pressed (an assistive technology's request waits there).
    void Later(std::function<void()> step);
    void Fill();
    void CommitEditing();
    void RegisterCommands();
    void Open(bool replace);
    void AddRow();
    void DeleteRow();
    // "URLの追加": the address typed, nothing when cancelled or empty.
    std::optional<std::string> AskUrl();
    // Saves (asking for a file when there is none, or always when `askPath`);
    // false when nothing was saved.
    bool Save(bool askPath);
    // Unsaved rows: asks whether to save them; false when the user cancels
    // (or the save failed).
    bool MayDiscard();
    void Close();
    void Tell(const ListEditResult& result);
    void RestorePlacement();
    void StorePlacement();
};

}  // namespace fern
