#pragma once
// Cutting Shift-JIS text for menus, tool tips and labels without splitting a
// double-byte character.
#include <cstddef>
#include <string>
#include <string_view>

namespace fern {

// Text longer than n bytes is cut to n bytes and "..." appended; when byte n
// is the second byte of a double-byte character the cut is at n-1 and "...."
// is appended, so the result keeps the same width.
std::string ShortenText(std::string_view text, std::size_t n);

// Fits a path or address into n-1 bytes as head + "..." + separator + last
// component; texts of fewer than n bytes are kept.
std::string CompactPath(std::string_view text, std::size_t n);

}  // namespace fern
