#pragma once
// The browser's request server as the main frame holds it: started while the
// frame is created, with the service name of the settings, and shut down
// when it is destroyed.
#include <functional>
#include <memory>
#include <string>

#include "tools/dde/FernDDEClient.h"

namespace fern {

class CMainFrame;
class IMessageBox;
class IMessageQueue;

// What the window does for the requests; an empty function does nothing
// (an empty hiddenInTray: the window is never in the tray).
struct DdeWindowActions {
    std::function<bool()> hiddenInTray;
    std::function<void()> restoreFromTray;  // run posted
    std::function<void()> restore;          // run at once
    std::function<void()> close;            // run posted
};

// The tabs of the main frame, as the request server sees them.
class CFrameDdeBrowser : public IDdeBrowser {
public:
    CFrameDdeBrowser(CMainFrame& frame, DdeWindowActions actions, IMessageQueue& queue);
    int TabCount() const override;
    int ActiveTab() const override;
    std::string TabUrl(int index) const override;
    std::string TabTitle(int index) const override;
    void OpenUrl(const std::string& text, int openFlags, std::uint32_t dlc, int securityMode) override;
    bool HiddenInTray() const override;
    void PostRestoreFromTray() override;
    void PostClose() override;
    void RestoreWindow() override;

private:
    CMainFrame& m_frame;
    DdeWindowActions m_actions;
    IMessageQueue& m_queue;
};

class DdeFrameService {
public:
    DdeFrameService(CMainFrame& frame, DdeWindowActions actions, IMessageQueue& queue);
    ~DdeFrameService();
    DdeFrameService(const DdeFrameService&) = delete;
    DdeFrameService& operator=(const DdeFrameService&) = delete;

    bool Create(const std::string& service);
    CFernDDEClient& Server() { return m_server; }

private:
    CFrameDdeBrowser m_browser;
    CFernDDEClient m_server;
};

// The service name of the settings, "FBROWSER" when it is empty.
std::string DdeServiceName(const std::string& setting);

// Starts the server; when it cannot start, the user is told "Failed to
// initialize DDE Client :(" and null comes back (the browser runs on
// without it).
std::unique_ptr<DdeFrameService> StartDdeServer(CMainFrame& frame, const std::string& serviceSetting,
                                                DdeWindowActions actions, IMessageQueue& queue,
                                                IMessageBox& messageBox);

}  // namespace fern
