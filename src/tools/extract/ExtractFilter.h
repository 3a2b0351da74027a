#pragma once
// The URL extraction's filter: a text of "*" patterns joined by ";", matched
// without regard to single-byte case against whole URLs.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

// Which of `urls` the filter checks; nullopt when the filter text is empty
// (the checks then stay as they are).
std::optional<std::vector<bool>> ApplyExtractFilter(std::string_view filterText,
                                                    const std::vector<std::string>& urls);

}  // namespace fern
