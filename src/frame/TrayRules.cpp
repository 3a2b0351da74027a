#include "frame/TrayRules.h"

#include "commands/KeyBinding.h"

namespace fern {

namespace {

constexpr char kUnknown[] = "unknown";
constexpr std::size_t kTipLimit = 40;
constexpr char kTrayMenuText[] = "タスク トレイ(&T)";

bool FunctionKey(std::uint16_t key) { return key >= 0x70 && key <= 0x87; }

}  // namespace

std::optional<TrayHotKey> HotKeyOfSetting(int value) {
    auto bits = static_cast<std::uint32_t>(value);
    TrayHotKey key;
    key.key = static_cast<std::uint16_t>(bits >> 16);
    key.modifiers = bits & (kHotKeyAlt | kHotKeyControl | kHotKeyShift);
    if (key.key == 0 || key.key > 0xFE) return std::nullopt;
    if (key.modifiers == 0 && !FunctionKey(key.key)) return std::nullopt;
    return key;
}

int HotKeySettingValue(const TrayHotKey& key) {
    return static_cast<int>((std::uint32_t{key.key} << 16) | key.modifiers);
}

std::string HotKeyText(const TrayHotKey& key) {
    std::string text;
    if (key.modifiers & kHotKeyControl) text += "Ctrl+";
    if (key.modifiers & kHotKeyShift) text += "Shift+";
    if (key.modifiers & kHotKeyAlt) text += "Alt+";
    std::string name = VirtualKeyName(key.key);
    return text + (name.empty() ? std::string(kUnknown) : name);
}

std::string TrayMenuText(const std::optional<TrayHotKey>& key) {
    return key ? std::string(kTrayMenuText) + "\t" + HotKeyText(*key) : std::string(kTrayMenuText);
}

std::string TrayMenuText(const std::optional<TrayHotKey>& key, const std::string& desktopTrigger) {
    if (!key || desktopTrigger.empty()) return TrayMenuText(key);
    return std::string(kTrayMenuText) + "\t" + desktopTrigger;
}

std::string TrayTipText(const TaskTraySettings& tray) {
    if (!tray.customIcon || tray.infoTip.empty() || tray.infoTip.size() > kTipLimit) return kUnknown;
    return tray.infoTip;
}

std::string TrayIconFile(const TaskTraySettings& tray) {
    return tray.customIcon && tray.iconIndex == 0 ? tray.iconPath : std::string();
}

}  // namespace fern
