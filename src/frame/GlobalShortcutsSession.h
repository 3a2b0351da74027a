#pragma once
// The task tray's hot key through the desktop's GlobalShortcuts portal, as
// bookkeeping apart from the bus: which request an answer belongs to, what
// the desktop bound, and which calls go out next. The bus side sends the
// calls this returns and hands back what arrives; answers that belong to no
// request of ours, to a closed session or that do not have the portal's
// shape are ignored or end in Failed, never trusted.
#include <glib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fern {

enum class PortalShortcutState {
    Unavailable,  // no portal with the GlobalShortcuts interface
    Off,          // no key asked for
    Pending,      // asked; the desktop has not answered yet
    Bound,        // the desktop bound the key
    Refused,      // the user cancelled, or the desktop bound nothing
    Failed,       // the portal failed, closed the session or answered nonsense
    NoAnswer,     // no answer in time (a late one is still taken)
};

struct VariantUnref {
    void operator()(GVariant* value) const { g_variant_unref(value); }
};
using VariantPtr = std::unique_ptr<GVariant, VariantUnref>;

// A method call for the bus side to make on the portal's service.
struct PortalCall {
    std::string path;
    std::string interface;
    std::string method;
    VariantPtr parameters;  // sunk: the bus side passes a new reference on
    // A request: its "(o)" reply goes to Returned and, after answerSeconds
    // without a Response, TimedOut is told. 0: fire and forget.
    unsigned serial = 0;
    unsigned answerSeconds = 0;
};

class GlobalShortcutsSession {
public:
    static constexpr char kService[] = "org.freedesktop.portal.Desktop";
    static constexpr char kPath[] = "/org/freedesktop/portal/desktop";
    static constexpr char kInterface[] = "org.freedesktop.portal.GlobalShortcuts";
    static constexpr char kShortcutId[] = "tray";

    // The bus is reached: our unique name (":1.42") and the answer to
    // Properties.Get of the interface's `version` ("(v)"; null when the call
    // failed, as it does where no portal has the interface).
    std::vector<PortalCall> Connected(const std::string& uniqueName, GVariant* versionReply);
    // A key to bind, by the trigger to ask for ("CTRL+ALT+f"; empty for a
    // key without a keysym name, bound without one); nullopt gives the key
    // up. A session or request of an earlier key is closed.
    std::vector<PortalCall> Want(const std::optional<std::string>& trigger);
    // The reply to request `serial` ("(o)", the request's object); null when
    // the call failed.
    std::vector<PortalCall> Returned(unsigned serial, GVariant* reply);
    // A Request's Response signal: its object and its parameters ("(ua{sv})").
    std::vector<PortalCall> Response(const std::string& path, GVariant* parameters);
    void TimedOut(unsigned serial);
    // The session's Closed signal.
    void SessionClosed(const std::string& path);
    // An Activated signal ("(osta{sv})"): true when it is our shortcut on
    // the session bound now.
    bool Activated(GVariant* parameters) const;

    PortalShortcutState State() const { return m_state; }
    // What the desktop calls the trigger it bound (Shift-JIS); may be empty.
    const std::string& Trigger() const { return m_trigger; }

private:
    enum class Portal { Unknown, Present, Absent };
    enum class Step { Idle, Create, Bind };
    Portal m_portal = Portal::Unknown;
    std::string m_sender;                    // the unique name as request paths carry it
    std::optional<std::string> m_preferred;  // the trigger asked for
    PortalShortcutState m_state = PortalShortcutState::Off;
    std::string m_trigger;
    std::string m_session;
    std::string m_request;  // the Response awaited
    Step m_step = Step::Idle;
    unsigned m_serial = 0;
    unsigned m_tokens = 0;

    std::vector<PortalCall> Start();
    void Close(std::vector<PortalCall>& calls);
    PortalCall Request(const char* method, GVariant* parameters, const std::string& token, unsigned seconds);
    std::vector<PortalCall> SessionCreated(GVariant* results);
    std::vector<PortalCall> ShortcutsBound(GVariant* results);
    std::vector<PortalCall> Fail(PortalShortcutState state);
    std::string NextToken();
};

}  // namespace fern
