#pragma once
// Offline work on WebKit: a content filter that blocks every http(s) load,
// put into the content manager of each view while offline and taken out
// when going online. The filter is compiled in the background the first time
// it is needed (most runs never go offline, and a compile at start-up would
// slow it down); until it is ready (or when it cannot be made) the views'
// navigations to http(s) addresses are refused instead.
#include <webkit2/webkit2.h>

#include <string>
#include <vector>

namespace fern {

class WebKitOfflineFilter {
public:
    // `storeFolder` (UTF-8) holds the compiled filter.
    explicit WebKitOfflineFilter(const std::string& storeFolder);
    ~WebKitOfflineFilter();
    WebKitOfflineFilter(const WebKitOfflineFilter&) = delete;
    WebKitOfflineFilter& operator=(const WebKitOfflineFilter&) = delete;

    // Views made while offline start blocked; a view leaves before it dies.
    void AddView(WebKitWebView* view);
    void RemoveView(WebKitWebView* view);

    // Starts compiling the filter, when not done yet; going offline does it.
    void Prepare();
    void SetOffline(bool offline);
    bool Offline() const { return m_offline; }
    bool FilterReady() const { return m_filter != nullptr; }
    // True when a navigation to `uri` (UTF-8) has to be refused here
    // because the filter does not block it yet.
    bool RefusesNavigation(const char* uri) const;

private:
    std::string m_storeFolder;
    // Made when the filter is first needed: most sessions never go offline.
    WebKitUserContentFilterStore* m_store = nullptr;
    WebKitUserContentFilter* m_filter = nullptr;
    GCancellable* m_cancellable = nullptr;
    std::vector<WebKitWebView*> m_views;
    bool m_offline = false;
    bool m_compiling = false;

    void Block(WebKitWebView* view, bool on) const;
    static void Compiled(GObject* store, GAsyncResult* result, gpointer self);
};

}  // namespace fern
