#pragma once
// "タスク トレイ(&T)": the window goes to a status icon and comes back from it
// (the icon's click, "元に戻す(&R)" in its menu, the command again or the hot
// key). The program's other windows on screen (the list editor, the
// downloads) go and come back with it. Where no icon can be shown the window is minimized instead, so it is
// never out of reach. Minimizing goes to the tray with TTStyle 0x2, except
// in full screen.
#include <gtkmm.h>

#include <vector>

#include "commands/CommandRouter.h"
#include "frame/MainFrame.h"
#include "frame/gtk/FramePlacementPart.h"
#include "frame/gtk/FullScreen.h"
#include "frame/gtk/MainFrameWindow.h"
#include "frame/gtk/TrayHotKeyBinding.h"
#include "frame/gtk/TrayIcon.h"
#include "options/gtk/OptionsPage.h"
#include "settings/SettingsService.h"

namespace fern {

class TrayFeature {
public:
    struct Services {
        MainFrameWindow& window;
        CMainFrame& frame;
        CSettingsService& settings;
        CCommandRouter& router;
        FramePlacementPart& placement;
        FullScreen& fullScreen;
        COptionsPages& pages;
    };
    explicit TrayFeature(Services services);
    TrayFeature(const TrayFeature&) = delete;
    TrayFeature& operator=(const TrayFeature&) = delete;

    void RegisterCommands(CCommandRouter& router);
    bool InTray() const { return m_inTray; }
    void Toggle();

private:
    Services m_services;
    TrayIcon m_icon;
    TrayHotKeyBinding m_hotKey;
    bool m_inTray = false;
    std::vector<Gtk::Window*> m_alsoHidden;  // shown again on the way back
    Gtk::Menu* m_menu = nullptr;
    SettingsSubscription m_changed;
    SignalConnection m_exitStep;

    void ToTray();
    void FromTray();
    void BindHotKey();
    void PopUpMenu();
};

}  // namespace fern
