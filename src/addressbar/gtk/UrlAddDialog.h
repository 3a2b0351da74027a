#pragma once
// The open dialog (command 32825 "開く(&O)"): an address or a file path,
// picked from the typed list or browsed for, opened in this tab or a new one.
#include <gtkmm.h>

#include <string>
#include <vector>

#include "settings/SettingsService.h"

namespace fern {

class UrlAddDialog : public Gtk::Dialog {
public:
    // `typed` fills the list; FDStyle gives the check box and auto-complete.
    UrlAddDialog(Gtk::Window& parent, const std::vector<std::string>& typed, CSettingsService& settings);

    struct Result {
        bool ok = false;
        std::string text;  // Shift-JIS
        bool newTab = false;
    };
    // Runs until OK or Cancel; "参照(&R)..." keeps the dialog open.
    Result Run();

    Gtk::ComboBoxText& Combo() { return m_combo; }
    Gtk::CheckButton& NewTab() { return m_newTab; }
    Gtk::Widget* OkButton() { return m_ok; }
    Gtk::Button& BrowseButton() { return m_browse; }

private:
    CSettingsService& m_settings;
    Gtk::Label m_prompt;
    Gtk::ComboBoxText m_combo{true};
    Gtk::CheckButton m_newTab;
    Gtk::Button m_browse;
    Gtk::Widget* m_ok = nullptr;

    void UpdateOk();
    void Browse();
};

}  // namespace fern
