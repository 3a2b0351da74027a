#pragma once
// The "オプション" dialog: a tree of the registered pages beside the page
// shown, OK / キャンセル / 適用. It opens on the page ODIndex names and
// stores the page shown when it closes.
#include <gtkmm.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "options/OptionsSession.h"
#include "options/gtk/OptionsPage.h"

namespace fern {

class OptionsDialog {
public:
    OptionsDialog(Gtk::Window& parent, CSettingsService& settings, const COptionsPages& pages);
    ~OptionsDialog();
    OptionsDialog(const OptionsDialog&) = delete;
    OptionsDialog& operator=(const OptionsDialog&) = delete;

    // Shows the dialog and returns; `closed` runs from the main loop once
    // it is closed.
    void Show(std::function<void()> closed);
    void Present() { m_dialog->present(); }
    Gtk::Dialog& Widget() { return *m_dialog; }

private:
    CSettingsService& m_settings;
    COptionsSession m_session;
    Glib::RefPtr<Gtk::Builder> m_builder;
    Gtk::Dialog* m_dialog = nullptr;
    Gtk::TreeView* m_tree = nullptr;
    Gtk::Stack* m_stack = nullptr;
    Glib::RefPtr<Gtk::TreeStore> m_store;
    std::map<std::string, std::unique_ptr<IOptionsPage>> m_pages;  // by title
    std::vector<std::string> m_rows;                               // the title of each tree row
    std::string m_shown;
    std::function<void()> m_closed;

    void Show(const std::string& title);
    void Apply();
    void Close();
};

}  // namespace fern
