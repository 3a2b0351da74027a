#include "sidebar/gtk/SideBarPanelsFeature.h"

#include "commands/CommandRouter.h"

namespace fern {

SideBarPanelsFeature::SideBarPanelsFeature(Services s)
    : m_sideBar(s.sideBar), m_history(s.history), m_historyPanel(s.panels, s.history, s.dataFolder) {
    SideBarHost& host = m_sideBar.Host();
    host.SetPanel(kHistoryPanel, m_historyPanel);
    m_shown = host.panelShown.Connect([this](int panel) {
        if (panel == kHistoryPanel) m_historyPanel.Shown();
    });
    m_history.SetChangeListener([this] { m_historyPanel.MarkChanged(Showing(kHistoryPanel)); });
}

SideBarPanelsFeature::~SideBarPanelsFeature() { m_history.SetChangeListener({}); }

void SideBarPanelsFeature::RegisterCommands(CCommandRouter&) {}

}  // namespace fern
