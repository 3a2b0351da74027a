#pragma once
// The tool bar in the window: its buttons and look from wnds.ini [FernBars]
// (TBBtnCount, TBBtnStyle), the customise dialog that edits them, and the
// commands of its own buttons (the text-size drop-down, the proxy button).
#include <functional>
#include <memory>

#include "chrome/gtk/ToolBarCustomizeDialog.h"
#include "chrome/gtk/ToolBarWidget.h"
#include "commands/CommandRouter.h"
#include "frame/gtk/MainFrameWindow.h"
#include "settings/SettingsService.h"

namespace fern {

class ToolBarFeature {
public:
    ToolBarFeature(MainFrameWindow& window, CCommandRouter& router, CSettingsService& settings);

    void RegisterCommands(CCommandRouter& router);
    // The buttons of features this build does not have stay greyed: run
    // after every feature registered its commands.
    void ServeMissing(CCommandRouter& router);
    ToolBarWidget& Widget() { return m_bar; }
    // What a right-click on the bar opens (the bars' menu).
    void SetContextMenu(std::function<void(GdkEventButton*)> open) { m_bar.contextMenu = std::move(open); }

private:
    MainFrameWindow& m_window;
    CCommandRouter& m_router;
    CSettingsService& m_settings;
    SharedMenuContext m_menus;
    ToolBarWidget m_bar;
    SettingsSubscription m_section;
    std::unique_ptr<ToolBarCustomizeDialog> m_dialog;

    void Apply();
    void Customize();
    void StepTextSize();
};

}  // namespace fern
