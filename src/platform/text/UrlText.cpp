#include "platform/text/UrlText.h"

#include <cstdio>

#include "platform/text/Encoding.h"

namespace fern {

namespace {

// Length of the UTF-8 sequence at `p`, 0 when it is not a valid one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    auto c = static_cast<unsigned char>(text[at]);
    std::size_t width = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (c >= 0xF5) width = 0;
    if (width == 0 || at + width > text.size()) return 0;
    for (std::size_t i = 1; i < width; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
    return width;
}

void AppendEscaped(std::string& out, std::string_view bytes) {
    for (char byte : bytes) {
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(byte));
        out += escape;
    }
}

}  // namespace

std::string UrlFromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        std::size_t width = Utf8SequenceLength(utf8, i);
        if (width == 0) {
            AppendEscaped(out, utf8.substr(i, 1));
            ++i;
            continue;
        }
        std::string_view character = utf8.substr(i, width);
        std::string sjis = FromUtf8(character);
        // Kept only when it comes back as the same character: several code
        // points share one code page 932 character.
        if (sjis != "?" && ToUtf8(sjis) == character) out += sjis;
        else AppendEscaped(out, character);
        i += width;
    }
    return out;
}

}  // namespace fern
