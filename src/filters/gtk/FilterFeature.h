#pragma once
// The pop-up and dialog filters in the window: the page message-box filter
// and the script errors (window or status text), the dialog sweep, the
// register commands and switches, and COCount at the end.
#include <gtkmm.h>

#include <string>

#include "commands/CommandRouter.h"
#include "filters/CloseFilter.h"
#include "filters/FilterCommands.h"
#include "filters/PageDialogFilter.h"
#include "filters/gtk/CloseOptionsPages.h"
#include "filters/gtk/DialogSweeper.h"
#include "filters/gtk/ScriptErrorWindow.h"
#include "frame/MainFrame.h"
#include "platform/Signal.h"
#include "settings/SettingsService.h"

namespace fern {

class FilterFeature {
public:
    FilterFeature(Gtk::Window& window, CMainFrame& frame, CCloseFilter& filter, CSettingsService& settings,
                  ITimerService& timers, IMessageBox& messageBox, const std::string& closeListPath,
                  CCommandRouter& router, COptionsPages& optionsPages);
    ~FilterFeature();

private:
    CMainFrame& m_frame;
    ScriptErrorWindow m_scriptErrors;
    CPageDialogFilter m_pageDialogs;
    DialogSweeper m_sweeper;
    CFilterCommands m_commands;
    SignalConnection m_count;
    ClosePageServices m_pageServices;
};

}  // namespace fern
