#include "gui/LocalHttpServer.h"

#include <cstdio>

namespace fern::test {

struct LocalHttpServer::State {
    mutable std::mutex mutex;
    std::map<std::string, std::pair<std::string, std::string>> pages;  // path -> body, type
    std::vector<Request> requests;
};

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = g_ascii_tolower(c);
    return text;
}

bool ReadRequest(GInputStream* in, LocalHttpServer::Request& request) {
    std::string data;
    char buffer[4096];
    std::size_t headerEnd = std::string::npos;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
        gssize n = g_input_stream_read(in, buffer, sizeof buffer, nullptr, nullptr);
        if (n <= 0) return false;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    std::string head = data.substr(0, headerEnd);
    std::string body = data.substr(headerEnd + 4);
    std::size_t lineEnd = head.find("\r\n");
    std::string line = head.substr(0, lineEnd);
    std::size_t sp1 = line.find(' '), sp2 = line.rfind(' ');
    if (sp1 == std::string::npos || sp2 <= sp1) return false;
    request.method = line.substr(0, sp1);
    request.path = line.substr(sp1 + 1, sp2 - sp1 - 1);
    std::size_t pos = lineEnd == std::string::npos ? head.size() : lineEnd + 2;
    while (pos < head.size()) {
        std::size_t end = head.find("\r\n", pos);
        if (end == std::string::npos) end = head.size();
        std::string header = head.substr(pos, end - pos);
        std::size_t colon = header.find(':');
        if (colon != std::string::npos) {
            std::string value = header.substr(colon + 1);
            while (!value.empty() && value.front() == ' ') value.erase(0, 1);
            request.headers[Lower(header.substr(0, colon))] = value;
        }
        pos = end + 2;
    }
    std::size_t length = 0;
    auto it = request.headers.find("content-length");
    if (it != request.headers.end()) length = std::strtoul(it->second.c_str(), nullptr, 10);
    while (body.size() < length) {
        gssize n = g_input_stream_read(in, buffer, sizeof buffer, nullptr, nullptr);
        if (n <= 0) return false;
        body.append(buffer, static_cast<std::size_t>(n));
    }
    request.body = body.substr(0, length);
    return true;
}

gboolean HandleConnection(GThreadedSocketService*, GSocketConnection* connection, GObject*,
                          gpointer data) {
    LocalHttpServer::State* state = static_cast<std::shared_ptr<LocalHttpServer::State>*>(data)->get();
    // A connection opened ahead of time and never used must not hold a
    // worker forever.
    g_socket_set_timeout(g_socket_connection_get_socket(connection), 5);
    LocalHttpServer::Request request;
    if (!ReadRequest(g_io_stream_get_input_stream(G_IO_STREAM(connection)), request)) return TRUE;
    std::string path = request.path.substr(0, request.path.find('?'));
    std::string status = "404 Not Found", body = "not found", type = "text/plain";
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        state->requests.push_back(request);
        auto it = state->pages.find(path);
        if (it != state->pages.end()) {
            status = "200 OK";
            body = it->second.first;
            type = it->second.second;
        }
    }
    char head[512];
    std::snprintf(head, sizeof head,
                  "HTTP/1.1 %s\r\nContent-Type: %s\r\nContent-Length: %zu\r\n"
                  "Cache-Control: no-store\r\nConnection: close\r\n\r\n",
                  status.c_str(), type.c_str(), body.size());
    std::string response = std::string(head) + (request.method == "HEAD" ? std::string() : body);
    g_output_stream_write_all(g_io_stream_get_output_stream(G_IO_STREAM(connection)), response.data(),
                              response.size(), nullptr, nullptr, nullptr);
    g_io_stream_close(G_IO_STREAM(connection), nullptr, nullptr);
    return TRUE;
}

}  // namespace

LocalHttpServer::LocalHttpServer() : m_state(std::make_shared<State>()) {
    m_service = g_threaded_socket_service_new(4);
    GInetAddress* loopback = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
    GSocketAddress* address = g_inet_socket_address_new(loopback, 0);
    GSocketAddress* effective = nullptr;
    GError* error = nullptr;
    if (g_socket_listener_add_address(G_SOCKET_LISTENER(m_service), address, G_SOCKET_TYPE_STREAM,
                                      G_SOCKET_PROTOCOL_TCP, nullptr, &effective, &error)) {
        m_port = g_inet_socket_address_get_port(G_INET_SOCKET_ADDRESS(effective));
        g_object_unref(effective);
    } else {
        std::fprintf(stderr, "test server: %s\n", error->message);
        g_error_free(error);
    }
    g_object_unref(address);
    g_object_unref(loopback);
    // The workers share the state; it lives as long as the service does.
    g_signal_connect_data(m_service, "run", G_CALLBACK(HandleConnection),
                          new std::shared_ptr<State>(m_state),
                          [](gpointer data, GClosure*) { delete static_cast<std::shared_ptr<State>*>(data); },
                          static_cast<GConnectFlags>(0));
    g_socket_service_start(m_service);
}

LocalHttpServer::~LocalHttpServer() {
    g_socket_service_stop(m_service);
    g_socket_listener_close(G_SOCKET_LISTENER(m_service));
    g_object_unref(m_service);
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void LocalHttpServer::Serve(const std::string& path, std::string body, std::string contentType) {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->pages[path] = {std::move(body), std::move(contentType)};
}

std::vector<LocalHttpServer::Request> LocalHttpServer::Requests(const std::string& path) const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    std::vector<Request> out;
    for (const Request& r : m_state->requests)
        if (r.path.substr(0, r.path.find('?')) == path) out.push_back(r);
    return out;
}

int LocalHttpServer::CountRequests(const std::string& path) const {
    return static_cast<int>(Requests(path).size());
}

}  // namespace fern::test
