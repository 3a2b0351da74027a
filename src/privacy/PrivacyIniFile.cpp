#include "privacy/PrivacyIniFile.h"

#include <cstdio>

#include "platform/ini/PrivateProfile.h"

namespace fern {

namespace {

const char kMissing[] = "\x01";

std::string ZoneSection(int zone) {
    char name[32];
    std::snprintf(name, sizeof name, "Zone%d", zone);
    return name;
}

std::string Key(const char* format, int value) {
    char name[48];
    std::snprintf(name, sizeof name, format, value);
    return name;
}

}  // namespace

std::optional<ZonePreference> PrivacyIniFile::GetZonePreference(int zone, int cookieType) const {
    std::string section = ZoneSection(zone);
    std::string text = GetPrivateProfileString(section, Key("Preference%d", cookieType), kMissing, m_path);
    if (text == kMissing) {
        if (cookieType == 0) return ZonePreference{101, "IE6-P3PV1/settings: always=a session=a"};
        if (cookieType == 1) return ZonePreference{101, "IE6-P3PV1/settings: always=r session=a"};
        return std::nullopt;
    }
    int templateId = GetPrivateProfileInt(section, Key("Preference%dTemplate", cookieType), 101, m_path);
    return ZonePreference{templateId, text};
}

bool PrivacyIniFile::SetZonePreference(int zone, int cookieType, const ZonePreference& preference) {
    std::string section = ZoneSection(zone);
    // Text last: a half-done pair reads as the template of the old text.
    return WritePrivateProfileString(section, Key("Preference%dTemplate", cookieType),
                                     std::to_string(preference.templateId), m_path) &&
           WritePrivateProfileString(section, Key("Preference%d", cookieType), preference.text, m_path);
}

std::optional<int> PrivacyIniFile::GetZoneActionPolicy(int zone, int action) const {
    return GetPrivateProfileInt(ZoneSection(zone), Key("Action%X", action), 0, m_path);
}

bool PrivacyIniFile::SetZoneActionPolicy(int zone, int action, int policy) {
    std::string section = ZoneSection(zone);
    return WritePrivateProfileString(section, Key("Action%X", action), std::to_string(policy), m_path) &&
           WritePrivateProfileString(section, "TemplateLevel", "0", m_path);
}

int PrivacyIniFile::ZoneTemplateLevel(int zone) const {
    return GetPrivateProfileInt(ZoneSection(zone), "TemplateLevel", -1, m_path);
}

std::string PrivacyIniFile::ReadValue(const char* section, const std::string& key) const {
    return GetPrivateProfileString(section, key, "", m_path);
}

bool PrivacyIniFile::WriteValue(const char* section, const std::string& key, const std::string& value) {
    return WritePrivateProfileString(section, key, value, m_path);
}

bool PrivacyIniFile::DeleteValue(const char* section, const std::string& key) {
    return WritePrivateProfileString(section, key, std::nullopt, m_path);
}

}  // namespace fern
