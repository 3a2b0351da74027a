#include "platform/shell/HandOff.h"

#include <gio/gio.h>
#include <gio/gunixsocketaddress.h>
#include <glib/gstdio.h>
#include <unistd.h>

namespace fern {

namespace {

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint32_t GetU32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr guint kClientTimeoutSeconds = 5;

}  // namespace

std::string EncodeHandOff(HandOffKind kind, std::uint32_t data, const std::string& text) {
    std::string out;
    PutU32(out, static_cast<std::uint32_t>(kind));
    PutU32(out, data);
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    return out + text;
}

bool DecodeHandOffHeader(const unsigned char* bytes, HandOffHeader& header) {
    std::uint32_t kind = GetU32(bytes);
    if (kind != static_cast<std::uint32_t>(HandOffKind::CopyData) &&
        kind != static_cast<std::uint32_t>(HandOffKind::Attention))
        return false;
    header.kind = static_cast<HandOffKind>(kind);
    header.data = GetU32(bytes + 4);
    header.length = GetU32(bytes + 8);
    return header.length <= kHandOffMaxText;
}

// Client -------------------------------------------------------------------------

HandOffResult TrySendHandOff(const std::string& socketPath, const std::vector<HandOffMessage>& messages,
                             std::string* error) {
    GError* err = nullptr;
    GSocket* socket =
        g_socket_new(G_SOCKET_FAMILY_UNIX, G_SOCKET_TYPE_STREAM, G_SOCKET_PROTOCOL_DEFAULT, &err);
    auto fail = [&](const char* what, HandOffResult result = HandOffResult::BrokenOff) {
        if (error) *error = err ? std::string(what) + ": " + err->message : what;
        if (err) g_clear_error(&err);
        if (socket) g_object_unref(socket);
        return result;
    };
    if (!socket) return fail("socket");
    g_socket_set_timeout(socket, kClientTimeoutSeconds);
    GSocketAddress* address = g_unix_socket_address_new(socketPath.c_str());
    gboolean connected = g_socket_connect(socket, address, nullptr, &err);
    g_object_unref(address);
    if (!connected) return fail("connect", HandOffResult::NotListening);

    std::vector<std::string> frames;
    for (const auto& m : messages) frames.push_back(EncodeHandOff(HandOffKind::CopyData, m.data, m.text));
    frames.push_back(EncodeHandOff(HandOffKind::Attention, 0, ""));
    for (const std::string& frame : frames) {
        std::size_t sent = 0;
        while (sent < frame.size()) {
            gssize n = g_socket_send(socket, frame.data() + sent, frame.size() - sent, nullptr, &err);
            if (n <= 0) return fail("send");
            sent += static_cast<std::size_t>(n);
        }
        char answer = 0;
        if (g_socket_receive(socket, &answer, 1, nullptr, &err) != 1) return fail("no answer");
    }
    g_socket_close(socket, nullptr);
    g_object_unref(socket);
    return HandOffResult::Taken;
}

bool SendHandOff(const std::string& socketPath, const std::vector<HandOffMessage>& messages,
                 std::string* error) {
    return TrySendHandOff(socketPath, messages, error) == HandOffResult::Taken;
}

// Server -------------------------------------------------------------------------

struct CHandOffServer::Impl {
    GSocketService* service = nullptr;
    std::string path;
    CopyDataHandler onCopyData;
    AttentionHandler onAttention;
    // Outstanding connections hold a weak link back through this flag.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

namespace {

struct Connection {
    GSocketConnection* connection;
    CHandOffServer::Impl* server;
    std::shared_ptr<bool> alive;
    unsigned char header[kHandOffHeaderSize];
    HandOffHeader decoded{};
    std::string text;
};

void ReadHeader(Connection* c);

void Finish(Connection* c) {
    g_io_stream_close(G_IO_STREAM(c->connection), nullptr, nullptr);
    g_object_unref(c->connection);
    delete c;
}

void OnAnswerWritten(GObject* source, GAsyncResult* result, gpointer data) {
    auto* c = static_cast<Connection*>(data);
    gsize written = 0;
    if (!g_output_stream_write_all_finish(G_OUTPUT_STREAM(source), result, &written, nullptr) ||
        written != 1 || !*c->alive) {
        Finish(c);
        return;
    }
    ReadHeader(c);
}

void Answer(Connection* c, bool taken) {
    static const char kTaken = 1, kIgnored = 0;
    GOutputStream* out = g_io_stream_get_output_stream(G_IO_STREAM(c->connection));
    g_output_stream_write_all_async(out, taken ? &kTaken : &kIgnored, 1, G_PRIORITY_DEFAULT, nullptr,
                                    OnAnswerWritten, c);
}

void Dispatch(Connection* c) {
    if (!*c->alive) {
        Finish(c);
        return;
    }
    bool taken = true;
    try {
        if (c->decoded.kind == HandOffKind::Attention) {
            if (c->server->onAttention) c->server->onAttention();
        } else if (c->server->onCopyData) {
            taken = c->server->onCopyData(c->decoded.data, c->text);
        }
    } catch (...) {
        taken = false;
    }
    Answer(c, taken);
}

void OnTextRead(GObject* source, GAsyncResult* result, gpointer data) {
    auto* c = static_cast<Connection*>(data);
    gsize read = 0;
    if (!g_input_stream_read_all_finish(G_INPUT_STREAM(source), result, &read, nullptr) ||
        read != c->text.size()) {
        Finish(c);
        return;
    }
    Dispatch(c);
}

void OnHeaderRead(GObject* source, GAsyncResult* result, gpointer data) {
    auto* c = static_cast<Connection*>(data);
    gsize read = 0;
    // A closed, truncated or malformed request ends the connection, nothing else.
    if (!g_input_stream_read_all_finish(G_INPUT_STREAM(source), result, &read, nullptr) ||
        read != kHandOffHeaderSize || !*c->alive || !DecodeHandOffHeader(c->header, c->decoded)) {
        Finish(c);
        return;
    }
    c->text.assign(c->decoded.length, '\0');
    if (c->text.empty()) {
        Dispatch(c);
        return;
    }
    g_input_stream_read_all_async(G_INPUT_STREAM(source), c->text.data(), c->text.size(), G_PRIORITY_DEFAULT,
                                  nullptr, OnTextRead, c);
}

void ReadHeader(Connection* c) {
    GInputStream* in = g_io_stream_get_input_stream(G_IO_STREAM(c->connection));
    g_input_stream_read_all_async(in, c->header, kHandOffHeaderSize, G_PRIORITY_DEFAULT, nullptr,
                                  OnHeaderRead, c);
}

gboolean OnIncoming(GSocketService*, GSocketConnection* connection, GObject*, gpointer data) {
    auto* server = static_cast<CHandOffServer::Impl*>(data);
    GCredentials* credentials = g_socket_get_credentials(g_socket_connection_get_socket(connection), nullptr);
    bool sameUser = credentials && g_credentials_get_unix_user(credentials, nullptr) == getuid();
    if (credentials) g_object_unref(credentials);
    if (!sameUser) {
        g_io_stream_close(G_IO_STREAM(connection), nullptr, nullptr);
        return TRUE;
    }
    auto* c =
        new Connection{G_SOCKET_CONNECTION(g_object_ref(connection)), server, server->alive, {}, {}, {}};
    ReadHeader(c);
    return TRUE;
}

}  // namespace

CHandOffServer::CHandOffServer() : m_impl(std::make_unique<Impl>()) {}

CHandOffServer::~CHandOffServer() { Stop(); }

bool CHandOffServer::Listen(const std::string& socketPath, CopyDataHandler onCopyData,
                            AttentionHandler onAttention, std::string* error) {
    Stop();
    m_impl->alive = std::make_shared<bool>(true);
    m_impl->onCopyData = std::move(onCopyData);
    m_impl->onAttention = std::move(onAttention);
    m_impl->path = socketPath;
    // Only the lock holder listens, so a socket file left behind is stale.
    g_unlink(socketPath.c_str());
    GError* err = nullptr;
    GSocketService* service = g_socket_service_new();
    GSocketAddress* address = g_unix_socket_address_new(socketPath.c_str());
    gboolean ok = g_socket_listener_add_address(G_SOCKET_LISTENER(service), address, G_SOCKET_TYPE_STREAM,
                                                G_SOCKET_PROTOCOL_DEFAULT, nullptr, nullptr, &err);
    g_object_unref(address);
    if (!ok) {
        if (error) *error = err ? err->message : "cannot listen";
        if (err) g_error_free(err);
        g_object_unref(service);
        return false;
    }
    g_chmod(socketPath.c_str(), 0600);
    g_signal_connect(service, "incoming", G_CALLBACK(OnIncoming), m_impl.get());
    g_socket_service_start(service);
    m_impl->service = service;
    return true;
}

void CHandOffServer::Stop() {
    if (!m_impl || !m_impl->service) return;
    *m_impl->alive = false;
    g_socket_service_stop(m_impl->service);
    g_socket_listener_close(G_SOCKET_LISTENER(m_impl->service));
    g_object_unref(m_impl->service);
    m_impl->service = nullptr;
    g_unlink(m_impl->path.c_str());
}

}  // namespace fern
