#include "platform/gtk/WebKitEngineFactory.h"

#include <webkit2/webkit2.h>

#include <cstdio>
#include <new>
#include <utility>

#include "platform/engine/LazyEngine.h"
#include "platform/gtk/SiteKey.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitEngine.h"
#include "platform/text/Encoding.h"
#include "platform/trace/StartupTrace.h"

namespace fern {

std::unique_ptr<IBrowserEngine> WebKitEngineFactory::Create(IBrowserEngine* relatedTo) {
    WebKitEngine* opener = nullptr;
    if (relatedTo) {
        opener = dynamic_cast<WebKitEngine*>(RealEngine(relatedTo));
        if (!opener) {
            std::fprintf(stderr, "fern: a new window needs an opener on the same engine\n");
            return nullptr;
        }
    }
    return Make(opener, nullptr);
}

std::unique_ptr<IBrowserEngine> WebKitEngineFactory::CreateForSite(const std::string& url) {
    const std::string site = SiteKeyOfUrl(ToUtf8(url));
    if (m_prestarted && !m_prestartedUrl.empty() && url == m_prestartedUrl) return TakePrestarted(site);
    GtkWidget* sameSite = nullptr;
    std::erase_if(m_made, [](const Made& made) {
        std::shared_ptr<WebKitEngine*> engine = made.engine.lock();
        return !engine || !*engine;
    });
    if (!site.empty()) {
        for (const Made& made : m_made) {
            WebKitEngine* engine = *made.engine.lock();
            const std::string uri = engine->ViewUri();
            const std::string shown = uri.empty() ? made.site : SiteKeyOfUrl(uri);
            if (engine->ProcessAlive() && shown == site) {
                sameSite = engine->Widget();
                break;
            }
        }
    }
    return Make(nullptr, sameSite, site);
}

std::unique_ptr<IBrowserEngine> WebKitEngineFactory::Make(WebKitEngine* opener, GtkWidget* shareProcessOf,
                                                          std::string site) {
    // A tab of no site yet takes the process started ahead.
    bool takesPrestarted = !opener && !shareProcessOf && m_prestarted;
    if (takesPrestarted) shareProcessOf = m_prestarted;
    std::unique_ptr<WebKitEngine> engine;
    try {
        engine = std::make_unique<WebKitEngine>(m_context, m_homeUrl, opener,
                                                shareProcessOf ? WEBKIT_WEB_VIEW(shareProcessOf) : nullptr);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    // The tab holds the process now; the blank view is no longer needed.
    if (takesPrestarted) ReleasePrestarted();
    m_made.push_back({engine->Self(), std::move(site)});
    return engine;
}

std::unique_ptr<IBrowserEngine> WebKitEngineFactory::TakePrestarted(std::string site) {
    auto* view = WEBKIT_WEB_VIEW(std::exchange(m_prestarted, nullptr));
    g_signal_handlers_disconnect_by_data(view, this);
    const std::string uri = ToUtf8(std::exchange(m_prestartedUrl, {}));
    std::unique_ptr<WebKitEngine> engine;
    try {
        engine = std::make_unique<WebKitEngine>(m_context, m_homeUrl, view, uri);
    } catch (const std::bad_alloc&) {
        gtk_widget_destroy(GTK_WIDGET(view));
        g_object_unref(view);
        return nullptr;
    }
    m_made.push_back({engine->Self(), std::move(site)});
    return engine;
}

WebKitEngineFactory::~WebKitEngineFactory() { ReleasePrestarted(); }

void WebKitEngineFactory::Prestart(const std::string& firstUrl) {
    if (m_prestarted) return;
    // Made as a tab's view, so that a tab can take it over as it is.
    m_prestarted = GTK_WIDGET(WebKitEngine::NewTabView(m_context, nullptr));
    m_prestartedUrl = firstUrl;
    // A blank page is enough to start the process; no tab takes it over.
    const std::string uri = firstUrl.empty() ? std::string("about:blank") : ToUtf8(firstUrl);
    if (!firstUrl.empty())
        g_signal_connect(m_prestarted, "decide-policy", G_CALLBACK(&WebKitEngineFactory::RefuseUntilTaken),
                         this);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(m_prestarted), uri.c_str());
    TracePhase(firstUrl.empty() ? "web process prestarted" : "web process prestarted, first page asked for");
}

gboolean WebKitEngineFactory::RefuseUntilTaken(WebKitWebView*, WebKitPolicyDecision* decision,
                                               WebKitPolicyDecisionType, gpointer self) {
    static_cast<WebKitEngineFactory*>(self)->m_prestartedUrl.clear();
    webkit_policy_decision_ignore(decision);
    return TRUE;
}

void WebKitEngineFactory::ReleasePrestarted() {
    m_prestartedUrl.clear();
    if (!m_prestarted) return;
    g_signal_handlers_disconnect_by_data(m_prestarted, this);
    gtk_widget_destroy(m_prestarted);
    g_object_unref(m_prestarted);
    m_prestarted = nullptr;
}

}  // namespace fern
