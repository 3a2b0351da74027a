#pragma once
// The file-name form of a bookmark name, for Favorites exports.
#include <cstddef>
#include <string>
#include <string_view>

namespace fern {

// The characters that file names cannot hold (\ / : , ; * ? " < > | .) in
// their full-width forms, cut to `maxBytes` without splitting a double-byte
// character; "newfile" when nothing is left.
std::string MakeFileName(std::string_view text, std::size_t maxBytes);

}  // namespace fern
