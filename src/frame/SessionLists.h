#pragma once
// The lists a session leaves behind and starts from: the recently closed
// tabs (rcu.fbl), the state log (state.fbl) and lists saved by the user,
// the start-up list (startup.fbl) and auto-save. It serves their commands,
// records every closed tab, saves at the end and opens what the start-up
// settings ask for. The windows it needs come in as functions.
#include <functional>
#include <optional>
#include <string>

#include "frame/ClosedTabs.h"
#include "frame/MainFrame.h"
#include "platform/Signal.h"
#include "settings/SettingsService.h"

namespace fern {

class CCommandRouter;
class IMessageBox;

// The files of the lists, in the data folder.
struct SessionFiles {
    std::string recentClosed;  // rcu.fbl
    std::string stateLog;      // state.fbl
    std::string startupList;   // startup.fbl
};

struct SessionDialogs {
    // A list file to save to (`save`) or to open; nothing when cancelled.
    std::function<std::optional<std::string>(bool save, const std::string& suggestedName)> chooseListFile;
    // The auto-save interval in minutes; nothing when cancelled.
    std::function<std::optional<int>(int minutes)> askAutoSaveMinutes;
};

class CSessionLists {
public:
    // Reads rcu.fbl; from now on every tab the frame closes is recorded and
    // the end saves the state log and the closed tabs in their steps.
    CSessionLists(CMainFrame& frame, CSettingsService& settings, SessionFiles files, IMessageBox& messageBox,
                  SessionDialogs dialogs);
    CSessionLists(const CSessionLists&) = delete;
    CSessionLists& operator=(const CSessionLists&) = delete;

    void RegisterCommands(CCommandRouter& router);
    // At start-up, after the arguments: the start-up list and the state log.
    void OpenAtStartup(bool argumentOpened);

    const CClosedTabs& Closed() const { return m_closed; }

private:
    CMainFrame& m_frame;
    CSettingsService& m_settings;
    SessionFiles m_paths;
    IMessageBox& m_messageBox;
    SessionDialogs m_dialogs;
    CClosedTabs m_closed;
    bool m_autoSaveRunning = false;
    SignalConnection m_record, m_stateLog, m_recent;

    UrlOpener Opener();
    bool FocusOption() const { return m_settings.Live().browser.focusPage; }
    // A save that did not happen is logged; told to the user when they asked for it.
    void Report(const std::string& path, const ListFileStatus& status, bool tellUser);
    void AutoSaveCommand();
};

}  // namespace fern
