#pragma once
// The end of the desktop session: the program registers with the session
// manager (org.gnome.SessionManager over D-Bus, which GNOME, MATE and
// Cinnamon provide) and saves like a closed window when the session ends.
// Without a session manager nothing happens; SIGTERM and SIGHUP still save.
#include <gio/gio.h>

#include <functional>
#include <string>

namespace fern {

class SessionEndWatcher {
public:
    // `onEnd` saves and ends the program; it runs once.
    explicit SessionEndWatcher(std::function<void()> onEnd);
    ~SessionEndWatcher();
    SessionEndWatcher(const SessionEndWatcher&) = delete;
    SessionEndWatcher& operator=(const SessionEndWatcher&) = delete;

    // Registers asynchronously; false when there is no session bus.
    bool Register(const std::string& appId);

private:
    std::function<void()> m_onEnd;
    GDBusConnection* m_bus = nullptr;
    std::string m_clientPath;
    std::string m_appId;
    guint m_subscription = 0;
    bool m_ended = false;

    void Respond();
    static void OnBus(GObject* source, GAsyncResult* result, gpointer self);
    static void OnRegistered(GObject* source, GAsyncResult* result, gpointer self);
    static void OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* signal,
                         GVariant*, gpointer self);
};

}  // namespace fern
