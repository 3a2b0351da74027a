#pragma once
// The side bar's panels of ours in the running browser: "履歴" on the
// history store, kept in step with it while shown; "履歴検索"; "Web検索" with the main
// window's two web searches.
#include <memory>
#include <string>

#include "platform/store/HistoryStore.h"
#include "sidebar/gtk/HistoryPanel.h"
#include "sidebar/gtk/HistorySearchPanel.h"
#include "sidebar/gtk/PanelServices.h"
#include "sidebar/gtk/SideBarFeature.h"
#include "sidebar/gtk/WebSearchPanel.h"

namespace fern {

class CCommandRouter;

class SideBarPanelsFeature {
public:
    struct Services {
        PanelServices panels;
        SideBarFeature& sideBar;
        HistoryStore& history;
        std::string dataFolder;             // the file system's bytes
        SearchStrings& webSearchWords;      // "typedws" of typed.fbl
        SearchStrings& historySearchWords;  // "typedhs"
    };
    explicit SideBarPanelsFeature(Services services);
    ~SideBarPanelsFeature();
    SideBarPanelsFeature(const SideBarPanelsFeature&) = delete;
    SideBarPanelsFeature& operator=(const SideBarPanelsFeature&) = delete;

    void RegisterCommands(CCommandRouter& router);

private:
    SideBarFeature& m_sideBar;
    HistoryStore& m_history;
    HistoryPanel m_historyPanel;
    HistorySearchPanel m_historySearchPanel;
    WebSearchPanel m_webSearchPanel;
    SignalConnection m_shown;

    bool Showing(int panel) const { return m_sideBar.Shown() && m_sideBar.Host().Current() == panel; }
};

}  // namespace fern
