#pragma once
// The cookie preferences and the default-browser record, kept in an INI file
// of their own in the data folder (privacy.ini) so that they go with the
// user's other files and are applied to the engine at every start. Without a
// stored value the site's own cookies are allowed and other sites' refused,
// both allowing session cookies, and the action policies allow.
#include <string>

#include "privacy/PrivacyPreferences.h"

namespace fern {

class PrivacyIniFile : public IPrivacyPreferences {
public:
    explicit PrivacyIniFile(std::string path) : m_path(std::move(path)) {}

    std::optional<ZonePreference> GetZonePreference(int zone, int cookieType) const override;
    bool SetZonePreference(int zone, int cookieType, const ZonePreference& preference) override;
    std::optional<int> GetZoneActionPolicy(int zone, int action) const override;
    bool SetZoneActionPolicy(int zone, int action, int policy) override;
    int ZoneTemplateLevel(int zone) const;

    // Free values of the default-browser record; "" when missing.
    std::string ReadValue(const char* section, const std::string& key) const;
    bool WriteValue(const char* section, const std::string& key, const std::string& value);
    bool DeleteValue(const char* section, const std::string& key);

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace fern
