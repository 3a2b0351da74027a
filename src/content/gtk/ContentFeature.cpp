#include "content/gtk/ContentFeature.h"

#include "content/ContentCommands.h"

namespace fern {

ContentFeature::ContentFeature(CMainFrame& frame, CSettingsService& settings, COfflineMode& offline,
                               StatusBarWidget& statusBar, const std::string& resourceFolder,
                               CCommandRouter& router)
    : m_settings(settings),
      m_statusBar(statusBar),
      m_control(settings, [&frame] { return frame.ActiveView(); }) {
    RegisterContentCommands(router, m_control, offline);
    statusBar.SetDlcStyle(settings.Live().statusBar.downloadControlStrip);
    statusBar.LoadImages(resourceFolder);
    statusBar.SetDownloadControl(DefaultDownloadControl(settings.Live()));
    m_offlineClick = statusBar.offlineClicked.Connect([&offline] { offline.Toggle(); });
    offline.AddChangeHook([&frame](bool) { frame.UpdateOfflineIndicator(); });
    m_stripToggle =
        statusBar.downloadControlToggled.Connect([this](std::uint32_t bit) { m_control.ToggleDefault(bit); });
    // The strip's style is kept with the window's bars.
    m_stripStyle = frame.Exit().placementAndBars.Connect([this] {
        m_settings.Change(SettingsSection::StatusBar, [this](ProgramSettings& s) {
            s.statusBar.downloadControlStrip = m_statusBar.DlcStyle();
        });
    });
    m_browser = settings.Subscribe(SettingsSection::Browser, [this] {
        m_statusBar.SetDownloadControl(DefaultDownloadControl(m_settings.Live()));
    });
}

}  // namespace fern
