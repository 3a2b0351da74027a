#include "frame/ShortcutTrigger.h"

#include <cstdio>
#include <utility>

namespace fern {

namespace {

// Keysym names of the virtual keys other than letters, digits, the keypad's
// digits and function keys.
constexpr std::pair<std::uint16_t, const char*> kKeysyms[] = {
    {0x08, "BackSpace"},    {0x09, "Tab"},         {0x0D, "Return"},       {0x13, "Pause"},
    {0x1B, "Escape"},       {0x20, "space"},       {0x21, "Page_Up"},      {0x22, "Page_Down"},
    {0x23, "End"},          {0x24, "Home"},        {0x25, "Left"},         {0x26, "Up"},
    {0x27, "Right"},        {0x28, "Down"},        {0x2C, "Print"},        {0x2D, "Insert"},
    {0x2E, "Delete"},       {0x6A, "KP_Multiply"}, {0x6B, "KP_Add"},       {0x6D, "KP_Subtract"},
    {0x6E, "KP_Decimal"},   {0x6F, "KP_Divide"},   {0xA6, "XF86Back"},     {0xA7, "XF86Forward"},
    {0xA8, "XF86Refresh"},  {0xA9, "XF86Stop"},    {0xAC, "XF86HomePage"}, {0xBA, "semicolon"},
    {0xBB, "equal"},        {0xBC, "comma"},       {0xBD, "minus"},        {0xBE, "period"},
    {0xBF, "slash"},        {0xC0, "grave"},       {0xDB, "bracketleft"},  {0xDC, "backslash"},
    {0xDD, "bracketright"}, {0xDE, "apostrophe"},
};

std::string KeysymName(std::uint16_t key) {
    // Letters by their lower-case keysym: Shift is a modifier of its own.
    if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key - 'A' + 'a'));
    if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
    char name[16];
    if (key >= 0x60 && key <= 0x69) {
        std::snprintf(name, sizeof name, "KP_%d", key - 0x60);
        return name;
    }
    if (key >= 0x70 && key <= 0x87) {
        std::snprintf(name, sizeof name, "F%d", key - 0x6F);
        return name;
    }
    for (const auto& [code, keysym] : kKeysyms)
        if (code == key) return keysym;
    return {};
}

}  // namespace

std::string ShortcutTriggerOf(const TrayHotKey& key) {
    std::string name = KeysymName(key.key);
    if (name.empty()) return {};
    std::string trigger;
    if (key.modifiers & kHotKeyControl) trigger += "CTRL+";
    if (key.modifiers & kHotKeyAlt) trigger += "ALT+";
    if (key.modifiers & kHotKeyShift) trigger += "SHIFT+";
    return trigger + name;
}

}  // namespace fern
