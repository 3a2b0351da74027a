#pragma once
// Shift-JIS (code page 932) byte classes. Trail bytes overlap ASCII ("\", "@",
// letters), so every cut, split or search on stored text must ask these first.
#include <cstddef>
#include <string>
#include <string_view>

namespace fern {

enum class SjisByteClass { Single, Lead, Trail };

inline bool IsSjisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

inline bool IsSjisTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Class of the byte at `index`, found by walking from the start of the text:
// a lead byte followed by a valid trail byte forms a pair; a lead byte
// without one counts as a single byte. An index past the end is Single.
SjisByteClass SjisByteClassAt(std::string_view text, std::size_t index);

// The largest length <= `length` that does not end between the two bytes of
// a double-byte character.
std::size_t SjisSafeCut(std::string_view text, std::size_t length);

// Position of the first single-byte `c` at or after `from`, skipping trail
// bytes; npos when none.
std::size_t SjisFind(std::string_view text, char c, std::size_t from = 0);

// Position of the last single-byte `c`; npos when none.
std::size_t SjisFindLast(std::string_view text, char c);

// True when `part` occurs in `text` starting on a character boundary (an
// empty part is in every text).
bool SjisContains(std::string_view text, std::string_view part);

// ASCII lower-casing that leaves double-byte characters alone.
std::string SjisToLower(std::string_view text);

// Case-insensitive compare folding single-byte letters only; <0, 0, >0.
int SjisCompareNoCase(std::string_view a, std::string_view b);

}  // namespace fern
