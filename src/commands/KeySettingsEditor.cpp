#include "commands/KeySettingsEditor.h"

#include <algorithm>

#include "commands/CommandCatalogue.h"

namespace fern {

std::vector<KeyCommandRow> CKeySettingsEditor::CommandsOf(int category, const std::vector<int>& served) {
    std::vector<KeyCommandRow> rows;
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        KeySlot entry = KeySlotAt(slot);
        if (entry.id == 0 || entry.category != category) continue;
        if (std::find(served.begin(), served.end(), entry.id) == served.end()) continue;
        const CommandInfo* info = FindCommand(entry.id);
        if (!info) continue;
        rows.push_back({entry.id, ShortName(*info)});
    }
    return rows;
}

std::string CKeySettingsEditor::Add(int id, const KeyBinding& key) {
    if (key.key == 0) return "キーを押してください";
    if (std::optional<int> owner = m_keys.CommandOfKey(key)) {
        const CommandInfo* info = FindCommand(*owner);
        return (info ? ShortName(*info) : std::to_string(*owner)) + kKeyInUseSuffix;
    }
    m_keys.AddUserKey(id, key);
    return "";
}

std::string CKeySettingsEditor::Delete(int id, const KeyBinding& key) {
    for (const KeyBinding& have : m_keys.KeysOf(id))
        if (have.SameKey(key) && have.fixed) return kKeyFixedMessage;
    m_keys.RemoveKey(id, key);
    return "";
}

}  // namespace fern
