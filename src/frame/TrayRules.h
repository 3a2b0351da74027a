#pragma once
// The task tray's rules apart from any desktop: the hot key as TTHotKey
// stores it, its text in the View menu, the icon and tool tip TTStyle asks
// for, and when minimizing goes to the tray.
#include <cstdint>
#include <optional>
#include <string>

#include "settings/FrameSettings.h"

namespace fern {

enum : unsigned {
    kHotKeyAlt = 0x1,
    kHotKeyControl = 0x2,
    kHotKeyShift = 0x4,
};

struct TrayHotKey {
    std::uint16_t key = 0;   // virtual-key code
    unsigned modifiers = 0;  // kHotKeyAlt | kHotKeyControl | kHotKeyShift
    bool operator==(const TrayHotKey&) const = default;
};

// TTHotKey: high 16 bits the key, low 16 bits the modifiers. nullopt for 0
// and for values that name no usable key: a code outside 1..254, or a key
// without a modifier that is not a function key (it would take that key
// from every program). Modifier bits beyond the three are ignored.
std::optional<TrayHotKey> HotKeyOfSetting(int value);
int HotKeySettingValue(const TrayHotKey& key);

// "Ctrl+", "Shift+", "Alt+" in that order, then the key's name ("unknown"
// when it has none).
std::string HotKeyText(const TrayHotKey& key);
// The View menu's item: "タスク トレイ(&T)\tCtrl+Alt+F" with a hot key.
std::string TrayMenuText(const std::optional<TrayHotKey>& key);
// The same with the desktop's own text for the trigger it bound, where it
// gave one (it may differ from the key asked for).
std::string TrayMenuText(const std::optional<TrayHotKey>& key, const std::string& desktopTrigger);

// The tool tip of the icon: TTInfoTip with the own icon and tip asked for,
// "unknown" otherwise and for a tip that is empty or over 40 bytes.
std::string TrayTipText(const TaskTraySettings& tray);
// The icon file asked for; empty for the program's own icon. An icon file
// holds one icon, number 0: another TTIconIndex finds none there, and the
// program's icon shows.
std::string TrayIconFile(const TaskTraySettings& tray);

// Minimizing goes to the tray with "最小化時にタスク トレイ(&M)", never in full
// screen.
inline bool MinimizeGoesToTray(const TaskTraySettings& tray, bool fullScreen) {
    return tray.trayOnMinimize && !fullScreen;
}

}  // namespace fern
