#include "downloads/gtk/WebKitDownloads.h"

#include "downloads/DownloadList.h"
#include "platform/gtk/GuardedCall.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

// WebKit writes a download to the destination's name plus this suffix and
// renames it when complete.
const char kEngineSuffix[] = ".wkdownload";

DownloadFailure FailureOf(const GError* error) {
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER))
        return DownloadFailure::Cancelled;
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_DESTINATION))
        return DownloadFailure::Destination;
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_NETWORK))
        return DownloadFailure::Network;
    return DownloadFailure::Other;
}

}  // namespace

WebKitDownloads::WebKitDownloads(WebKitWebContext* context)
    : m_context(WEBKIT_WEB_CONTEXT(g_object_ref(context))), m_self(std::make_shared<WebKitDownloads*>(this)) {
    m_startedHandler =
        g_signal_connect(m_context, "download-started", G_CALLBACK(&WebKitDownloads::OnStarted), this);
}

WebKitDownloads::~WebKitDownloads() {
    *m_self = nullptr;
    g_signal_handler_disconnect(m_context, m_startedHandler);
    while (!m_pages.empty()) Unwatch(m_pages.begin()->first);
    for (auto& [id, transfer] : m_transfers) {
        webkit_download_cancel(transfer.download);
        g_object_unref(transfer.download);
    }
    g_object_unref(m_context);
}

TransferId WebKitDownloads::Adopt(WebKitDownload* download) {
    for (auto& [id, transfer] : m_transfers)
        if (transfer.download == download) return id;
    const TransferId id = ++m_next;
    Transfer& transfer = m_transfers[id];
    transfer.download = WEBKIT_DOWNLOAD(g_object_ref(download));
    auto connect = [&](const char* signal, GCallback handler) {
        return g_signal_connect_data(
            download, signal, handler, new Link{m_self, id},
            [](gpointer link, GClosure*) { delete static_cast<Link*>(link); }, static_cast<GConnectFlags>(0));
    };
    transfer.handlers[0] = connect("decide-destination", G_CALLBACK(&WebKitDownloads::OnDecideDestination));
    transfer.handlers[1] = connect("failed", G_CALLBACK(&WebKitDownloads::OnFailed));
    transfer.handlers[2] = connect("finished", G_CALLBACK(&WebKitDownloads::OnFinished));
    return id;
}

void WebKitDownloads::WatchPage(WebKitWebView* view) {
    if (!view || m_pages.count(view)) return;
    m_pages[view] = g_signal_connect(
        view, "load-changed", G_CALLBACK(+[](WebKitWebView* page, WebKitLoadEvent event, gpointer self) {
            auto* downloads = static_cast<WebKitDownloads*>(self);
            if (event == WEBKIT_LOAD_COMMITTED && downloads->m_list)
                downloads->m_list->PageNavigated(reinterpret_cast<std::uintptr_t>(page));
        }),
        this);
    g_object_weak_ref(G_OBJECT(view), &WebKitDownloads::OnPageGone, this);
}

void WebKitDownloads::OnPageGone(gpointer self, GObject* gone) {
    static_cast<WebKitDownloads*>(self)->m_pages.erase(reinterpret_cast<WebKitWebView*>(gone));
}

void WebKitDownloads::Unwatch(WebKitWebView* view) {
    auto it = m_pages.find(view);
    if (it == m_pages.end()) return;
    g_signal_handler_disconnect(view, it->second);
    g_object_weak_unref(G_OBJECT(view), &WebKitDownloads::OnPageGone, this);
    m_pages.erase(it);
}

void WebKitDownloads::Forget(TransferId id) {
    auto it = m_transfers.find(id);
    if (it == m_transfers.end()) return;
    WebKitDownload* download = it->second.download;
    for (gulong handler : it->second.handlers) g_signal_handler_disconnect(download, handler);
    m_transfers.erase(it);
    g_object_unref(download);
}

void WebKitDownloads::OnStarted(WebKitWebContext*, WebKitDownload* download, gpointer self) {
    Guard("download-started", [&] { static_cast<WebKitDownloads*>(self)->Adopt(download); });
}

// The response is in: the list asks the user, and the download waits for
// its destination until the answer comes (or is cancelled).
gboolean WebKitDownloads::OnDecideDestination(WebKitDownload* download, gchar* suggested, gpointer data) {
    auto* link = static_cast<Link*>(data);
    WebKitDownloads* self = *link->engine;
    if (!self || !self->m_list) {
        webkit_download_cancel(download);
        return TRUE;
    }
    Guard("decide-destination", [&] {
        DownloadResponse response;
        WebKitURIRequest* request = webkit_download_get_request(download);
        const gchar* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
        WebKitURIResponse* answer = webkit_download_get_response(download);
        if (answer && webkit_uri_response_get_uri(answer)) uri = webkit_uri_response_get_uri(answer);
        response.url = UrlFromUtf8(uri ? uri : "");
        response.suggestedName = suggested ? suggested : "";
        if (answer) {
            const gchar* type = webkit_uri_response_get_mime_type(answer);
            response.mimeType = type ? type : "";
            const guint64 length = webkit_uri_response_get_content_length(answer);
            response.size = length > 0 ? static_cast<std::int64_t>(length) : -1;
        }
        WebKitWebView* page = webkit_download_get_web_view(download);
        response.page = reinterpret_cast<std::uintptr_t>(page);
        self->WatchPage(page);
        self->m_list->OnResponse(link->id, response);
    });
    return TRUE;
}

void WebKitDownloads::OnFailed(WebKitDownload*, GError* error, gpointer data) {
    auto* link = static_cast<Link*>(data);
    WebKitDownloads* self = *link->engine;
    if (!self) return;
    Guard("download failed", [&] {
        auto it = self->m_transfers.find(link->id);
        if (it == self->m_transfers.end() || it->second.failed) return;
        it->second.failed = true;
        if (self->m_list)
            self->m_list->OnFailed(link->id, FailureOf(error),
                                   error ? FromUtf8(error->message) : std::string());
    });
}

void WebKitDownloads::OnFinished(WebKitDownload* download, gpointer data) {
    auto* link = static_cast<Link*>(data);
    WebKitDownloads* self = *link->engine;
    if (!self) return;
    const TransferId id = link->id;
    Guard("download finished", [&] {
        auto it = self->m_transfers.find(id);
        if (it == self->m_transfers.end()) return;
        const bool failed = it->second.failed;
        const auto received = static_cast<std::int64_t>(webkit_download_get_received_data_length(download));
        // `link` goes with the handlers.
        self->Forget(id);
        if (!failed && self->m_list) self->m_list->OnFinished(id, received);
    });
}

void WebKitDownloads::Save(TransferId id, const std::string& fsPath) {
    auto it = m_transfers.find(id);
    if (it == m_transfers.end()) return;
    gchar* uri = g_filename_to_uri(fsPath.c_str(), nullptr, nullptr);
    if (!uri) {
        webkit_download_cancel(it->second.download);
        return;
    }
    // The part file is ours, made empty for this download.
    webkit_download_set_allow_overwrite(it->second.download, TRUE);
    webkit_download_set_destination(it->second.download, uri);
    g_free(uri);
}

void WebKitDownloads::Cancel(TransferId id) {
    auto it = m_transfers.find(id);
    if (it != m_transfers.end()) webkit_download_cancel(it->second.download);
}

std::int64_t WebKitDownloads::Received(TransferId id) const {
    auto it = m_transfers.find(id);
    return it == m_transfers.end()
               ? 0
               : static_cast<std::int64_t>(webkit_download_get_received_data_length(it->second.download));
}

TransferId WebKitDownloads::Fetch(const std::string& url) {
    const std::string uri = ToUtf8(url);
    WebKitDownload* download = webkit_web_context_download_uri(m_context, uri.c_str());
    if (!download) return 0;
    const TransferId id = Adopt(download);
    g_object_unref(download);
    return id;
}

std::string WebKitDownloads::SideFileSuffix() const { return kEngineSuffix; }

}  // namespace fern
