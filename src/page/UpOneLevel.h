#pragma once
// The address one level up from a page's address, for the "上へ" command.
#include <optional>
#include <string>
#include <string_view>

namespace fern {

// nullopt when there is no level above (a host root, a drive).
std::optional<std::string> UpOneLevelUrl(std::string_view url);

}  // namespace fern
