#pragma once
// The filters' pattern rule: "*" matches any run of bytes (also an empty one),
// every other byte matches itself; case-sensitive, anchored at both ends.
#include <string_view>

namespace fern {

// Runs in time bounded by pattern length x text length, so a crafted
// address or title cannot stall the browser.
bool WildcardMatch(std::string_view pattern, std::string_view text);

}  // namespace fern
