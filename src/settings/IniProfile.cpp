#include "settings/IniProfile.h"

#include <cstdio>

#include "platform/ini/PrivateProfile.h"

namespace fern {

int IniProfile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
    return GetPrivateProfileInt(section, key, defaultValue, path_);
}

std::string IniProfile::ReadString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, std::size_t bufferSize) const {
    return GetPrivateProfileString(section, key, defaultValue, path_, bufferSize);
}

bool IniProfile::WriteInt(std::string_view section, std::string_view key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WritePrivateProfileString(section, key, std::string_view(text), path_);
}

bool IniProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // A reader drops one pair of quotes round a value ("a" "b" would come
    // back as a" "b): such a value is written inside one more pair.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        std::string quoted = std::string(1, value.front()) + std::string(value) + value.front();
        return WritePrivateProfileString(section, key, std::string_view(quoted), path_);
    }
    return WritePrivateProfileString(section, key, value, path_);
}

bool IniProfile::DeleteKey(std::string_view section, std::string_view key) {
    return WritePrivateProfileString(section, key, std::nullopt, path_);
}

bool IniProfile::DeleteSection(std::string_view section) {
    return WritePrivateProfileString(section, std::nullopt, std::nullopt, path_);
}

}  // namespace fern
