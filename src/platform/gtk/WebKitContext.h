#pragma once
// The one web context every tab's view is built on: a profile whose data,
// cache and favicon folders live in the program's data folder, web processes
// in the sandbox, and the page store behind the view-source pages.
#include <webkit2/webkit2.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace fern {

class WebKitOfflineFilter;

// Told of the pages of every tab on the context, after the tab itself: the
// main-frame navigations it committed, their titles, loads that failed and
// loads that finished. Addresses and titles are UTF-8.
class IWebKitPageObserver {
public:
    virtual ~IWebKitPageObserver() = default;
    virtual void PageCommitted(WebKitWebView* view, const std::string& uri) = 0;
    virtual void PageTitle(WebKitWebView* view, const std::string& title) = 0;
    virtual void PageFailed(WebKitWebView* view, const std::string& uri) = 0;
    virtual void PageFinished(WebKitWebView* view) = 0;
    virtual void ViewGone(WebKitWebView* view) = 0;
};

class WebKitContext {
public:
    // `dataFolder` (Shift-JIS) holds the profile below "webkit/". The
    // sandbox is switched on and the favicon database opened here, before
    // any view or web process exists.
    explicit WebKitContext(const std::string& dataFolder);
    ~WebKitContext();
    WebKitContext(const WebKitContext&) = delete;
    WebKitContext& operator=(const WebKitContext&) = delete;

    WebKitWebContext* Context() const { return m_context; }

    // `done` runs once, when the first page that is not a blank one has
    // committed (its response is accepted) or failed in any view: the
    // start-up work that page does not need waits for it.
    void OnFirstPage(std::function<void()> done) { m_firstPage = std::move(done); }
    // From the views' signals: `uri` (UTF-8) committed or failed.
    void PageReached(const char* uri);
    WebKitWebsiteDataManager* DataManager() const { return m_dataManager; }

    // Web-process extensions from `folder` (Shift-JIS) for every page; only
    // web processes started afterwards load them, so call it before the
    // first view. Files that are no loadable extension are skipped.
    void LoadWebExtensionsFrom(const std::string& folder);

    // A new settings object (the caller owns the reference) with the
    // program's defaults for a tab of its own.
    WebKitSettings* NewTabSettings() const;
    // The user agent (UTF-8) of the settings made from now on; empty keeps
    // the engine's own.
    void SetUserAgent(std::string userAgent) { m_userAgent = std::move(userAgent); }

    // Offline work for every view on this context.
    WebKitOfflineFilter& Offline() { return *m_offline; }

    // Pages served under the "view-source:" scheme, keyed by their whole URI
    // (UTF-8). Only pages put here are served; anything else a page asks for
    // under that scheme fails.
    void PutSourcePage(const std::string& uri, std::string html);
    void RemoveSourcePage(const std::string& uri);
    // Removes the page when `widget` (its window) is destroyed, even after
    // this object is gone.
    void RemoveSourcePageWith(GtkWidget* widget, const std::string& uri);

    // One observer of every tab's pages (null: none).
    void SetPageObserver(IWebKitPageObserver* observer) { m_pageObserver = observer; }
    IWebKitPageObserver* PageObserver() const { return m_pageObserver; }

    // Folders of the profile, UTF-8.
    const std::string& DataDirectory() const { return m_dataDir; }
    const std::string& CacheDirectory() const { return m_cacheDir; }

private:
    WebKitWebContext* m_context = nullptr;
    WebKitWebsiteDataManager* m_dataManager = nullptr;
    std::string m_dataDir, m_cacheDir;
    std::string m_userAgent;
    std::unique_ptr<WebKitOfflineFilter> m_offline;
    IWebKitPageObserver* m_pageObserver = nullptr;
    std::function<void()> m_firstPage;
    // Owned by the scheme registration, so it lives as long as the web
    // context, which views may keep after we are gone.
    std::map<std::string, std::string>* m_sourcePages = nullptr;

    static void ServeSource(WebKitURISchemeRequest* request, gpointer pages);
};

}  // namespace fern
