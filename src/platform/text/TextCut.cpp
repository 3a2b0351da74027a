#include "platform/text/TextCut.h"

#include "platform/text/SjisByteClass.h"

namespace fern {

std::string ShortenText(std::string_view text, std::size_t n) {
    if (text.size() <= n) return std::string(text);
    if (n > 0 && SjisByteClassAt(text, n) == SjisByteClass::Trail)
        return std::string(text.substr(0, n - 1)) + "....";
    return std::string(text.substr(0, n)) + "...";
}

std::string CompactPath(std::string_view text, std::size_t n) {
    if (text.size() < n) return std::string(text);

    std::size_t slash = SjisFindLast(text, '/');
    std::size_t backslash = SjisFindLast(text, '\\');
    std::size_t colon = SjisFindLast(text, ':');
    std::size_t npos = std::string_view::npos;

    char separator = '\\';
    if (slash != npos && (backslash == npos || slash > backslash)) separator = '/';

    if (n < 7) {
        std::string dots;
        for (std::size_t i = 0; i + 1 < n; ++i) dots += (i == 3) ? separator : '.';
        return dots;
    }

    auto headOnly = [&] {
        std::size_t cut = SjisSafeCut(text, n - 4);
        return std::string(text.substr(0, cut)) + "...";
    };

    std::size_t lastSplit = npos;
    for (std::size_t p : {slash, backslash, colon})
        if (p != npos && (lastSplit == npos || p > lastSplit)) lastSplit = p;
    if (lastSplit == npos) return headOnly();

    std::string_view last = text.substr(lastSplit + 1);
    // n-1 bytes in all: head, "...", the separator and the last component.
    if (last.size() + 4 > n - 1) return headOnly();
    std::size_t headLength = SjisSafeCut(text, n - 1 - 4 - last.size());
    std::string out(text.substr(0, headLength));
    out += "...";
    out += separator;
    out += last;
    return out;
}

}  // namespace fern
