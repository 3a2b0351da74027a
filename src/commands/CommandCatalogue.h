#pragma once
// The command catalogue: one row per command with its menu text, its
// status-bar prompt ("prompt\nshort name") and whether it is a switch shown
// with a check mark; and the key table of 144 slots whose order keys.ini
// stores. Menus, tool bars and the key dialog take their texts from here.
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "commands/CommandIds.h"

namespace fern {

struct CommandInfo {
    int id = 0;
    bool check = false;            // a switch: its menu items show a check mark
    const char* menuText = "";     // "&" marks the mnemonic
    const char* prompt = "";       // status-bar text, then "\n" and the short name
    const char* builtinKeys = "";  // keys of commands outside the key table ("Alt+Left")
};

std::span<const CommandInfo> CommandCatalogue();
// Null for ids that are not in the catalogue.
const CommandInfo* FindCommand(int id);

// The part of the prompt after its line feed; the menu text without its
// mnemonic when the prompt has none.
std::string ShortName(const CommandInfo& command);
// The status-bar part of the prompt.
std::string PromptText(const CommandInfo& command);
// The menu text without "(&X)" or "&".
std::string PlainMenuText(const char* menuText);

// The key table: slot i holds a command id (0 = empty) and a category
// (1 "ファイル系" .. 6 "タブ系"; 0 = routed but not offered in the dialog).
inline constexpr int kKeySlotCount = 144;
inline constexpr int kCategoryCount = 6;
struct KeySlot {
    int id = 0;
    int category = 0;
};
KeySlot KeySlotAt(int slot);
// The slot of a command, nullopt when the table has none.
std::optional<int> SlotOfCommand(int id);
// "ファイル系" .. "タブ系" for 1 .. 6; "" otherwise.
const char* CategoryName(int category);

}  // namespace fern
