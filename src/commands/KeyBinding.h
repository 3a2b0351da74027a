#pragma once
// One key of a command as keys.ini stores it: a virtual-key code and the
// modifier flags, in one integer with its kind (1 = a fixed key that the
// user cannot delete, 2 = a key of the user's).
#include <cstdint>
#include <optional>
#include <string>

namespace fern {

enum KeyModifier : std::uint8_t {
    kKeyVirtual = 0x01,  // always set
    kKeyShift = 0x04,
    kKeyControl = 0x08,
    kKeyAlt = 0x10,
};

struct KeyBinding {
    std::uint8_t modifiers = kKeyVirtual;
    std::uint16_t key = 0;  // the virtual-key code
    bool fixed = false;
    // Read from the user's keys.ini: written back even when fixed, so a
    // fixed key the user put there is not lost by the next save.
    bool fromUserFile = false;

    // Same key and modifiers; whether it is fixed does not matter.
    bool SameKey(const KeyBinding& other) const {
        return key == other.key && (modifiers | kKeyVirtual) == (other.modifiers | kKeyVirtual);
    }
    // The stored form: bits 0-15 key, 16-23 modifiers, 24-31 kind.
    std::int32_t Value() const;
    bool operator==(const KeyBinding&) const = default;
};

// A stored value; nullopt for 0 or a value without a key code.
std::optional<KeyBinding> KeyFromValue(std::int64_t value);

// "Ctrl+Alt+F", "Alt+Left", "Ctrl+Page Down": the modifiers in the order
// Ctrl, Alt, Shift, then the key's name.
std::string KeyText(const KeyBinding& key);
// The reverse, for the keys the catalogue writes as text; nullopt when a
// name is unknown.
std::optional<KeyBinding> ParseKeyText(const std::string& text);
// The name of a virtual key ("F5", "Page Up", "A"); "" for codes without one.
std::string VirtualKeyName(std::uint16_t key);

}  // namespace fern
