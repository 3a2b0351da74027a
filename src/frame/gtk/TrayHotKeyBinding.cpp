#include "frame/gtk/TrayHotKeyBinding.h"

#include <gdk/gdkx.h>
#include <keybinder.h>

#include <cstring>

#include "frame/gtk/PortalShortcuts.h"
#include "ui/gtk/VirtualKeys.h"

namespace fern {

namespace {

// "<Ctrl><Shift><Alt>f" as keybinder reads it; empty for keys without a
// key value.
std::string Accelerator(const TrayHotKey& key) {
    guint keyval = KeyvalOfVirtualKey(key.key);
    const char* name = keyval ? gdk_keyval_name(gdk_keyval_to_lower(keyval)) : nullptr;
    if (!name) return {};
    std::string text;
    if (key.modifiers & kHotKeyControl) text += "<Ctrl>";
    if (key.modifiers & kHotKeyShift) text += "<Shift>";
    if (key.modifiers & kHotKeyAlt) text += "<Alt>";
    return text + name;
}

}  // namespace

TrayHotKeyBinding::TrayHotKeyBinding(std::function<void()> pressed)
    : m_pressed(std::move(pressed)), m_backend(Choose()) {
    if (m_backend == Backend::Portal)
        m_portal = std::make_unique<PortalShortcuts>([this] {
            if (m_pressed) m_pressed();
        });
}

TrayHotKeyBinding::~TrayHotKeyBinding() { Unbind(); }

// X11 grabs keys itself. Other displays (Wayland) ask the portal, which says
// later whether it has the interface. FERN_HOTKEY_BACKEND=portal takes the
// portal's way on any display: the GUI tests run on X11 only.
TrayHotKeyBinding::Backend TrayHotKeyBinding::Choose() {
    const char* forced = g_getenv("FERN_HOTKEY_BACKEND");
    if (forced && std::strcmp(forced, "portal") == 0) return Backend::Portal;
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return Backend::Neither;
    return GDK_IS_X11_DISPLAY(display) ? Backend::X11 : Backend::Portal;
}

bool TrayHotKeyBinding::Bind(const std::optional<TrayHotKey>& key) {
    Unbind();
    m_grabFailed = false;
    if (!key) return true;
    if (m_backend == Backend::Portal) {
        m_portal->Want(key);
        m_bound = key;
        return true;
    }
    m_grabFailed = !Grab(*key);
    return !m_grabFailed;
}

bool TrayHotKeyBinding::Grab(const TrayHotKey& key) {
    if (m_backend != Backend::X11) return false;
    static bool started = (keybinder_init(), true);
    (void)started;
    std::string accelerator = Accelerator(key);
    if (accelerator.empty()) return false;
    auto handler = +[](const char*, void* self) {
        auto* binding = static_cast<TrayHotKeyBinding*>(self);
        if (binding->m_pressed) binding->m_pressed();
    };
    if (!keybinder_bind(accelerator.c_str(), handler, this)) return false;
    m_accelerator = accelerator;
    m_bound = key;
    return true;
}

void TrayHotKeyBinding::Unbind() {
    if (m_portal && m_bound) m_portal->Want(std::nullopt);
    if (!m_accelerator.empty()) keybinder_unbind_all(m_accelerator.c_str());
    m_accelerator.clear();
    m_bound.reset();
}

std::string TrayHotKeyBinding::DesktopTrigger() const {
    return m_portal && m_portal->Session().State() == PortalShortcutState::Bound
               ? m_portal->Session().Trigger()
               : std::string();
}

HotKeyNote TrayHotKeyBinding::Note() const {
    switch (m_backend) {
        case Backend::Neither: return HotKeyNote::NoDesktop;
        case Backend::X11: return m_grabFailed ? HotKeyNote::GrabFailed : HotKeyNote::Quiet;
        case Backend::Portal: break;
    }
    switch (m_portal->Session().State()) {
        case PortalShortcutState::Unavailable: return HotKeyNote::NoDesktop;
        case PortalShortcutState::Off: return HotKeyNote::Quiet;
        case PortalShortcutState::Pending: return HotKeyNote::Waiting;
        case PortalShortcutState::Bound: return HotKeyNote::Assigned;
        case PortalShortcutState::Refused: return HotKeyNote::Refused;
        case PortalShortcutState::Failed: return HotKeyNote::DesktopFailed;
        case PortalShortcutState::NoAnswer: return HotKeyNote::NoAnswer;
    }
    return HotKeyNote::Quiet;
}

}  // namespace fern
