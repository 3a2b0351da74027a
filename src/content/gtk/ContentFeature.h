#pragma once
// Download control and offline work in the window: the switches' commands,
// the status bar's offline indicator and download-control strip (which
// show and flip the flags of new tabs), and the strip's style at the end.
#include "chrome/gtk/StatusBarWidget.h"
#include "commands/CommandRouter.h"
#include "content/DownloadControl.h"
#include "content/OfflineMode.h"
#include "frame/MainFrame.h"
#include "platform/Signal.h"
#include "settings/SettingsService.h"

namespace fern {

class ContentFeature {
public:
    ContentFeature(CMainFrame& frame, CSettingsService& settings, COfflineMode& offline,
                   StatusBarWidget& statusBar, const std::string& resourceFolder, CCommandRouter& router);

    CDownloadControl& DownloadControl() { return m_control; }

private:
    CSettingsService& m_settings;
    StatusBarWidget& m_statusBar;
    CDownloadControl m_control;
    SignalConnection m_offlineClick, m_stripToggle, m_stripStyle;
    SettingsSubscription m_browser;
};

}  // namespace fern
