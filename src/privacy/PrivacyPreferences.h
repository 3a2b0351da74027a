#pragma once
// The stored cookie preferences of the two switching modes: per zone and
// cookie type a template with a preference text ("IE6"), and per zone the
// action policies with the zone's template level ("IE4-5").
#include <optional>
#include <string>

namespace fern {

struct ZonePreference {
    int templateId = 0;
    std::string text;  // "IE6-P3PV1/settings: ..."
};

class IPrivacyPreferences {
public:
    virtual ~IPrivacyPreferences() = default;
    // Nothing when the preference cannot be read.
    virtual std::optional<ZonePreference> GetZonePreference(int zone, int cookieType) const = 0;
    virtual bool SetZonePreference(int zone, int cookieType, const ZonePreference& preference) = 0;
    virtual std::optional<int> GetZoneActionPolicy(int zone, int action) const = 0;
    // Also makes the zone's template level 0 (custom).
    virtual bool SetZoneActionPolicy(int zone, int action, int policy) = 0;
};

}  // namespace fern
