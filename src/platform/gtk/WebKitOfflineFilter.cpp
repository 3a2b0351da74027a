#include "platform/gtk/WebKitOfflineFilter.h"

#include <algorithm>
#include <cstdio>

namespace fern {

namespace {

const char kFilterId[] = "fern-offline";
const char kBlockNetwork[] =
    "[{\"trigger\":{\"url-filter\":\"^https?://\"},\"action\":{\"type\":\"block\"}}]";

}  // namespace

WebKitOfflineFilter::WebKitOfflineFilter(const std::string& storeFolder) : m_storeFolder(storeFolder) {
    m_cancellable = g_cancellable_new();
}

void WebKitOfflineFilter::Prepare() {
    if (m_compiling) return;
    m_compiling = true;
    m_store = webkit_user_content_filter_store_new(m_storeFolder.c_str());
    GBytes* source = g_bytes_new_static(kBlockNetwork, sizeof kBlockNetwork - 1);
    webkit_user_content_filter_store_save(m_store, kFilterId, source, m_cancellable,
                                          &WebKitOfflineFilter::Compiled, this);
    g_bytes_unref(source);
}

WebKitOfflineFilter::~WebKitOfflineFilter() {
    // The compile may still run; its answer must not reach us any more.
    g_cancellable_cancel(m_cancellable);
    g_object_unref(m_cancellable);
    if (m_filter) webkit_user_content_filter_unref(m_filter);
    if (m_store) g_object_unref(m_store);
}

void WebKitOfflineFilter::Compiled(GObject* store, GAsyncResult* result, gpointer data) {
    GError* error = nullptr;
    WebKitUserContentFilter* filter =
        webkit_user_content_filter_store_save_finish(WEBKIT_USER_CONTENT_FILTER_STORE(store), result, &error);
    if (!filter) {
        const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        if (!cancelled)
            std::fprintf(stderr,
                         "fern: the offline filter cannot be made (%s); offline work refuses "
                         "page navigations only\n",
                         error ? error->message : "?");
        if (error) g_error_free(error);
        return;
    }
    auto* self = static_cast<WebKitOfflineFilter*>(data);
    self->m_filter = filter;
    if (self->m_offline)
        for (WebKitWebView* view : self->m_views) self->Block(view, true);
}

void WebKitOfflineFilter::Block(WebKitWebView* view, bool on) const {
    if (!m_filter) return;
    // Every view has its own manager; adding the same filter again replaces
    // it and removing it twice does nothing, so repeats are harmless.
    WebKitUserContentManager* manager = webkit_web_view_get_user_content_manager(view);
    if (!manager) return;
    if (on) webkit_user_content_manager_add_filter(manager, m_filter);
    else webkit_user_content_manager_remove_filter(manager, m_filter);
}

void WebKitOfflineFilter::AddView(WebKitWebView* view) {
    m_views.push_back(view);
    if (m_offline) Block(view, true);
}

void WebKitOfflineFilter::RemoveView(WebKitWebView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void WebKitOfflineFilter::SetOffline(bool offline) {
    if (offline == m_offline) return;
    m_offline = offline;
    if (offline) Prepare();
    for (WebKitWebView* view : m_views) Block(view, offline);
}

bool WebKitOfflineFilter::RefusesNavigation(const char* uri) const {
    if (!m_offline || m_filter || !uri) return false;
    return g_ascii_strncasecmp(uri, "http://", 7) == 0 || g_ascii_strncasecmp(uri, "https://", 8) == 0;
}

}  // namespace fern
