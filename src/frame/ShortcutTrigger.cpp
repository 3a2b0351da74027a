#include "frame/ShortcutTrigger.h"

namespace fern {

std::string ShortcutTriggerOf(unsigned modifiers, const std::string& keysymName) {
    if (keysymName.empty()) return {};
    std::string trigger;
    if (modifiers & kHotKeyControl) trigger += "CTRL+";
    if (modifiers & kHotKeyAlt) trigger += "ALT+";
    if (modifiers & kHotKeyShift) trigger += "SHIFT+";
    return trigger + keysymName;
}

}  // namespace fern
