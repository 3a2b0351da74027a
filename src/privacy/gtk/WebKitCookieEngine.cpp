#include "privacy/gtk/WebKitCookieEngine.h"

#include <glib/gstdio.h>

#include <cstdio>
#include <memory>

namespace fern {

WebKitCookieEngine::WebKitCookieEngine(WebKitContext& context) : m_context(context) {
    gchar* lasting = g_build_filename(context.DataDirectory().c_str(), "cookies.sqlite", nullptr);
    gchar* session = g_build_filename(context.DataDirectory().c_str(), "session-cookies.sqlite", nullptr);
    m_lastingJar = lasting;
    m_sessionJar = session;
    g_free(lasting);
    g_free(session);
    // Cookies of an earlier session-only run end here.
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) g_unlink((m_sessionJar + suffix).c_str());
}

void WebKitCookieEngine::ApplyCookiePolicy(const CookieEnginePolicy& policy) {
    WebKitCookieManager* cookies = webkit_website_data_manager_get_cookie_manager(m_context.DataManager());
    WebKitCookieAcceptPolicy accept =
        policy.accept == CookieAccept::Always  ? WEBKIT_COOKIE_POLICY_ACCEPT_ALWAYS
        : policy.accept == CookieAccept::Never ? WEBKIT_COOKIE_POLICY_ACCEPT_NEVER
                                               : WEBKIT_COOKIE_POLICY_ACCEPT_NO_THIRD_PARTY;
    webkit_cookie_manager_set_accept_policy(cookies, accept);
    int jar = policy.persistent ? 0 : 1;
    if (jar != m_jar) {
        m_jar = jar;
        webkit_cookie_manager_set_persistent_storage(cookies,
                                                     (jar == 0 ? m_lastingJar : m_sessionJar).c_str(),
                                                     WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    }
    m_applied = policy;
}

void WebKitCookieEngine::ClearAllCookies(std::function<void(bool)> done) {
    Clear(WEBKIT_WEBSITE_DATA_COOKIES, std::move(done));
}

void WebKitCookieEngine::ClearCache(std::function<void(bool)> done) {
    Clear(static_cast<WebKitWebsiteDataTypes>(WEBKIT_WEBSITE_DATA_DISK_CACHE |
                                              WEBKIT_WEBSITE_DATA_MEMORY_CACHE),
          std::move(done));
}

void WebKitCookieEngine::Clear(WebKitWebsiteDataTypes types, std::function<void(bool)> done) {
    auto* callback = new std::function<void(bool)>(std::move(done));
    // A timespan of 0 clears everything; any other leaves cookies in place.
    webkit_website_data_manager_clear(
        m_context.DataManager(), types, 0, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void(bool)>> done(static_cast<std::function<void(bool)>*>(data));
            GError* error = nullptr;
            gboolean ok =
                webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(source), result, &error);
            if (!ok) {
                std::fprintf(stderr, "fern: website data not cleared: %s\n", error ? error->message : "?");
                if (error) g_error_free(error);
            }
            if (*done) (*done)(ok);
        },
        callback);
}

}  // namespace fern
