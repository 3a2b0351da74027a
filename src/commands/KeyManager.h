#pragma once
// The keys of every command. The shipped defaults (res/keys.ini) and the
// keys of commands outside the key table are fixed; the user's keys
// (keys.ini in the data folder) are merged over them and are all that is
// written back, so a user key never costs the defaults.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/KeyBinding.h"

namespace fern {

struct KeyFileStatus {
    bool ok = true;
    bool missing = false;  // no such file (not an error for the user's file)
    std::string error;
};

class CKeyManager {
public:
    // The fixed keys the catalogue gives commands that have no slot.
    void AddBuiltinKeys();
    // keys.ini form ("[MainFrame]", ID%d, Keys%d). Defaults become fixed
    // keys; the user's file adds its keys (those of kind 1 stay fixed, and a
    // key a command already has is not added twice).
    KeyFileStatus LoadDefaults(std::string_view path);
    KeyFileStatus LoadUser(std::string_view path);
    // The same on the bytes of a file.
    void ParseInto(std::string_view bytes, bool allFixed);

    // Writes the user's keys of the commands in the key table, replacing the
    // file's [MainFrame] section at once; the rest of the file stays.
    KeyFileStatus Save(std::string_view path) const;

    const std::vector<KeyBinding>& KeysOf(int id) const;
    // The command a key runs; user keys first.
    std::optional<int> CommandOfKey(const KeyBinding& key) const;
    // "Ctrl+T" or "Ctrl+T,F2": the keys of the command, "" without keys.
    std::string KeyTextOf(int id) const;

    // Appends a user key; false (nothing added) when any command has it.
    bool AddUserKey(int id, KeyBinding key);
    // False when the key is fixed (nothing changes) or not there.
    bool RemoveKey(int id, const KeyBinding& key);
    // Every user key of every command goes; fixed keys stay.
    void RemoveAllUserKeys();

    bool operator==(const CKeyManager&) const = default;

private:
    std::map<int, std::vector<KeyBinding>> m_keys;  // command id -> keys in order

    void Append(int id, KeyBinding key);
};

}  // namespace fern
