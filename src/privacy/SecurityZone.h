#pragma once
// The security zone of an address, by our own rule: file: is the local
// computer, a host without dots or with a private or loopback address is the
// intranet, anything else the Internet.
#include <string_view>

namespace fern {

enum SecurityZoneId : int {
    kZoneLocalComputer = 0,
    kZoneIntranet = 1,
    kZoneTrusted = 2,
    kZoneInternet = 3,
    kZoneRestricted = 4,
};

// -1 for text that is no URL with a host (about:, data:, empty, malformed).
int ZoneOfUrl(std::string_view url);

// The zone's name as the status bar and the options dialog show it; "" for
// -1 and unknown numbers.
const char* ZoneName(int zone);

}  // namespace fern
