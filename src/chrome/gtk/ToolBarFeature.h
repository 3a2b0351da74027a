#pragma once
// The tool bar in the window: its buttons and look from wnds.ini [FernBars]
// (TBBtnCount, TBBtnStyle), the customise dialog that edits them, the
// commands of its own buttons (the text-size drop-down, the proxy button),
// and where it stands: a band (TBStyle 1) or docked to a side of the window
// (TBStyle 0, its side in the dock layout), shown while its band's switch
// is on in either.
#include <functional>
#include <memory>

#include "chrome/ToolBarDock.h"
#include "chrome/gtk/ToolBarCustomizeDialog.h"
#include "chrome/gtk/ToolBarWidget.h"
#include "commands/CommandRouter.h"
#include "frame/gtk/MainFrameWindow.h"
#include "settings/SettingsService.h"

namespace fern {

class ToolBarFeature {
public:
    // `windows` is wnds.ini, which keeps the dock layout.
    ToolBarFeature(MainFrameWindow& window, CCommandRouter& router, CSettingsService& settings,
                   Profile& windows);

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
    SettingsSubscription m_bands;
    std::unique_ptr<ToolBarCustomizeDialog> m_dialog;
    CToolBarDock m_dock;
    std::string m_shownButtons, m_shownStyle;  // what the buttons were made from

    void Apply();
    void Place();
    void ShowOrHide();
    void ReportIfUnsaved(bool saved);
    void Dragged(int xRoot, int yRoot);
    void Customize();
    void StepTextSize();
};

}  // namespace fern
