#pragma once
// Our Internet options: deleting browsing data, the zone rule, the cookie
// switches and the default-browser check box, one page each.
#include <gtkmm.h>

#include <functional>
#include <string>

#include "platform/shell/MessageBox.h"
#include "privacy/CookieSwitch.h"
#include "privacy/DefaultBrowser.h"
#include "privacy/gtk/WebKitCookieEngine.h"

namespace fern {

enum class InternetOptionsPage { General = 0, Security = 1, Privacy = 2, Programs = 3 };

struct InternetOptionsServices {
    CookieSwitch& cookies;
    WebKitCookieEngine& engine;
    DefaultBrowser& defaultBrowser;
    IMessageBox& messageBox;
    // The active tab's address (Shift-JIS), "" without one.
    std::function<std::string()> currentUrl;
};

class InternetOptionsDialog : public Gtk::Dialog {
public:
    InternetOptionsDialog(Gtk::Window* parent, InternetOptionsServices services);
    void ShowPage(InternetOptionsPage page);
    // Shows the stored state again (after a menu command changed it).
    void Sync();

private:
    InternetOptionsServices m_services;
    Gtk::Notebook m_pages;
    Gtk::Label m_currentZone;
    Gtk::Label m_mode;
    Gtk::CheckButton m_firstParty, m_session, m_thirdParty, m_defaultBrowser;
    bool m_syncing = false;

    Gtk::Widget* GeneralPage();
    Gtk::Widget* SecurityPage();
    Gtk::Widget* PrivacyPage();
    Gtk::Widget* ProgramsPage();
    void OnCookieToggle(void (CookieSwitch::*flip)());
    void OnDefaultBrowserToggle();
    void OnClearCache();
};

}  // namespace fern
