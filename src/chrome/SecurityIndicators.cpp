#include "chrome/SecurityIndicators.h"

#include "privacy/SecurityZone.h"

namespace fern {

std::string ZoneIndicatorText(int zone) {
    std::string name = ZoneName(zone);
    return name.empty() ? name : "セキュリティ ゾーン: " + name;
}

}  // namespace fern
