#pragma once
// The task tray's global hot key: grabbed on the X11 display through
// keybinder; elsewhere (Wayland) asked of the desktop's GlobalShortcuts
// portal, which may bind another trigger or none. Where neither works the
// binding says so, and the options page tells the user.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "frame/TrayRules.h"

namespace fern {

class PortalShortcuts;

// What the options page says about the hot key.
enum class HotKeyNote {
    Quiet,
    NoDesktop,      // nothing here can take a global key
    GrabFailed,     // X11: another program holds the key
    Waiting,        // the desktop has not answered yet
    Assigned,       // the desktop bound it (DesktopTrigger: its text)
    Refused,        // the user or the desktop declined
    DesktopFailed,  // the portal failed
    NoAnswer,       // the portal did not answer in time
};

class TrayHotKeyBinding {
public:
    explicit TrayHotKeyBinding(std::function<void()> pressed);
    ~TrayHotKeyBinding();
    TrayHotKeyBinding(const TrayHotKeyBinding&) = delete;
    TrayHotKeyBinding& operator=(const TrayHotKeyBinding&) = delete;

    // Replaces the key bound before; false when `key` could not be grabbed
    // (another program holds it, or no display supports it). Through the
    // portal the answer comes later: see Note.
    bool Bind(const std::optional<TrayHotKey>& key);
    void Unbind();
    // The key held or asked for now, if any.
    const std::optional<TrayHotKey>& Bound() const { return m_bound; }
    // The desktop's text for the trigger it bound; empty when it gave none.
    std::string DesktopTrigger() const;
    HotKeyNote Note() const;

private:
    enum class Backend { Neither, X11, Portal };
    std::function<void()> m_pressed;
    Backend m_backend;
    std::unique_ptr<PortalShortcuts> m_portal;
    std::optional<TrayHotKey> m_bound;
    std::string m_accelerator;
    bool m_grabFailed = false;

    static Backend Choose();
    bool Grab(const TrayHotKey& key);
};

}  // namespace fern
