#pragma once
// The security zone of an address, by our own rule: file: is the local
// computer, a host without dots or with a private or loopback address is the
// intranet, anything else the Internet.
#include <string_view>

namespace fern {

enum SecurityZoneId : int {
    kZoneLocalComputer = 0,
    kZoneIntranet = 1,
    kZoneInternet = 3,
};

// -1 for text that is no URL with a host (about:, data:, empty, malformed).
int ZoneOfUrl(std::string_view url);

// "ローカル コンピュータ", "イントラネット", "インターネット"; "" for other values.
const char* ZoneName(int zone);

}  // namespace fern
