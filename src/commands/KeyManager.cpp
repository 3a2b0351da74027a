#include "commands/KeyManager.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "commands/CommandCatalogue.h"
#include "platform/fs/FileIo.h"
#include "platform/ini/IniDocument.h"
#include "platform/ini/ProfileFile.h"
#include "platform/ini/ProfileText.h"

namespace fern {

namespace {

constexpr char kSection[] = "MainFrame";
// As GetPrivateProfileString reads it: longer values are cut.
constexpr std::size_t kKeysBuffer = 4096 - 1;

std::string Trimmed(std::string_view text) {
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return {};
    std::size_t end = text.find_last_not_of(" \t");
    return std::string(text.substr(start, end - start + 1));
}

// atol: leading blanks, a sign, digits; 0 when there are none.
long long Number(std::string_view text) {
    std::string s(text);
    return std::strtoll(s.c_str(), nullptr, 10);
}

const std::vector<KeyBinding> kNoKeys;

}  // namespace

void CKeyManager::Append(int id, KeyBinding key) {
    std::vector<KeyBinding>& keys = m_keys[id];
    for (const KeyBinding& have : keys)
        if (have.SameKey(key)) return;
    keys.push_back(key);
}

void CKeyManager::AddBuiltinKeys() {
    for (const CommandInfo& command : CommandCatalogue()) {
        std::string keys = command.builtinKeys ? command.builtinKeys : "";
        std::size_t start = 0;
        while (start < keys.size()) {
            std::size_t comma = keys.find(',', start);
            if (comma == std::string::npos) comma = keys.size();
            if (std::optional<KeyBinding> key = ParseKeyText(keys.substr(start, comma - start))) {
                key->fixed = true;
                Append(command.id, *key);
            }
            start = comma + 1;
        }
    }
}

void CKeyManager::ParseInto(std::string_view bytes, bool allFixed) {
    IniDocument document = IniDocument::Parse(DecodeProfileText(bytes).sjis);
    for (int n = 0;; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "ID%d", n);
        const std::string* slotText = document.Find(kSection, name);
        if (!slotText) break;
        long long slot = Number(*slotText);
        if (slot < 0 || slot >= kKeySlotCount) break;
        int id = KeySlotAt(static_cast<int>(slot)).id;
        std::snprintf(name, sizeof name, "Keys%d", n);
        const std::string* keysText = document.Find(kSection, name);
        if (id == 0 || !keysText) continue;
        std::string_view keys(*keysText);
        keys = keys.substr(0, kKeysBuffer);
        std::size_t start = 0;
        while (start <= keys.size()) {
            std::size_t comma = keys.find(',', start);
            if (comma == std::string_view::npos) comma = keys.size();
            std::string piece = Trimmed(keys.substr(start, comma - start));
            if (std::optional<KeyBinding> key = KeyFromValue(Number(piece))) {
                if (allFixed) key->fixed = true;
                else key->fromUserFile = true;
                Append(id, *key);
            }
            start = comma + 1;
        }
    }
}

KeyFileStatus CKeyManager::LoadDefaults(std::string_view path) {
    KeyFileStatus status;
    std::optional<std::string> bytes = ReadWholeFile(path, &status.error);
    if (!bytes) {
        status.ok = false;
        struct stat info {};
        status.missing = lstat(std::string(path).c_str(), &info) != 0 && errno == ENOENT;
        return status;
    }
    ParseInto(*bytes, true);
    return status;
}

KeyFileStatus CKeyManager::LoadUser(std::string_view path) {
    KeyFileStatus status;
    struct stat info {};
    if (lstat(std::string(path).c_str(), &info) != 0 && errno == ENOENT) {
        status.missing = true;
        return status;
    }
    std::optional<std::string> bytes = ReadWholeFile(path, &status.error);
    if (!bytes) {
        status.ok = false;
        return status;
    }
    ParseInto(*bytes, false);
    return status;
}

KeyFileStatus CKeyManager::Save(std::string_view path) const {
    std::vector<std::pair<std::string, std::string>> entries;
    int n = 0;
    for (const auto& [id, keys] : m_keys) {
        std::optional<int> slot = SlotOfCommand(id);
        if (!slot) continue;
        std::string values;
        for (const KeyBinding& key : keys) {
            if (key.fixed && !key.fromUserFile) continue;
            char value[16];
            std::snprintf(value, sizeof value, values.empty() ? "%d" : ",%d", key.Value());
            values += value;
        }
        if (values.empty()) continue;
        char name[32];
        std::snprintf(name, sizeof name, "ID%d", n);
        entries.emplace_back(name, std::to_string(*slot));
        std::snprintf(name, sizeof name, "Keys%d", n);
        entries.emplace_back(name, values);
        ++n;
    }
    KeyFileStatus status;
    status.ok = ReplaceProfileSection(path, kSection, entries, &status.error);
    return status;
}

const std::vector<KeyBinding>& CKeyManager::KeysOf(int id) const {
    auto it = m_keys.find(id);
    return it == m_keys.end() ? kNoKeys : it->second;
}

std::optional<int> CKeyManager::CommandOfKey(const KeyBinding& key) const {
    for (bool fixedPass : {false, true})
        for (const auto& [id, keys] : m_keys)
            for (const KeyBinding& have : keys)
                if (have.fixed == fixedPass && have.SameKey(key)) return id;
    return std::nullopt;
}

std::string CKeyManager::KeyTextOf(int id) const {
    std::string text;
    for (const KeyBinding& key : KeysOf(id)) {
        if (!text.empty()) text += ",";
        text += KeyText(key);
    }
    return text;
}

bool CKeyManager::AddUserKey(int id, KeyBinding key) {
    if (key.key == 0 || CommandOfKey(key)) return false;
    key.fixed = false;
    m_keys[id].push_back(key);
    return true;
}

bool CKeyManager::RemoveKey(int id, const KeyBinding& key) {
    auto it = m_keys.find(id);
    if (it == m_keys.end()) return false;
    for (auto k = it->second.begin(); k != it->second.end(); ++k) {
        if (!k->SameKey(key)) continue;
        if (k->fixed) return false;
        it->second.erase(k);
        return true;
    }
    return false;
}

void CKeyManager::RemoveAllUserKeys() {
    for (auto& [id, keys] : m_keys) std::erase_if(keys, [](const KeyBinding& k) { return !k.fixed; });
}

}  // namespace fern
