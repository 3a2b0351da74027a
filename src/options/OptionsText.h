#pragma once
// What the options pages accept as text. The list files and fern.ini hold
// one value per line, so a pasted line break would cut an entry short or
// leave half of it behind; the pages clean such input and say so.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

// The longest entry of a filter or start-up list: the longest address the
// address bar keeps.
inline constexpr std::size_t kMaxListEntryBytes = 2084;

// `text` without control characters (line breaks, tabs, ...). Shift-JIS trail
// bytes are never below 0x40, so no character is split.
std::string WithoutControls(std::string_view text);

// The text typed or pasted into a list field, as entries: one per line
// (empty lines skipped), control characters dropped, entries over
// kMaxListEntryBytes refused.
struct ListInput {
    std::vector<std::string> entries;
    bool split = false;    // it held line breaks: several entries
    bool cleaned = false;  // other control characters were dropped
    int refused = 0;       // entries that were too long
};
ListInput ParseListInput(std::string_view text);

// What to tell the user about that input; empty when it was taken as typed.
std::string ListInputMessage(const ListInput& input);

// The user agent as it is stored: no control characters, at most 255 bytes,
// no character cut in two.
std::string CleanUserAgent(std::string_view text);

}  // namespace fern
