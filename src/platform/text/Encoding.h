#pragma once
// Conversions between the program's Shift-JIS text and the UTF-8 / UTF-16 of
// the libraries around it. Characters that code page 932 cannot hold, and
// bytes that are not valid in the source encoding, become "?".
#include <optional>
#include <string>
#include <string_view>

namespace fern {

std::string ToUtf8(std::string_view sjis);
std::string FromUtf8(std::string_view utf8);
// The same without any "?": nullopt when the text is not valid UTF-8 or
// holds a character that code page 932 cannot hold. For text that is stored
// and must come back as it was given.
std::optional<std::string> FromUtf8Exact(std::string_view utf8);
std::u16string ToUtf16(std::string_view sjis);
std::string FromUtf16(std::u16string_view utf16);

// General conversion between two iconv encodings; invalid or unmappable input
// units become "?" in the output encoding. Returns false when iconv does not
// know one of the encodings.
bool ConvertEncoding(std::string_view input, const char* from, const char* to, std::string& output);

}  // namespace fern
