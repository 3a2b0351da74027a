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

#include "app/settings/Profile.h"
#include "frame/gtk/CommandPart.h"
#include "history/HistoryCommands.h"
#include "history/HistoryOptions.h"
#include "history/HistoryRecorder.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/MessageQueue.h"
#include "platform/store/HistoryStore.h"

namespace fern {

class HistoryWiring : public ICommandPart, private IWebKitPageObserver {
public:
    struct Services {
        std::string dataFolder;  // the file system's bytes
        const Profile& profile;  // fern.ini
        WebKitContext& context;
        IMessageQueue& queue;
        IMessageBox& messageBox;
        std::function<bool()> offline;
    };
    explicit HistoryWiring(Services services);
    ~HistoryWiring() override;
    HistoryWiring(const HistoryWiring&) = delete;
    HistoryWiring& operator=(const HistoryWiring&) = delete;

    // The address of the page shown, for clearing its site.
    void SetActivePage(std::function<std::string()> activeUrl) { m_activeUrl = std::move(activeUrl); }
    HistoryStore& Store() { return *m_store; }

    // ICommandPart
    // Run from the main loop once the menu is closed, so its question does
    // not hold whoever chose the item (an assistive technology waits for
    // the item's action to return).
    bool Command(int id) override;
    std::optional<bool> IsChecked(int) const override { return std::nullopt; }
    std::optional<bool> IsEnabled(int id) const override { return m_commands.IsEnabled(id); }

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
    std::function<std::string()> m_activeUrl;
    CHistoryCommands m_commands;
    std::map<WebKitWebView*, ViewState> m_views;
    // Answers of the engine that come after we are gone find null here.
    std::shared_ptr<HistoryWiring*> m_self = std::make_shared<HistoryWiring*>(this);

    void PageCommitted(WebKitWebView* view, const std::string& uri) override;
    void PageTitle(WebKitWebView* view, const std::string& title) override;
    void PageFailed(WebKitWebView* view, const std::string& uri) override;
    void PageFinished(WebKitWebView* view) override;
    void ViewGone(WebKitWebView* view) override;
    void StopReading(ViewState& state);
};

}  // namespace fern
