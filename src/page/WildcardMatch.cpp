#include "page/WildcardMatch.h"

namespace fern {

bool WildcardMatch(std::string_view pattern, std::string_view text) {
    std::size_t p = 0, t = 0;
    // Where to resume after the last "*": the pattern position after it and
    // the text position it currently swallows up to.
    std::size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starT = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            // Let the last "*" take one more byte and retry from there.
            p = starP;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace fern
