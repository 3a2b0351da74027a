#include "frame/gtk/PortalShortcuts.h"

#include "frame/ShortcutTrigger.h"
#include "ui/gtk/VirtualKeys.h"

namespace fern {

namespace {

constexpr int kCallTimeoutMs = 10000;

// Data of a reply: the object it goes to and what it answers, or nothing
// once the object is gone (the cancellable says so).
struct Pending {
    PortalShortcuts* self;
    unsigned serial;
};

bool Cancelled(GError* error) { return error && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED); }

}  // namespace

PortalShortcuts::PortalShortcuts(std::function<void()> activated)
    : m_activated(std::move(activated)), m_cancel(g_cancellable_new()) {
    g_bus_get(
        G_BUS_TYPE_SESSION, m_cancel,
        [](GObject*, GAsyncResult* result, gpointer data) {
            GError* error = nullptr;
            GDBusConnection* bus = g_bus_get_finish(result, &error);
            bool gone = Cancelled(error);
            if (error) g_error_free(error);
            if (gone) {
                if (bus) g_object_unref(bus);
                return;
            }
            static_cast<PortalShortcuts*>(data)->Connected(bus);
        },
        this);
}

PortalShortcuts::~PortalShortcuts() {
    g_cancellable_cancel(m_cancel);
    if (m_timer) g_source_remove(m_timer);
    if (m_bus) {
        // The session ends with us; the portal needs no answer to that.
        Send(m_session.Want(std::nullopt));
        for (guint id : {m_responses, m_activations, m_closings})
            if (id) g_dbus_connection_signal_unsubscribe(m_bus, id);
        g_object_unref(m_bus);
    }
    g_object_unref(m_cancel);
}

void PortalShortcuts::Want(const std::optional<TrayHotKey>& key) {
    std::optional<std::string> trigger;
    if (key) trigger = ShortcutTriggerOf(key->modifiers, KeysymNameOfVirtualKey(key->key));
    Send(m_session.Want(trigger));
}

void PortalShortcuts::Connected(GDBusConnection* bus) {
    m_bus = bus;
    if (!m_bus) {
        Send(m_session.Connected("", nullptr));
        return;
    }
    const char* service = GlobalShortcutsSession::kService;
    m_responses = g_dbus_connection_signal_subscribe(m_bus, service, "org.freedesktop.portal.Request",
                                                     "Response", nullptr, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                                     &OnSignal, this, nullptr);
    m_activations = g_dbus_connection_signal_subscribe(m_bus, service, GlobalShortcutsSession::kInterface,
                                                       "Activated", GlobalShortcutsSession::kPath, nullptr,
                                                       G_DBUS_SIGNAL_FLAGS_NONE, &OnSignal, this, nullptr);
    m_closings = g_dbus_connection_signal_subscribe(m_bus, service, "org.freedesktop.portal.Session",
                                                    "Closed", nullptr, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                                    &OnSignal, this, nullptr);
    g_dbus_connection_call(
        m_bus, service, GlobalShortcutsSession::kPath, "org.freedesktop.DBus.Properties", "Get",
        g_variant_new("(ss)", GlobalShortcutsSession::kInterface, "version"), G_VARIANT_TYPE("(v)"),
        G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, m_cancel,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            GError* error = nullptr;
            GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
            bool gone = Cancelled(error);
            if (error) g_error_free(error);
            if (!gone) {
                auto* self = static_cast<PortalShortcuts*>(data);
                const char* unique = g_dbus_connection_get_unique_name(self->m_bus);
                self->Send(self->m_session.Connected(unique ? unique : "", reply));
            }
            if (reply) g_variant_unref(reply);
        },
        this);
}

void PortalShortcuts::Send(std::vector<PortalCall> calls) {
    for (PortalCall& call : calls) {
        if (!m_bus) continue;
        // The message takes its own reference.
        GVariant* parameters = call.parameters.get();
        if (!call.serial) {
            g_dbus_connection_call(m_bus, GlobalShortcutsSession::kService, call.path.c_str(),
                                   call.interface.c_str(), call.method.c_str(), parameters, nullptr,
                                   G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, nullptr, nullptr);
            continue;
        }
        Wait(call.serial, call.answerSeconds);
        g_dbus_connection_call(
            m_bus, GlobalShortcutsSession::kService, call.path.c_str(), call.interface.c_str(),
            call.method.c_str(), parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, m_cancel,
            [](GObject* source, GAsyncResult* result, gpointer data) {
                auto* pending = static_cast<Pending*>(data);
                GError* error = nullptr;
                GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
                bool gone = Cancelled(error);
                // A portal that never replies is one that does not answer, not one that failed.
                bool silent = error && (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT) ||
                                        g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_NO_REPLY));
                if (error) g_error_free(error);
                if (!gone && silent) pending->self->m_session.TimedOut(pending->serial);
                else if (!gone)
                    pending->self->Send(pending->self->m_session.Returned(pending->serial, reply));
                if (reply) g_variant_unref(reply);
                delete pending;
            },
            new Pending{this, call.serial});
    }
}

// One request is awaited at a time: a new one replaces the timer.
void PortalShortcuts::Wait(unsigned serial, unsigned seconds) {
    if (m_timer) g_source_remove(m_timer);
    auto* pending = new Pending{this, serial};
    m_timer = g_timeout_add_seconds_full(
        G_PRIORITY_DEFAULT, seconds,
        [](gpointer data) -> gboolean {
            auto* pending = static_cast<Pending*>(data);
            pending->self->m_timer = 0;
            pending->self->m_session.TimedOut(pending->serial);
            return G_SOURCE_REMOVE;
        },
        pending, [](gpointer data) { delete static_cast<Pending*>(data); });
}

void PortalShortcuts::OnSignal(GDBusConnection*, const gchar*, const gchar* path, const gchar*,
                               const gchar* signal, GVariant* parameters, gpointer data) {
    auto* self = static_cast<PortalShortcuts*>(data);
    std::string name = signal;
    if (name == "Response") self->Send(self->m_session.Response(path, parameters));
    else if (name == "Closed") self->m_session.SessionClosed(path);
    else if (name == "Activated" && self->m_session.Activated(parameters) && self->m_activated)
        self->m_activated();
}

}  // namespace fern
