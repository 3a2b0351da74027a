#include "tools/extract/ExtractFilter.h"

#include "filters/WildcardPattern.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

std::optional<std::vector<bool>> ApplyExtractFilter(std::string_view filterText,
                                                    const std::vector<std::string>& urls) {
    if (filterText.empty()) return std::nullopt;
    std::string lowered = SjisToLower(filterText);
    std::vector<WildcardPattern> patterns;
    std::string_view rest = lowered;
    // ";" is below the trail-byte range: a plain split cuts no character.
    while (true) {
        std::size_t semicolon = rest.find(';');
        std::string_view piece = rest.substr(0, semicolon);
        if (!piece.empty()) patterns.emplace_back(std::string(piece));
        if (semicolon == std::string_view::npos) break;
        rest.remove_prefix(semicolon + 1);
    }
    std::vector<bool> checks(urls.size(), false);
    for (std::size_t i = 0; i < urls.size(); ++i) {
        std::string url = SjisToLower(urls[i]);
        for (const WildcardPattern& pattern : patterns) {
            if (pattern.Matches(url)) {
                checks[i] = true;
                break;
            }
        }
    }
    return checks;
}

}  // namespace fern
