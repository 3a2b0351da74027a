#include "frame/gtk/TrayHotKeyBinding.h"

#include <gdk/gdkx.h>
#include <keybinder.h>

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

bool TrayHotKeyBinding::Available() {
    GdkDisplay* display = gdk_display_get_default();
    return display && GDK_IS_X11_DISPLAY(display);
}

bool TrayHotKeyBinding::Bind(const std::optional<TrayHotKey>& key) {
    Unbind();
    if (!key || !Available()) return false;
    static bool started = (keybinder_init(), true);
    (void)started;
    std::string accelerator = Accelerator(*key);
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
    if (m_accelerator.empty()) return;
    keybinder_unbind_all(m_accelerator.c_str());
    m_accelerator.clear();
    m_bound.reset();
}

}  // namespace fern
