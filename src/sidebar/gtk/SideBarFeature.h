#pragma once
// The side bar in the running browser: the host in the window's side-bar
// place beside the pages, its switches ("ファーン バー" and one per panel),
// the next, previous and focus panel commands, its look from `FBStyle`, and
// its width, visibility and panel kept at the end (wnds.ini and `FBIndex`).
#include "commands/CommandRouter.h"
#include "frame/MainFrame.h"
#include "frame/gtk/MainFrameWindow.h"
#include "platform/Signal.h"
#include "settings/SettingsService.h"
#include "sidebar/SideBar.h"
#include "sidebar/gtk/SideBarHost.h"

namespace fern {

class SideBarFeature {
public:
    SideBarFeature(MainFrameWindow& window, CMainFrame& frame, CSettingsService& settings);
    ~SideBarFeature();
    SideBarFeature(const SideBarFeature&) = delete;
    SideBarFeature& operator=(const SideBarFeature&) = delete;

    // Where other features put their panels (SideBarHost::SetPanel).
    SideBarHost& Host() { return m_host; }
    // Shows the bar with panel `index`.
    void ShowBar(int index);
    bool Shown() const { return m_shown; }

    void RegisterCommands(CCommandRouter& router);

private:
    MainFrameWindow& m_window;
    CSettingsService& m_settings;
    SideBarHost m_host;
    SideBarSizes m_sizes;
    bool m_shown = false;
    SettingsSubscription m_style;
    SignalConnection m_exitStep;
    sigc::connection m_startShow;

    SideBarState State() const { return {m_shown, m_host.Current()}; }
    void Apply(SideBarState state);
    void SetShown(bool shown);
    Gtk::Paned* Paned();
    void KeepWidth();
    void SaveAtEnd();
};

}  // namespace fern
