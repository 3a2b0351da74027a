#pragma once
// The address bar, the recently closed tabs, the state logs, the startup
// URLs and auto-save, put together for the main window and the start-up:
// built from the settings and the data folder, it reads typed.fbl and
// rcu.fbl, serves its commands and menus, and gives the frame its hooks and
// exit steps.
#include <gtkmm.h>

#include <memory>
#include <optional>
#include <string>

#include "commands/CommandIds.h"
#include "addressbar/AddressBar.h"
#include "addressbar/TypedUrlFile.h"
#include "addressbar/gtk/AddressBarWidget.h"
#include "app/DataPaths.h"
#include "settings/SettingsService.h"
#include "frame/ClosedTabs.h"
#include "frame/MainFrame.h"
#include "frame/StateLog.h"

namespace fern {

class CCommandRouter;

class SessionParts {
public:
    struct Services {
        CMainFrame& frame;
        Gtk::Window& window;  // parent of the dialogs
        CSettingsService& settings;
        const DataPaths& paths;
        IMessageBox& messageBox;
        std::string tempFolder;  // Shift-JIS
    };

    explicit SessionParts(Services services);
    SessionParts(const SessionParts&) = delete;
    SessionParts& operator=(const SessionParts&) = delete;

    AddressBarWidget& AddressBar() { return *m_widget; }
    CAddressBar& AddressBarLogic() { return m_bar; }
    const CClosedTabs& Closed() const { return m_closed; }

    // The frame's hooks: a tab's page is destroyed; the address-bar step of
    // an open; the active page's address.
    void ViewDestroyed(const CFernView& view) { m_closed.Record(view); }
    void Opened(const std::string& text, int openFlags) { m_bar.OnOpened(text, openFlags); }
    void OpenRefused() { m_bar.OnOpenRefused(); }
    void SetAddress(const std::string& url) { m_widget->SetText(url); }

    // The commands of the closed tabs, the logs, the start-up list, auto-save
    // and the address bar.
    void RegisterCommands(CCommandRouter& router);
    void ToggleGoButton();

    // Start-up, after the arguments: startup URLs and the state log.
    void OpenAtStartup(bool argumentOpened);
    // stateLog and typedLists, and the recently closed URLs after what
    // proxyAndRecent holds already.
    void AddExitSteps(ExitSteps& steps);

    // Exit steps as plain calls (for tests and for callers that order them
    // themselves).
    void SaveStateLog();
    void SaveTypedHistory();
    void SaveRecentClosed();

private:
    Services m_s;
    CAddressBar m_bar;
    TypedHistory m_typed;
    CClosedTabs m_closed;
    std::unique_ptr<AddressBarWidget> m_widget;
    bool m_autoSaveRunning = false;
    SettingsSubscription m_addressStyle;

    const ProgramSettings& Live() const { return m_s.settings.Live(); }

    UrlOpener Opener() { return FrameOpener(m_s.frame); }
    bool FocusOption() const;
    void ReportSaveFailure(const std::string& path, const ListFileStatus& status, bool tellUser);
    void OpenDialog();
    void AutoSaveCommand();
};

}  // namespace fern
