#pragma once
// "全画面表示(&F)": the window fills its monitor without the band area and the
// status bar, and gets back exactly the bars it had when it entered;
// Escape or the command's key leaves. MFFullScrState is written on every
// change, and a window closed in full screen opens in it again.
#include "commands/CommandRouter.h"
#include "frame/FullScreenState.h"
#include "frame/gtk/FramePlacementPart.h"
#include "frame/gtk/MainFrameWindow.h"
#include "settings/SettingsService.h"

namespace fern {

class FullScreen {
public:
    // Enters full screen at once when it was on at the last end.
    FullScreen(MainFrameWindow& window, FramePlacementPart& placement, CSettingsService& settings);
    FullScreen(const FullScreen&) = delete;
    FullScreen& operator=(const FullScreen&) = delete;

    void RegisterCommands(CCommandRouter& router);
    bool On() const { return m_state.On(); }
    void Toggle();

private:
    MainFrameWindow& m_window;
    FramePlacementPart& m_placement;
    CSettingsService& m_settings;
    CFullScreenState m_state;
    // No window manager that knows full screen: the window is put over its
    // monitor by hand.
    bool m_byHand = false;

    FullScreenBars BarsShown();
    void ShowBars(const FullScreenBars& bars);
    void Fill();
    void Store();
};

}  // namespace fern
