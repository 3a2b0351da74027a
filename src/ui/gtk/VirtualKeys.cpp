#include "ui/gtk/VirtualKeys.h"

#include <utility>

namespace fern {

namespace {

// Key values other than letters, digits and function keys.
constexpr std::pair<guint, std::uint16_t> kKeys[] = {
    {GDK_KEY_BackSpace, 0x08},    {GDK_KEY_Tab, 0x09},         {GDK_KEY_ISO_Left_Tab, 0x09},
    {GDK_KEY_Return, 0x0D},       {GDK_KEY_KP_Enter, 0x0D},    {GDK_KEY_Pause, 0x13},
    {GDK_KEY_Escape, 0x1B},       {GDK_KEY_space, 0x20},       {GDK_KEY_Page_Up, 0x21},
    {GDK_KEY_Page_Down, 0x22},    {GDK_KEY_End, 0x23},         {GDK_KEY_Home, 0x24},
    {GDK_KEY_Left, 0x25},         {GDK_KEY_Up, 0x26},          {GDK_KEY_Right, 0x27},
    {GDK_KEY_Down, 0x28},         {GDK_KEY_Print, 0x2C},       {GDK_KEY_Insert, 0x2D},
    {GDK_KEY_Delete, 0x2E},       {GDK_KEY_KP_Multiply, 0x6A}, {GDK_KEY_KP_Add, 0x6B},
    {GDK_KEY_KP_Subtract, 0x6D},  {GDK_KEY_KP_Decimal, 0x6E},  {GDK_KEY_KP_Divide, 0x6F},
    {GDK_KEY_Back, 0xA6},         {GDK_KEY_Forward, 0xA7},     {GDK_KEY_Refresh, 0xA8},
    {GDK_KEY_Stop, 0xA9},         {GDK_KEY_HomePage, 0xAC},    {GDK_KEY_semicolon, 0xBA},
    {GDK_KEY_equal, 0xBB},        {GDK_KEY_plus, 0xBB},        {GDK_KEY_comma, 0xBC},
    {GDK_KEY_minus, 0xBD},        {GDK_KEY_period, 0xBE},      {GDK_KEY_slash, 0xBF},
    {GDK_KEY_grave, 0xC0},        {GDK_KEY_bracketleft, 0xDB}, {GDK_KEY_backslash, 0xDC},
    {GDK_KEY_bracketright, 0xDD}, {GDK_KEY_apostrophe, 0xDE},  {GDK_KEY_KP_Home, 0x24},
    {GDK_KEY_KP_End, 0x23},       {GDK_KEY_KP_Page_Up, 0x21},  {GDK_KEY_KP_Page_Down, 0x22},
    {GDK_KEY_KP_Left, 0x25},      {GDK_KEY_KP_Right, 0x27},    {GDK_KEY_KP_Up, 0x26},
    {GDK_KEY_KP_Down, 0x28},      {GDK_KEY_KP_Insert, 0x2D},   {GDK_KEY_KP_Delete, 0x2E},
};

bool IsModifierKey(guint keyval) {
    switch (keyval) {
        case GDK_KEY_Shift_L:
        case GDK_KEY_Shift_R:
        case GDK_KEY_Control_L:
        case GDK_KEY_Control_R:
        case GDK_KEY_Alt_L:
        case GDK_KEY_Alt_R:
        case GDK_KEY_Meta_L:
        case GDK_KEY_Meta_R:
        case GDK_KEY_Super_L:
        case GDK_KEY_Super_R:
        case GDK_KEY_ISO_Level3_Shift:
        case GDK_KEY_Caps_Lock: return true;
        default: return false;
    }
}

}  // namespace

std::uint16_t VirtualKeyOfKeyval(guint keyval) {
    guint upper = gdk_keyval_to_upper(keyval);
    if (upper >= GDK_KEY_A && upper <= GDK_KEY_Z)
        return static_cast<std::uint16_t>('A' + (upper - GDK_KEY_A));
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9)
        return static_cast<std::uint16_t>('0' + (keyval - GDK_KEY_0));
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
        return static_cast<std::uint16_t>(0x60 + (keyval - GDK_KEY_KP_0));
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24)
        return static_cast<std::uint16_t>(0x70 + (keyval - GDK_KEY_F1));
    for (const auto& [value, code] : kKeys)
        if (value == keyval) return code;
    return 0;
}

guint KeyvalOfVirtualKey(std::uint16_t key) {
    if (key >= 'A' && key <= 'Z') return GDK_KEY_A + (key - 'A');
    if (key >= '0' && key <= '9') return GDK_KEY_0 + (key - '0');
    if (key >= 0x60 && key <= 0x69) return GDK_KEY_KP_0 + (key - 0x60);
    if (key >= 0x70 && key <= 0x87) return GDK_KEY_F1 + (key - 0x70);
    for (const auto& [value, code] : kKeys)
        if (code == key) return value;
    return 0;
}

std::string KeysymNameOfVirtualKey(std::uint16_t key) {
    guint keyval = KeyvalOfVirtualKey(key);
    const char* name = keyval ? gdk_keyval_name(gdk_keyval_to_lower(keyval)) : nullptr;
    if (!name) return {};
    // GDK names the vendor keys without the prefix of their keysym names.
    if (keyval >= 0x1008FF00 && keyval <= 0x1008FFFF) return std::string("XF86") + name;
    return name;
}

std::optional<KeyBinding> KeyOfEvent(const GdkEventKey* event) {
    if (!event || IsModifierKey(event->keyval)) return std::nullopt;
    guint keyval = event->keyval;
    // The key as it is without Shift, so "Shift+1" stays the 1 key.
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_display_get_default());
    guint base = 0;
    if (keymap &&
        gdk_keymap_translate_keyboard_state(keymap, event->hardware_keycode, static_cast<GdkModifierType>(0),
                                            event->group, &base, nullptr, nullptr, nullptr) &&
        VirtualKeyOfKeyval(base) != 0 && !(keyval >= GDK_KEY_KP_Space && keyval <= GDK_KEY_KP_9))
        keyval = base;
    std::uint16_t code = VirtualKeyOfKeyval(keyval);
    if (code == 0) return std::nullopt;
    KeyBinding key;
    key.key = code;
    if (event->state & GDK_CONTROL_MASK) key.modifiers |= kKeyControl;
    if (event->state & GDK_MOD1_MASK) key.modifiers |= kKeyAlt;
    if (event->state & GDK_SHIFT_MASK) key.modifiers |= kKeyShift;
    return key;
}

}  // namespace fern
