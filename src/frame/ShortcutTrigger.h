#pragma once
// The task tray's hot key as a desktop's global-shortcut service reads a
// trigger: "CTRL+ALT+f", modifiers then the key's keysym name.
#include <string>

#include "frame/TrayRules.h"

namespace fern {

// `modifiers` are the hot key's (kHotKey*); empty for a key without a
// keysym name.
std::string ShortcutTriggerOf(unsigned modifiers, const std::string& keysymName);

}  // namespace fern
