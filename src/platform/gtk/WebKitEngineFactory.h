#pragma once
// Makes each tab's WebKit control on the shared context; the control of a
// page's new window is related to its opener's, as WebKit requires, and a
// tab opened on an address shares the web process of a tab of its site.
#include <webkit2/webkit2.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/engine/EngineFactory.h"

namespace fern {

class WebKitContext;
class WebKitEngine;

class WebKitEngineFactory : public IEngineFactory {
public:
    // `homeUrl` (Shift-JIS) is where GoHome goes; empty means about:blank.
    WebKitEngineFactory(WebKitContext& context, std::string homeUrl)
        : m_context(context), m_homeUrl(std::move(homeUrl)) {}

    ~WebKitEngineFactory() override;

    void SetHomeUrl(std::string url) { m_homeUrl = std::move(url); }

    // Starts a web process before any tab asks for one (a hidden view), so
    // that its start overlaps the building of the window; the next tab made
    // without a site of its own takes it over. Call it once the context is
    // set up for web processes (extensions).
    // With `firstUrl` (Shift-JIS), the view starts loading it: a tab made
    // for exactly that address takes the view itself, with its load under
    // way; any other tab only shares its process, and the load ends with
    // the view.
    void Prestart(const std::string& firstUrl = {});
    // Lets the prestarted process go if no tab took it.
    void ReleasePrestarted();

    // nullptr when `relatedTo` is not one of our controls: a view unrelated
    // to its opener would bring the whole program down.
    std::unique_ptr<IBrowserEngine> Create(IBrowserEngine* relatedTo) override;
    // Related to a live control showing the same site, so the tabs of one
    // site share one web process and tabs of different sites never do.
    std::unique_ptr<IBrowserEngine> CreateForSite(const std::string& url) override;

private:
    WebKitContext& m_context;
    std::string m_homeUrl;
    // The controls made here (an entry is null once its control is gone),
    // with the site each was made for: its page may not have started yet.
    struct Made {
        std::weak_ptr<WebKitEngine*> engine;
        std::string site;
    };
    std::vector<Made> m_made;
    GtkWidget* m_prestarted = nullptr;  // a WebKitWebView
    std::string m_prestartedUrl;        // Shift-JIS: what it loads, "" for nothing

    std::unique_ptr<IBrowserEngine> Make(WebKitEngine* opener, GtkWidget* shareProcessOf,
                                         std::string site = {});
    // The tab for the address the prestarted view is loading: that view.
    std::unique_ptr<IBrowserEngine> TakePrestarted(std::string site);
    // Until a tab takes the prestarted view over, no one decides on its
    // load: should the main loop run before then (a dialog while the window
    // is built), the load is refused and the view only lends its process.
    static gboolean RefuseUntilTaken(WebKitWebView* view, WebKitPolicyDecision* decision,
                                     WebKitPolicyDecisionType type, gpointer self);
};

}  // namespace fern
