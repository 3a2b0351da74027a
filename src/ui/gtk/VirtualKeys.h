#pragma once
// keys.ini keeps the virtual-key codes its format was made with; GDK speaks
// key values. The two meet here.
#include <gdk/gdk.h>

#include <cstdint>
#include <optional>
#include <string>

#include "commands/KeyBinding.h"

namespace fern {

// The virtual-key code of a GDK key value (letters in either case, the
// keypad's own codes); 0 when it has none.
std::uint16_t VirtualKeyOfKeyval(guint keyval);
// A GDK key value for a virtual-key code; 0 when it has none.
guint KeyvalOfVirtualKey(std::uint16_t key);
// The key's keysym name ("a", "F1", "Page_Up"; letters by their lower-case
// keysym, since Shift is a modifier of its own); "" for a code without one.
std::string KeysymNameOfVirtualKey(std::uint16_t key);

// The binding a key press stands for: its unshifted key (so Shift+1 is
// "Shift+1", not "!") with Ctrl, Alt and Shift. nullopt for modifier keys
// alone and keys without a virtual-key code.
std::optional<KeyBinding> KeyOfEvent(const GdkEventKey* event);

}  // namespace fern
