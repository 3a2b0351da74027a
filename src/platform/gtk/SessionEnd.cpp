#include "platform/gtk/SessionEnd.h"

#include <cstring>

namespace fern {

namespace {
const char kManager[] = "org.gnome.SessionManager";
const char kManagerPath[] = "/org/gnome/SessionManager";
const char kClientInterface[] = "org.gnome.SessionManager.ClientPrivate";
}  // namespace

SessionEndWatcher::SessionEndWatcher(std::function<void()> onEnd) : m_onEnd(std::move(onEnd)) {}

SessionEndWatcher::~SessionEndWatcher() {
    if (m_bus && m_subscription) g_dbus_connection_signal_unsubscribe(m_bus, m_subscription);
    if (m_bus) g_object_unref(m_bus);
}

bool SessionEndWatcher::Register(const std::string& appId) {
    // Without a session bus address GLib would try to start a bus of its
    // own through X11, which can stall the start; there is then no session
    // manager to listen to anyway.
    const char* address = g_getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address || !*address) return false;
    m_appId = appId;
    g_bus_get(G_BUS_TYPE_SESSION, nullptr, &SessionEndWatcher::OnBus, this);
    return true;
}

void SessionEndWatcher::OnBus(GObject*, GAsyncResult* result, gpointer self) {
    GDBusConnection* bus = g_bus_get_finish(result, nullptr);
    if (!bus) return;
    auto* watcher = static_cast<SessionEndWatcher*>(self);
    watcher->m_bus = bus;
    const char* startupId = g_getenv("DESKTOP_AUTOSTART_ID");
    g_dbus_connection_call(bus, kManager, kManagerPath, kManager, "RegisterClient",
                           g_variant_new("(ss)", watcher->m_appId.c_str(), startupId ? startupId : ""),
                           G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, 5000, nullptr,
                           &SessionEndWatcher::OnRegistered, watcher);
}

void SessionEndWatcher::OnRegistered(GObject* source, GAsyncResult* result, gpointer self) {
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    if (!reply) return;  // no session manager of this kind: nothing to watch
    auto* watcher = static_cast<SessionEndWatcher*>(self);
    const gchar* path = nullptr;
    g_variant_get(reply, "(&o)", &path);
    watcher->m_clientPath = path;
    g_variant_unref(reply);
    watcher->m_subscription = g_dbus_connection_signal_subscribe(
        watcher->m_bus, kManager, kClientInterface, nullptr, watcher->m_clientPath.c_str(), nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, &SessionEndWatcher::OnSignal, watcher, nullptr);
}

void SessionEndWatcher::Respond() {
    g_dbus_connection_call(m_bus, kManager, m_clientPath.c_str(), kClientInterface, "EndSessionResponse",
                           g_variant_new("(bs)", TRUE, ""), nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
                           nullptr, nullptr);
}

void SessionEndWatcher::OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                 const gchar* signal, GVariant*, gpointer self) {
    auto* watcher = static_cast<SessionEndWatcher*>(self);
    if (std::strcmp(signal, "QueryEndSession") == 0) {
        watcher->Respond();  // agreeing; the saving comes with EndSession
    } else if (std::strcmp(signal, "EndSession") == 0 || std::strcmp(signal, "Stop") == 0) {
        if (watcher->m_ended) return;
        watcher->m_ended = true;
        if (watcher->m_onEnd) watcher->m_onEnd();
        if (std::strcmp(signal, "EndSession") == 0) {
            watcher->Respond();
            g_dbus_connection_flush_sync(watcher->m_bus, nullptr, nullptr);
        }
    }
}

}  // namespace fern
