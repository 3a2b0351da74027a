#pragma once
// The task tray's global hot key, grabbed on the X11 display through
// keybinder. Other displays (Wayland) cannot grab keys this way: the
// binding then says it is unavailable, and the options page tells the user.
#include <functional>
#include <optional>
#include <string>

#include "frame/TrayRules.h"

namespace fern {

class TrayHotKeyBinding {
public:
    explicit TrayHotKeyBinding(std::function<void()> pressed) : m_pressed(std::move(pressed)) {}
    ~TrayHotKeyBinding() { Unbind(); }
    TrayHotKeyBinding(const TrayHotKeyBinding&) = delete;
    TrayHotKeyBinding& operator=(const TrayHotKeyBinding&) = delete;

    // Replaces the key bound before; false when `key` could not be grabbed
    // (another program holds it, or no display supports it).
    bool Bind(const std::optional<TrayHotKey>& key);
    void Unbind();
    // The key held now, if any.
    const std::optional<TrayHotKey>& Bound() const { return m_bound; }
    // Whether this display can grab keys at all.
    static bool Available();

private:
    std::function<void()> m_pressed;
    std::optional<TrayHotKey> m_bound;
    std::string m_accelerator;
};

}  // namespace fern
