#pragma once
// The options pages of the Browser section: "ブラウザ" (focus, target names,
// the home page, the default browser), "ブラウザ::その他" (the latched
// switches, the Internet options launcher, the user agent, the request
// channel's name) and "ブラウザ::セキュリティ" (inheritance, reload, the
// cookie mode and the five download-control templates). The three share
// the session's working copy of the section.
#include <array>
#include <functional>
#include <string>

#include "options/gtk/OptionsPage.h"
#include "platform/shell/MessageBox.h"
#include "ui/gtk/OptionsControls.h"

namespace fern {

struct BrowserPageServices {
    // The active tab's address (Shift-JIS), "" without one.
    std::function<std::string()> currentUrl;
    std::function<bool()> isDefaultBrowser;
    // Registers (true) or unregisters; false with the reason in `error`.
    std::function<bool(bool on, std::string* error)> setDefaultBrowser;
    IMessageBox& messageBox;
    // The section as the program started: what the latched switches run with.
    BrowserSettings atStart;
};

class BrowserOptionsPage : public IOptionsPage {
public:
    explicit BrowserOptionsPage(const BrowserPageServices& services);
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    const BrowserPageServices& m_s;
    OptionsColumn m_column;
    Gtk::CheckButton& m_focus;
    Gtk::CheckButton& m_targets;
    Gtk::CheckButton& m_defaultBrowser;
    Gtk::CheckButton& m_useHome;
    Gtk::Entry& m_home;
    Gtk::Button& m_current;
    Gtk::Button& m_blank;
    BrowserSettings m_loaded;
    Glib::ustring m_loadedHome;
};

class BrowserOtherOptionsPage : public IOptionsPage {
public:
    explicit BrowserOtherOptionsPage(const BrowserPageServices& services);
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    const BrowserPageServices& m_s;
    OptionsColumn m_column;
    Gtk::CheckButton& m_flat;
    Gtk::Label& m_flatPending;
    Gtk::CheckButton& m_drop;
    Gtk::Label& m_dropPending;
    Gtk::CheckButton& m_helpers;
    Gtk::Label& m_helpersPending;
    Gtk::ComboBoxText& m_inetCpl;
    Gtk::Entry& m_userAgent;
    Gtk::Entry& m_ddeName;
    Gtk::Label& m_ddePending;
    BrowserSettings m_loaded;
    Glib::ustring m_loadedUserAgent, m_loadedDdeName;

    void Enable();
};

class SecurityOptionsPage : public IOptionsPage {
public:
    explicit SecurityOptionsPage(const BrowserPageServices& services);
    Gtk::Widget& Widget() override { return m_column; }
    void Load(const ProgramSettings& working) override;
    void Store(COptionsSession& session) override;

private:
    OptionsColumn m_column;
    Gtk::CheckButton& m_inherit;
    Gtk::CheckButton& m_reload;
    Gtk::ComboBoxText& m_cookie;
    Gtk::ComboBoxText& m_template;
    struct FlagCheck {
        Gtk::CheckButton* check;
        int bit;
        bool checkedWhenSet;  // multimedia: checked = allowed = bit set
    };
    std::array<FlagCheck, 7> m_flags;
    std::array<int, 5> m_templates{};  // BODLCDefault, BODLCDefault1..4 as edited
    std::array<int, 5> m_loadedTemplates{};
    int m_shown = 0;  // the template the check boxes show
    BrowserSettings m_loaded;
    bool m_syncing = false;

    void ShowTemplate(int index);
    void KeepTemplate();
};

// Registers the three pages; `services` must outlive every dialog.
void AddBrowserOptionsPages(COptionsPages& pages, const BrowserPageServices& services);

}  // namespace fern
