#include "commands/KeyBinding.h"

#include <cstdio>
#include <utility>

namespace fern {

namespace {

// Names of the keys that are not letters, digits or function keys.
constexpr std::pair<std::uint16_t, const char*> kNamedKeys[] = {
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0D, "Enter"},
    {0x13, "Pause"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "Page Up"},
    {0x22, "Page Down"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2C, "Prnt Scrn"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x6A, "Num *"},
    {0x6B, "Num +"},
    {0x6D, "Num -"},
    {0x6E, "Num Del"},
    {0x6F, "Num /"},
    {0xA6, "Browser Back"},
    {0xA7, "Browser Forward"},
    {0xA8, "Browser Refresh"},
    {0xA9, "Browser Stop"},
    {0xAC, "Browser Home"},
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
};

constexpr std::pair<std::uint8_t, const char*> kModifierNames[] = {
    {kKeyControl, "Ctrl+"}, {kKeyAlt, "Alt+"}, {kKeyShift, "Shift+"}};

}  // namespace

std::int32_t KeyBinding::Value() const {
    std::uint32_t kind = fixed ? 1u : 2u;
    return static_cast<std::int32_t>(key | (static_cast<std::uint32_t>(modifiers | kKeyVirtual) << 16) |
                                     (kind << 24));
}

std::optional<KeyBinding> KeyFromValue(std::int64_t value) {
    if (value == 0) return std::nullopt;
    auto bits = static_cast<std::uint32_t>(value);
    KeyBinding key;
    key.key = static_cast<std::uint16_t>(bits & 0xFFFF);
    key.modifiers = static_cast<std::uint8_t>(((bits >> 16) & 0xFF) | kKeyVirtual);
    key.fixed = ((bits >> 24) & 0xFF) == 1;
    if (key.key == 0) return std::nullopt;
    return key;
}

std::string VirtualKeyName(std::uint16_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    char text[16];
    if (key >= 0x60 && key <= 0x69) {
        std::snprintf(text, sizeof text, "Num %d", key - 0x60);
        return text;
    }
    if (key >= 0x70 && key <= 0x87) {
        std::snprintf(text, sizeof text, "F%d", key - 0x6F);
        return text;
    }
    for (const auto& [code, name] : kNamedKeys)
        if (code == key) return name;
    return {};
}

std::string KeyText(const KeyBinding& key) {
    std::string text;
    for (const auto& [bit, name] : kModifierNames)
        if (key.modifiers & bit) text += name;
    std::string name = VirtualKeyName(key.key);
    if (name.empty()) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%02X", key.key);
        name = code;
    }
    return text + name;
}

std::optional<KeyBinding> ParseKeyText(const std::string& text) {
    KeyBinding key;
    std::string rest = text;
    bool found = true;
    while (found) {
        found = false;
        for (const auto& [bit, name] : kModifierNames) {
            std::string prefix = name;
            if (rest.size() > prefix.size() && rest.compare(0, prefix.size(), prefix) == 0) {
                key.modifiers |= bit;
                rest.erase(0, prefix.size());
                found = true;
            }
        }
    }
    for (std::uint32_t code = 1; code <= 0xFE; ++code) {
        if (VirtualKeyName(static_cast<std::uint16_t>(code)) == rest) {
            key.key = static_cast<std::uint16_t>(code);
            return key;
        }
    }
    return std::nullopt;
}

}  // namespace fern
