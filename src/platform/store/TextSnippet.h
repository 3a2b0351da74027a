#pragma once
// A few words of a page around a hit, for a result list: markup taken out,
// blanks run together, no double-byte character cut in two.
#include <cstddef>
#include <string>
#include <string_view>

namespace fern {

struct TextSnippet {
    std::string before, match, after;
};

// `text` is Shift-JIS (a page's source); the hit is [pos, pos + length).
// About `context` bytes of plain text on each side.
TextSnippet MakeSnippet(std::string_view text, std::size_t pos, std::size_t length, std::size_t context);

// Tags (and a tag cut off at either end) removed, blanks run together into
// one space.
std::string PlainTextOf(std::string_view markup);

}  // namespace fern
