#include "gui/LocalHttpServer.h"

#include <cstdio>
#include <cstring>

namespace fern::test {

LocalHttpServer::LocalHttpServer() {
    m_server = soup_server_new(nullptr, nullptr);
    GError* error = nullptr;
    if (!soup_server_listen_local(m_server, 0, SOUP_SERVER_LISTEN_IPV4_ONLY, &error)) {
        std::fprintf(stderr, "test server: %s\n", error->message);
        g_error_free(error);
        return;
    }
    soup_server_add_handler(m_server, nullptr, &LocalHttpServer::Handle, this, nullptr);
    GSList* uris = soup_server_get_uris(m_server);
    if (uris) m_port = g_uri_get_port(static_cast<GUri*>(uris->data));
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
}

LocalHttpServer::~LocalHttpServer() {
    soup_server_disconnect(m_server);
    g_object_unref(m_server);
}

void LocalHttpServer::Handle(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*,
                             gpointer self) {
    auto* server = static_cast<LocalHttpServer*>(self);
    Request& request = server->m_requests.emplace_back();
    request.method = soup_server_message_get_method(message);
    request.path = path;
    soup_message_headers_foreach(
        soup_server_message_get_request_headers(message),
        [](const char* name, const char* value, gpointer headers) {
            gchar* lower = g_ascii_strdown(name, -1);
            (*static_cast<std::map<std::string, std::string>*>(headers))[lower] = value;
            g_free(lower);
        },
        &request.headers);
    GBytes* body = soup_message_body_flatten(soup_server_message_get_request_body(message));
    gsize size = 0;
    const char* data = static_cast<const char*>(g_bytes_get_data(body, &size));
    request.body.assign(data ? data : "", size);
    g_bytes_unref(body);

    auto page = server->m_pages.find(path);
    if (page == server->m_pages.end()) {
        soup_server_message_set_status(message, 404, nullptr);
        soup_server_message_set_response(message, "text/plain", SOUP_MEMORY_COPY, "not found", 9);
        return;
    }
    // The type may carry header lines after it; a page caches only when they say so.
    gchar** lines = g_strsplit(page->second.second.c_str(), "\r\n", -1);
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
    soup_message_headers_replace(headers, "Cache-Control", "no-store");
    for (gchar** line = lines + 1; *line; ++line) {
        const char* colon = std::strchr(*line, ':');
        if (!colon) continue;
        gchar* value = g_strstrip(g_strdup(colon + 1));
        soup_message_headers_replace(headers, std::string(*line, colon - *line).c_str(), value);
        g_free(value);
    }
    soup_server_message_set_status(message, 200, nullptr);
    soup_server_message_set_response(message, lines[0], SOUP_MEMORY_COPY, page->second.first.data(),
                                     page->second.first.size());
    g_strfreev(lines);
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void LocalHttpServer::Serve(const std::string& path, std::string body, std::string contentType) {
    m_pages[path] = {std::move(body), std::move(contentType)};
}

std::vector<LocalHttpServer::Request> LocalHttpServer::Requests(const std::string& path) const {
    std::vector<Request> out;
    for (const Request& r : m_requests)
        if (r.path == path) out.push_back(r);
    return out;
}

int LocalHttpServer::CountRequests(const std::string& path) const {
    return static_cast<int>(Requests(path).size());
}

}  // namespace fern::test
