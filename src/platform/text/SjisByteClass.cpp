#include "platform/text/SjisByteClass.h"

#include <string>

namespace fern {

namespace {

// Calls f(position, width) for each character of the text.
template <typename F>
void ForEachChar(std::string_view text, F&& f) {
    std::size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        std::size_t width = 1;
        if (IsSjisLeadByte(c) && i + 1 < text.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(text[i + 1])))
            width = 2;
        if (!f(i, width)) return;
        i += width;
    }
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

SjisByteClass SjisByteClassAt(std::string_view text, std::size_t index) {
    SjisByteClass result = SjisByteClass::Single;
    ForEachChar(text, [&](std::size_t pos, std::size_t width) {
        if (index < pos + width) {
            if (width == 2) result = (index == pos) ? SjisByteClass::Lead : SjisByteClass::Trail;
            return false;
        }
        return true;
    });
    return result;
}

std::size_t SjisSafeCut(std::string_view text, std::size_t length) {
    if (length >= text.size()) return text.size();
    return SjisByteClassAt(text, length) == SjisByteClass::Trail ? length - 1 : length;
}

std::size_t SjisFind(std::string_view text, char c, std::size_t from) {
    std::size_t found = std::string_view::npos;
    ForEachChar(text, [&](std::size_t pos, std::size_t width) {
        if (width == 1 && pos >= from && text[pos] == c) {
            found = pos;
            return false;
        }
        return true;
    });
    return found;
}

bool SjisContains(std::string_view text, std::string_view part) {
    if (part.empty()) return true;
    bool found = false;
    ForEachChar(text, [&](std::size_t pos, std::size_t) {
        if (text.size() - pos < part.size()) return false;
        found = text.compare(pos, part.size(), part) == 0;
        return !found;
    });
    return found;
}

std::size_t SjisFindLast(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    ForEachChar(text, [&](std::size_t pos, std::size_t width) {
        if (width == 1 && text[pos] == c) found = pos;
        return true;
    });
    return found;
}

std::string SjisToLower(std::string_view text) {
    std::string out(text);
    ForEachChar(text, [&](std::size_t pos, std::size_t width) {
        if (width == 1) out[pos] = FoldAscii(out[pos]);
        return true;
    });
    return out;
}

int SjisCompareNoCase(std::string_view a, std::string_view b) {
    std::string la = SjisToLower(a), lb = SjisToLower(b);
    int r = la.compare(lb);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace fern
