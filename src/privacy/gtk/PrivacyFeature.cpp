#include "privacy/gtk/PrivacyFeature.h"

#include "privacy/SecurityZone.h"

namespace fern {

PrivacyFeature::PrivacyFeature(Gtk::Window& window, CMainFrame& frame, CSettingsService& settings,
                               PrivacyIniFile& privacyFile, WebKitCookieEngine& cookieEngine,
                               IMessageBox& messageBox, StatusBarWidget& statusBar,
                               const std::string& executable, CCommandRouter& router,
                               COptionsPages& optionsPages)
    : m_settings(settings),
      m_cookies(CookieModeOf(settings.Live().browser.cookie), privacyFile, cookieEngine, messageBox),
      m_defaultBrowser(m_runner, privacyFile, DefaultBrowserPathsFor(executable)),
      m_commands(window, {m_cookies, cookieEngine, m_defaultBrowser, messageBox,
                          [&frame] {
                              CFernView* view = frame.ActiveView();
                              return view ? view->Url() : std::string();
                          }}),
      m_pageServices({[&frame] {
                          CFernView* view = frame.ActiveView();
                          return view ? view->Url() : std::string();
                      },
                      [this] { return m_defaultBrowser.IsRegistered(); },
                      [this](bool on, std::string* error) {
                          return on ? m_defaultBrowser.Register(error) : m_defaultBrowser.Unregister(error);
                      },
                      messageBox, settings.Live().browser}) {
    m_commands.RegisterCommands(router);
    frame.SetZoneRule([](const std::string& url) { return ZoneOfUrl(url); });
    m_zoneClick = statusBar.zoneClicked.Connect(
        [this] { m_commands.OpenInternetOptions(InternetOptionsPage::Security); });
    m_browser = settings.Subscribe(SettingsSection::Browser, [this] {
        m_cookies.SetMode(CookieModeOf(m_settings.Live().browser.cookie));
    });
    AddBrowserOptionsPages(optionsPages, m_pageServices);
}

}  // namespace fern
