#pragma once
// The history in the running browser: history.db in the data folder, the
// visits of every tab recorded from the pages the engine reports (with the
// bytes of each page once loaded), the commands that clear it, and the
// store's problems shown to the user.
#include <webkit2/webkit2.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "commands/CommandRouter.h"
#include "history/HistoryCommands.h"
#include "history/HistoryOptions.h"
#include "history/HistoryRecorder.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/MessageQueue.h"
#include "platform/store/HistoryStore.h"
#include "settings/SettingsService.h"

namespace fern {

class HistoryFeature : private IWebKitPageObserver {
public:
    struct Services {
        std::string dataFolder;            // the file system's bytes
        const CSettingsService& settings;  // read at the start: a change of the limits waits for a restart
        WebKitContext& context;
        IMessageQueue& queue;
        IMessageBox& messageBox;
        std::function<bool()> offline;
        std::function<std::string()> activeUrl;  // the page shown, for clearing its site; "" when none
    };
    explicit HistoryFeature(Services services);
    ~HistoryFeature();
    HistoryFeature(const HistoryFeature&) = delete;
    HistoryFeature& operator=(const HistoryFeature&) = delete;

    HistoryStore& Store() { return *m_store; }

    // The clear commands run from the main loop once the menu is closed, so
    // their question does not hold whoever chose the item (an assistive
    // technology waits for the item's action to return).
    void RegisterCommands(CCommandRouter& router);

private:
    struct ViewState {
        std::string failedUri;  // the load that failed last, until its error page commits
        bool errorPage = false;
        GCancellable* reading = nullptr;
    };

    Services m_s;
    HistoryOptions m_options;
    std::unique_ptr<HistoryStore> m_store;
    std::unique_ptr<CHistoryRecorder> m_recorder;
    CHistoryCommands m_commands;
    std::map<WebKitWebView*, ViewState> m_views;
    // Answers of the engine that come after we are gone find null here.
    std::shared_ptr<HistoryFeature*> m_self = std::make_shared<HistoryFeature*>(this);

    void PageCommitted(WebKitWebView* view, const std::string& uri) override;
    void PageTitle(WebKitWebView* view, const std::string& title) override;
    void PageFailed(WebKitWebView* view, const std::string& uri) override;
    void PageFinished(WebKitWebView* view) override;
    void ViewGone(WebKitWebView* view) override;
    void StopReading(ViewState& state);
};

}  // namespace fern
