#pragma once
// The links and images of every document of a page, frames included. A user
// script in the isolated world "fern" runs in every frame of every view; on
// request the top frame reports its document and passes the request on to
// its frames, each of which reports with its own path. Cross-origin frames
// report too, since only their parent link and index are needed.
#include <webkit2/webkit2.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/engine/PageLinks.h"

namespace fern {

// Adds the script and its message handler; call once for each content
// manager, before its view loads anything.
void InstallLinkCollector(WebKitUserContentManager* content);

class WebKitLinkCollection {
public:
    using Done = std::function<void(std::vector<FrameReport> documents)>;
    // Asks the page of `view` for its documents; `done` gets them, depth
    // first, once every frame has reported or `timeoutMs` has passed (a
    // frame without scripts never reports), or an empty list when the page
    // cannot be asked. It runs at most once, never after this is gone.
    WebKitLinkCollection(WebKitWebView* view, Done done, unsigned timeoutMs = 1500);
    ~WebKitLinkCollection();
    WebKitLinkCollection(const WebKitLinkCollection&) = delete;
    WebKitLinkCollection& operator=(const WebKitLinkCollection&) = delete;

private:
    WebKitWebView* m_view;
    WebKitUserContentManager* m_content;
    Done m_done;
    std::string m_token;
    CFrameCollection m_frames;
    guint m_timeout = 0;
    bool m_finished = false;
    std::shared_ptr<WebKitLinkCollection*> m_self;

    void Finish();
    static void OnMessage(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer data);
};

}  // namespace fern
