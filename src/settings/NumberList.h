#pragma once
// The comma-separated number lists of the bar records (TBBtnCount,
// TBBtnStyle, RBBandStyle): each field on its own, so one field of garbage
// costs that field and not the whole record.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

// The fields between commas; a field that is not one whole number (blanks
// around it allowed, an optional sign) is nullopt. Values beyond 32 bits
// saturate. An empty text has no fields.
std::vector<std::optional<int>> SplitNumberList(std::string_view text);
// The numbers joined with ",".
std::string JoinNumberList(const std::vector<int>& numbers);

}  // namespace fern
