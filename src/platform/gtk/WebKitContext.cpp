#include "platform/gtk/WebKitContext.h"

#include <cstdio>

#include "platform/gtk/WebKitOfflineFilter.h"
#include "platform/text/Encoding.h"
#include "platform/trace/StartupTrace.h"

namespace fern {

namespace {

std::string SubFolder(const std::string& base, const char* a, const char* b) {
    gchar* path = g_build_filename(base.c_str(), a, b, nullptr);
    std::string result = path;
    g_free(path);
    // WebKit makes its own folders too, but the favicon database does not.
    if (g_mkdir_with_parents(result.c_str(), 0700) != 0)
        std::fprintf(stderr, "fern: cannot create %s\n", result.c_str());
    return result;
}

}  // namespace

WebKitContext::WebKitContext(const std::string& dataFolder) {
    const std::string& base = dataFolder;
    m_dataDir = SubFolder(base, "webkit", "data");
    m_cacheDir = SubFolder(base, "webkit", "cache");
    m_offline = std::make_unique<WebKitOfflineFilter>(SubFolder(base, "webkit", "filters"));

    m_dataManager = webkit_website_data_manager_new("base-data-directory", m_dataDir.c_str(),
                                                    "base-cache-directory", m_cacheDir.c_str(), nullptr);
    m_context = webkit_web_context_new_with_website_data_manager(m_dataManager);
    // Must come before the first web process; later it is fatal.
    webkit_web_context_set_sandbox_enabled(m_context, TRUE);
    webkit_web_context_set_cache_model(m_context, WEBKIT_CACHE_MODEL_WEB_BROWSER);
    // Before any view, as WebKit expects: opened while a page was starting,
    // it left that page never asked for when the disk was busy. A new
    // database is made and synced while the caller waits.
    webkit_web_context_set_favicon_database_directory(m_context,
                                                      SubFolder(base, "webkit", "favicons").c_str());
    TracePhase("favicon database opened");

    m_sourcePages = new std::map<std::string, std::string>;
    webkit_web_context_register_uri_scheme(
        m_context, "view-source", &WebKitContext::ServeSource, m_sourcePages,
        [](gpointer pages) { delete static_cast<std::map<std::string, std::string>*>(pages); });
    // Pages cannot show or link to our source pages; only the program loads them.
    WebKitSecurityManager* security = webkit_web_context_get_security_manager(m_context);
    webkit_security_manager_register_uri_scheme_as_display_isolated(security, "view-source");
}

WebKitContext::~WebKitContext() {
    m_offline.reset();
    if (m_context) g_object_unref(m_context);
    if (m_dataManager) g_object_unref(m_dataManager);
}

WebKitSettings* WebKitContext::NewTabSettings() const {
    WebKitSettings* settings = webkit_settings_new();
    // Script pop-ups reach the program, whose own filters decide on them.
    webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
    // The text-size levels scale the text only, as the page layout expects.
    webkit_settings_set_zoom_text_only(settings, TRUE);
    if (!m_userAgent.empty()) webkit_settings_set_user_agent(settings, m_userAgent.c_str());
    return settings;
}

void WebKitContext::PutSourcePage(const std::string& uri, std::string html) {
    (*m_sourcePages)[uri] = std::move(html);
}

void WebKitContext::RemoveSourcePage(const std::string& uri) { m_sourcePages->erase(uri); }

void WebKitContext::RemoveSourcePageWith(GtkWidget* widget, const std::string& uri) {
    struct Removal {
        WebKitWebContext* context;  // keeps the page store alive
        std::map<std::string, std::string>* pages;
        std::string uri;
    };
    auto* removal = new Removal{WEBKIT_WEB_CONTEXT(g_object_ref(m_context)), m_sourcePages, uri};
    g_signal_connect_data(
        widget, "destroy", G_CALLBACK(+[](GtkWidget*, gpointer data) {
            auto* r = static_cast<Removal*>(data);
            r->pages->erase(r->uri);
        }),
        removal,
        [](gpointer data, GClosure*) {
            auto* r = static_cast<Removal*>(data);
            g_object_unref(r->context);
            delete r;
        },
        static_cast<GConnectFlags>(0));
}

void WebKitContext::ServeSource(WebKitURISchemeRequest* request, gpointer data) {
    auto* pages = static_cast<std::map<std::string, std::string>*>(data);
    const gchar* uri = webkit_uri_scheme_request_get_uri(request);
    g_log("fern-engine", G_LOG_LEVEL_DEBUG, "source page %s", uri ? uri : "");
    auto it = uri ? pages->find(uri) : pages->end();
    if (it == pages->end()) {
        GError* error =
            g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no source page is kept for this address");
        webkit_uri_scheme_request_finish_error(request, error);
        g_error_free(error);
        return;
    }
    GBytes* bytes = g_bytes_new(it->second.data(), it->second.size());
    GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
    webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(it->second.size()), "text/html");
    g_object_unref(stream);
    g_bytes_unref(bytes);
}

void WebKitContext::LoadWebExtensionsFrom(const std::string& folder) {
    webkit_web_context_set_web_extensions_directory(m_context, folder.c_str());
}

void WebKitContext::PageReached(const char* uri) {
    if (!m_firstPage || !uri || !*uri || g_str_has_prefix(uri, "about:")) return;
    std::function<void()> done = std::move(m_firstPage);
    m_firstPage = nullptr;
    done();
}

}  // namespace fern
