#include "sidebar/gtk/SideBarPanelsFeature.h"

#include "commands/CommandIds.h"
#include "commands/CommandRouter.h"

namespace fern {

SideBarPanelsFeature::SideBarPanelsFeature(Services s)
    : m_sideBar(s.sideBar),
      m_history(s.history),
      m_historyPanel(s.panels, s.history, s.dataFolder),
      m_historySearchPanel(s.panels, s.history, s.historySearchWords),
      m_webSearchPanel(s.panels, s.webSearchWords, s.dataFolder + "/search.ini") {
    SideBarHost& host = m_sideBar.Host();
    host.SetPanel(kHistoryPanel, m_historyPanel);
    host.SetPanel(kHistorySearchPanel, m_historySearchPanel);
    host.SetPanel(kWebSearchPanel, m_webSearchPanel);
    m_shown = host.panelShown.Connect([this](int panel) {
        if (panel == kHistoryPanel) m_historyPanel.Shown();
        if (panel == kHistorySearchPanel) m_historySearchPanel.Shown();
    });
    m_history.SetChangeListener([this] { m_historyPanel.MarkChanged(Showing(kHistoryPanel)); });
}

SideBarPanelsFeature::~SideBarPanelsFeature() { m_history.SetChangeListener({}); }

void SideBarPanelsFeature::RegisterCommands(CCommandRouter& router) {
    // Their dialog runs from the main loop once the menu is closed, so it
    // does not hold whoever chose the item.
    router.Add(ID_WEB_SEARCH,
               [this] { Glib::signal_idle().connect_once([this] { m_webSearchPanel.SearchClipboard(); }); });
    router.Add(ID_WEB_SEARCH_DIALOG,
               [this] { Glib::signal_idle().connect_once([this] { m_webSearchPanel.SearchWithDialog(); }); });
}

}  // namespace fern
