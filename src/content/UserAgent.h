#pragma once
// The user agent every page is sent with, from the BOUserAgent setting.
#include <string>
#include <string_view>

namespace fern {

// The setting as the engine gets it (Shift-JIS): at most 255 bytes, cut
// before a double-byte character that would not fit; control characters
// (line breaks, tabs ...) are dropped, since they would break the request
// header. Empty means the engine's own user agent.
std::string UserAgentText(std::string_view setting);

}  // namespace fern
