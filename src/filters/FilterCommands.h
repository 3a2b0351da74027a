#pragma once
// The filter commands of the tab and tools menus: register the target tab's
// URL or title in close.fbl, and the script-error and dialog-sweep switches
// of BOStyle. A save the user asked for that fails is told to the user.
#include <functional>
#include <optional>
#include <string>

#include "filters/CloseFilter.h"
#include "frame/MainFrame.h"
#include "platform/shell/MessageBox.h"
#include "settings/SettingsService.h"

namespace fern {

class CCommandRouter;

class CFilterCommands {
public:
    struct Services {
        CMainFrame& frame;
        CCloseFilter& filter;
        std::string closeListPath;
        CSettingsService& settings;
        IMessageBox& messageBox;
        // The sweep switch changed (start or stop the sweep).
        std::function<void(bool on)> sweepChanged;
    };
    explicit CFilterCommands(Services services)
        : m_s(std::move(services)), m_hostSite(m_s.settings.Live().browser.customHostSite) {}

    // True when the id is one of these commands (and it ran).
    // "制止URLに登録(&C)", "制止タイトルに登録(&T)" and the two switches.
    void RegisterCommands(CCommandRouter& router);

    void RegisterUrl();
    void RegisterTitle();
    void ToggleScriptErrors();
    void ToggleDialogSweep();

private:
    Services m_s;
    bool m_hostSite;  // latched at start-up like the host site itself

    bool SaveLists();
    const BrowserSettings& Browser() const;
    // A switch of the Browser group; a failed save is told to the user.
    void ChangeBrowser(const std::function<void(BrowserSettings&)>& edit);
};

}  // namespace fern
