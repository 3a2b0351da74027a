#include "lists/ListTextWriter.h"

#include <charconv>

namespace fern {

namespace {

// The first CR, LF or NUL at or after `from`; a plain loop, as this runs
// over every byte of every value written.
std::size_t FindUnstorable(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n' || c == '\0') return i;
    }
    return std::string_view::npos;
}

}  // namespace

ListTextWriter::ListTextWriter() { Text(kListFileHeader); }

void ListTextWriter::Text(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        bytes_.append(text.substr(start, lf - start));
        bytes_.append("\r\n");
        start = lf + 1;
    }
    bytes_.append(text.substr(start));
}

void ListTextWriter::Field(std::string_view key, std::string_view value) {
    bytes_.append(key);
    Value(value, false);
    bytes_.append("\r\n");
}

void ListTextWriter::MemoField(std::string_view key, std::string_view memo) {
    bytes_.append(key);
    Value(memo, true);
    bytes_.append("\r\n");
}

void ListTextWriter::NumberField(std::string_view key, std::uint32_t value) {
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    bytes_.append(key);
    bytes_.append(digits, end);
    bytes_.append("\r\n");
}

void ListTextWriter::Value(std::string_view value, bool memo) {
    // CR, LF and NUL are below 0x40, so they are never the trail byte of a
    // double-byte character and can be replaced byte by byte.
    std::size_t start = 0;
    for (std::size_t bad = FindUnstorable(value, 0); bad != std::string_view::npos;
         bad = FindUnstorable(value, start)) {
        bytes_.append(value.substr(start, bad - start));
        start = bad + 1;
        if (memo && value[bad] != '\0') {
            bytes_.append("\x02\x02");
            if (value[bad] == '\r' && start < value.size() && value[start] == '\n') ++start;
        } else {
            bytes_.push_back(' ');
        }
    }
    bytes_.append(value.substr(start));
}

bool HoldsLineBreakOrNul(std::string_view text) { return FindUnstorable(text, 0) != std::string_view::npos; }

}  // namespace fern
