#pragma once
// What the status bar's zone and lock indicators say.
#include <string>

namespace fern {

// The page's lock shows for levels 1..7; 0 is an unsecured page and 8 and
// above a certificate error the user let through.
inline bool SecureLockShown(int level) { return level > 0 && level < 8; }

// Zone numbers: -1 none, 0 local computer, 1 intranet, 2 trusted sites,
// 3 internet, 4 restricted sites. "セキュリティ ゾーン: <name>", empty
// when the zone has no name.
std::string ZoneIndicatorText(int zone);

}  // namespace fern
