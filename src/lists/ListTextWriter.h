#pragma once
// Builds the bytes of a list file (.fbl). Lines end in CR LF. A value is
// written as it stands, except for the bytes the format cannot hold in a
// value: a line break in a memo becomes 0x02 0x02 (as the editor stores it),
// and CR, LF or NUL anywhere else becomes a blank, so no value can end its
// line early or start a record of its own.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fern {

// "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n", 36 bytes before the line ends
// become CR LF.
inline constexpr std::string_view kListFileHeader = "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n";

class ListTextWriter {
public:
    ListTextWriter();  // starts with the header record

    // `text` with each LF written as CR LF; for the fixed parts of records.
    void Text(std::string_view text);
    // key + value + line end, e.g. Field("\tNAME=", name).
    void Field(std::string_view key, std::string_view value);
    // key + memo + line end, line breaks turned into 0x02 0x02.
    void MemoField(std::string_view key, std::string_view memo);
    // key + number as "%lu" prints it + line end.
    void NumberField(std::string_view key, std::uint32_t value);

    // Room for about `bytes` in all, to spare large lists repeated growing.
    void Reserve(std::size_t bytes) { bytes_.reserve(bytes); }
    std::string Take() { return std::move(bytes_); }

private:
    void Value(std::string_view value, bool memo);
    std::string bytes_;
};

// True when `text` holds a byte that a value line cannot store as it is
// (CR, LF or NUL); the writer would change it.
bool HoldsLineBreakOrNul(std::string_view text);

}  // namespace fern
