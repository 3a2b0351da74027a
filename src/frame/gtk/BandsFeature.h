#pragma once
// The bands at the top of the window as wnds.ini [ReBar] keeps them
// (RBBandCount, RBBandStyle): their order, rows and widths, the View
// menu's switches of the menu bar, tool bar, address bar and tab bar (a
// band's hidden bit), "バーを固定(&B)" (the last band's no-gripper bit), and
// the bars' menu on a right-click. The tool bar's band is left out while
// the tool bar is docked to a side (wnds.ini [FernBars] TBStyle).
#include <functional>

#include "commands/CommandRouter.h"
#include "frame/gtk/MainFrameWindow.h"
#include "frame/gtk/ReBarWidget.h"
#include "settings/SettingsService.h"

namespace fern {

class BandsFeature {
public:
    BandsFeature(MainFrameWindow& window, CCommandRouter& router, CSettingsService& settings);

    void RegisterCommands(CCommandRouter& router);
    // Opens the bars' menu (also for the tool bar's right-click).
    void ShowMenu();

private:
    MainFrameWindow& m_window;
    CSettingsService& m_settings;
    ReBarWidget m_bands;
    Gtk::Menu* m_menu = nullptr;
    SettingsSubscription m_section;
    SettingsSubscription m_toolBarStyle;

    BandList Current() const;
    void Apply();
    void ApplyToolBarStyle();
    void Store(const BandList& bands);
    void Toggle(int band);
};

}  // namespace fern
