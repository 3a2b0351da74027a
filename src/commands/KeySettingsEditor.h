#pragma once
// What the "キー設定" dialog does, on a copy of the key table that becomes
// the program's only when the dialog is confirmed.
#include <string>
#include <vector>

#include "commands/KeyManager.h"

namespace fern {

struct KeyCommandRow {
    int id = 0;
    std::string name;  // the short name
};

class CKeySettingsEditor {
public:
    explicit CKeySettingsEditor(const CKeyManager& keys) : m_keys(keys) {}

    // The commands of a category (1..6) in key-table order, those the
    // program serves (`served`) only.
    static std::vector<KeyCommandRow> CommandsOf(int category, const std::vector<int>& served);

    // "" when added; else the status line: "<short name>で使用中", or why not.
    std::string Add(int id, const KeyBinding& key);
    // "" when deleted; "このキーは削除できません" for a fixed key.
    std::string Delete(int id, const KeyBinding& key);
    void DeleteAll() { m_keys.RemoveAllUserKeys(); }

    const CKeyManager& Keys() const { return m_keys; }

private:
    CKeyManager m_keys;
};

inline constexpr char kKeyFixedMessage[] = "このキーは削除できません";
inline constexpr char kKeyInUseSuffix[] = "で使用中";

}  // namespace fern
