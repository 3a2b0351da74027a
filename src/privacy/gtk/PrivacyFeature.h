#pragma once
// Cookies, the Internet options and the default browser in the window: the
// cookie switch on privacy.ini and the engine's cookie store, its commands,
// the status bar's zone indicator, and BOCookie followed when it changes.
#include <gtkmm.h>

#include <string>

#include "chrome/gtk/StatusBarWidget.h"
#include "commands/CommandRouter.h"
#include "frame/MainFrame.h"
#include "options/gtk/OptionsPage.h"
#include "platform/Signal.h"
#include "platform/gtk/SpawnCommandRunner.h"
#include "privacy/CookieSwitch.h"
#include "privacy/DefaultBrowser.h"
#include "privacy/PrivacyIniFile.h"
#include "privacy/gtk/BrowserOptionsPages.h"
#include "privacy/gtk/PrivacyCommandPart.h"
#include "privacy/gtk/WebKitCookieEngine.h"
#include "settings/SettingsService.h"

namespace fern {

class PrivacyFeature {
public:
    // `executable` is the program that "標準ブラウザに設定(&S)" registers.
    PrivacyFeature(Gtk::Window& window, CMainFrame& frame, CSettingsService& settings,
                   PrivacyIniFile& privacyFile, WebKitCookieEngine& cookieEngine, IMessageBox& messageBox,
                   StatusBarWidget& statusBar, const std::string& executable, CCommandRouter& router,
                   COptionsPages& optionsPages);

private:
    CSettingsService& m_settings;
    CookieSwitch m_cookies;
    SpawnCommandRunner m_runner;
    DefaultBrowser m_defaultBrowser;
    PrivacyCommandPart m_commands;
    SignalConnection m_zoneClick;
    SettingsSubscription m_browser;
    BrowserPageServices m_pageServices;
};

}  // namespace fern
