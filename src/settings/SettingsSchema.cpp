#include "settings/SettingsSchema.h"

#include <iterator>

namespace fern {

namespace {

constexpr SettingEntry kSchema[] = {
#define FERN_SETTING_ENTRY(key, file, section, type, intDefault, textDefault, buffer, form, owner) \
    {Setting::key, SettingsFile::file, section, #key,          SettingType::type,                  \
     intDefault,   textDefault,        buffer,  KeyForm::form, owner},
    FERN_SETTINGS_SCHEMA(FERN_SETTING_ENTRY)
#undef FERN_SETTING_ENTRY
};

// The table is indexed by the enum: both come from the same list.
constexpr bool IdsMatchPositions() {
    for (std::size_t i = 0; i < std::size(kSchema); ++i)
        if (static_cast<std::size_t>(kSchema[i].id) != i) return false;
    return true;
}
static_assert(IdsMatchPositions());

}  // namespace

std::span<const SettingEntry> AllSettings() { return kSchema; }

const SettingEntry& EntryOf(Setting id) { return kSchema[static_cast<std::size_t>(id)]; }

std::string KeyName(const SettingEntry& entry, int index) {
    std::string name = entry.key;
    if (entry.form == KeyForm::Indexed) name += std::to_string(index);
    return name;
}

}  // namespace fern
