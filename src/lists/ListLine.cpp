#include "lists/ListLine.h"

#include <cstring>

namespace fern {

bool ListLineReader::Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const char* begin = rest_.data();
    const void* lf = std::memchr(begin, '\n', rest_.size());
    std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : rest_.size();
    rest_.remove_prefix(lf ? length + 1 : length);
    if (length > 0 && begin[length - 1] == '\r') --length;
    if (const void* nul = std::memchr(begin, '\0', length))
        length = static_cast<std::size_t>(static_cast<const char*>(nul) - begin);
    line = std::string_view(begin, length);
    return true;
}

ListLineKind ClassifyListLine(std::string_view line) {
    if (line.empty()) return ListLineKind::Blank;
    switch (line[0]) {
        case '\t': return ListLineKind::Field;
        case '#': return ListLineKind::Head;
        case '-': return ListLineKind::Close;
        default: return ListLineKind::Other;
    }
}

std::string_view ListFieldValue(std::string_view line) {
    std::size_t position;
    switch (ListLineKey(line)) {
        case 'N': position = 6; break;
        case 'U': position = 5; break;
        case 'D': position = 6; break;
        case 'S': position = 7; break;
        case 'E': position = 9; break;
        case 'C': position = 9; break;
        default: return {};
    }
    return line.size() > position ? line.substr(position) : std::string_view();
}

std::uint32_t ParseListNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    return negative ? 0u - value : value;
}

}  // namespace fern
