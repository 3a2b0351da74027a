#include "tools/dde/DdeFrameService.h"

#include "frame/MainFrame.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/MessageQueue.h"

namespace fern {

CFrameDdeBrowser::CFrameDdeBrowser(CMainFrame& frame, DdeWindowActions actions, IMessageQueue& queue)
    : m_frame(frame), m_actions(std::move(actions)), m_queue(queue) {}

int CFrameDdeBrowser::TabCount() const { return m_frame.TabCount(); }

int CFrameDdeBrowser::ActiveTab() const {
    CFernView* view = m_frame.ActiveView();
    return view ? view->TabIndex() : -1;
}

std::string CFrameDdeBrowser::TabUrl(int index) const {
    CFernView* view = m_frame.ViewAt(index);
    return view ? view->Url() : std::string();
}

std::string CFrameDdeBrowser::TabTitle(int index) const {
    CFernView* view = m_frame.ViewAt(index);
    return view ? view->Title() : std::string();
}

void CFrameDdeBrowser::OpenUrl(const std::string& text, int openFlags, std::uint32_t dlc, int securityMode) {
    m_frame.OpenUrl(text, openFlags, dlc, securityMode);
}

bool CFrameDdeBrowser::HiddenInTray() const { return m_actions.hiddenInTray && m_actions.hiddenInTray(); }

void CFrameDdeBrowser::PostRestoreFromTray() {
    if (m_actions.restoreFromTray) m_queue.Post(m_actions.restoreFromTray);
}

void CFrameDdeBrowser::PostClose() {
    if (m_actions.close) m_queue.Post(m_actions.close);
}

void CFrameDdeBrowser::RestoreWindow() {
    if (m_actions.restore) m_actions.restore();
}

DdeFrameService::DdeFrameService(CMainFrame& frame, DdeWindowActions actions, IMessageQueue& queue)
    : m_browser(frame, std::move(actions), queue), m_server(m_browser) {}

DdeFrameService::~DdeFrameService() { m_server.Shutdown(); }

bool DdeFrameService::Create(const std::string& service) {
    if (!m_server.Create(service, 0, nullptr)) return false;
    m_server.AddBrowserTopics();
    return true;
}

std::string DdeServiceName(const std::string& setting) {
    return setting.empty() ? CFernDDEClient::kDefaultService : setting;
}

std::unique_ptr<DdeFrameService> StartDdeServer(CMainFrame& frame, const std::string& serviceSetting,
                                                DdeWindowActions actions, IMessageQueue& queue,
                                                IMessageBox& messageBox) {
    auto service = std::make_unique<DdeFrameService>(frame, std::move(actions), queue);
    if (service->Create(DdeServiceName(serviceSetting))) return service;
    messageBox.Show("Failed to initialize DDE Client :(", "Fern Browser", MessageBoxKind::Ok);
    return nullptr;
}

}  // namespace fern
