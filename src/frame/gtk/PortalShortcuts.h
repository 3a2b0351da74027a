#pragma once
// The bus side of GlobalShortcutsSession: it reaches the session bus, asks
// the portal for its version, sends the calls the session returns and hands
// it the signals that come back. Everything is asynchronous: the desktop may
// ask the user before it answers, and the window must go on meanwhile.
#include <gio/gio.h>

#include <functional>
#include <optional>

#include "frame/GlobalShortcutsSession.h"
#include "frame/TrayRules.h"

namespace fern {

class PortalShortcuts {
public:
    explicit PortalShortcuts(std::function<void()> activated);
    ~PortalShortcuts();
    PortalShortcuts(const PortalShortcuts&) = delete;
    PortalShortcuts& operator=(const PortalShortcuts&) = delete;

    void Want(const std::optional<TrayHotKey>& key);
    const GlobalShortcutsSession& Session() const { return m_session; }

private:
    std::function<void()> m_activated;
    GlobalShortcutsSession m_session;
    GCancellable* m_cancel = nullptr;
    GDBusConnection* m_bus = nullptr;
    guint m_responses = 0;
    guint m_activations = 0;
    guint m_closings = 0;
    guint m_timer = 0;

    void Connected(GDBusConnection* bus);
    void Send(std::vector<PortalCall> calls);
    void Wait(unsigned serial, unsigned seconds);
    static void OnSignal(GDBusConnection*, const gchar*, const gchar* path, const gchar*, const gchar* signal,
                         GVariant* parameters, gpointer self);
};

}  // namespace fern
