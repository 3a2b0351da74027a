#pragma once
// A page's message boxes and script errors. Each box (alert, confirm, prompt,
// leave-page question) is first offered to the sink's ShowMessage; when not
// handled it is shown as our own message dialog, modal to the window, and its
// answer goes back to the page when the user responds. Script errors of the
// page and its frames come from a user script posting to "fernErr".
#include <webkit2/webkit2.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/engine/BrowserEngine.h"

namespace fern {

class WebKitPageDialogs {
public:
    // A content manager with the error reporter, for a new view.
    static WebKitUserContentManager* NewContentManager();

    WebKitPageDialogs(WebKitWebView* view, std::function<BrowserEvents*()> sink);
    // Open boxes are closed (the page gets the default answer).
    ~WebKitPageDialogs();
    WebKitPageDialogs(const WebKitPageDialogs&) = delete;
    WebKitPageDialogs& operator=(const WebKitPageDialogs&) = delete;

    // The boxes now open (for tests).
    const std::vector<GtkWidget*>& Open() const { return m_open; }

private:
    struct Box;
    friend struct WebKitPageDialogHandlers;

    WebKitWebView* m_view;
    WebKitUserContentManager* m_content;
    std::function<BrowserEvents*()> m_sink;
    std::vector<GtkWidget*> m_open;
    std::shared_ptr<WebKitPageDialogs*> m_self;
};

}  // namespace fern
