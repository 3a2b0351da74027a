#include "settings/SettingsStore.h"

#include <cassert>

#include "platform/fs/FileIo.h"

namespace fern {

int SettingsStore::ReadInt(Setting id, int index) const {
    const SettingEntry& entry = EntryOf(id);
    assert(entry.type == SettingType::Integer || entry.type == SettingType::PackedPair);
    return FileOf(entry).ReadInt(entry.section, KeyName(entry, index), entry.integerDefault);
}

std::string SettingsStore::ReadString(Setting id, int index) const {
    const SettingEntry& entry = EntryOf(id);
    assert(entry.type == SettingType::String || entry.type == SettingType::Structured);
    return FileOf(entry).ReadString(entry.section, KeyName(entry, index), entry.textDefault,
                                    entry.readBuffer);
}

bool SettingsStore::WriteInt(Setting id, int value, int index) {
    const SettingEntry& entry = EntryOf(id);
    return FileOf(entry).WriteInt(entry.section, KeyName(entry, index), value);
}

bool SettingsStore::WriteString(Setting id, std::string_view value, int index) {
    const SettingEntry& entry = EntryOf(id);
    return FileOf(entry).WriteString(entry.section, KeyName(entry, index), value);
}

bool SettingsStore::DeleteKey(Setting id, int index) {
    const SettingEntry& entry = EntryOf(id);
    return FileOf(entry).DeleteKey(entry.section, KeyName(entry, index));
}

void SettingsStore::LogSaveFailure(Setting anyKeyOfSection) const {
    const SettingEntry& entry = EntryOf(anyKeyOfSection);
    std::string reason = "settings of [";
    reason += entry.section;
    reason += "] not written";
    LogWriteFailure(FileOf(entry).Location(), reason);
}

}  // namespace fern
