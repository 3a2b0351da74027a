#include "tools/dde/DdeItemArguments.h"

#include <cstdint>

#include "lists/ListLine.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

std::string DdeFirstArgument(const std::string& item) {
    // '"' is below every trail byte, so it can be dropped byte by byte.
    std::string text;
    for (char c : item)
        if (c != '"') text.push_back(c);
    std::size_t comma = SjisFind(text, ',');
    return comma == std::string::npos ? text : text.substr(0, comma);
}

bool IsActiveWindowId(const std::string& id) { return SjisToLower(id) == "0xffffffff"; }

int DdeWindowIdToTab(const std::string& id, int tabCount, int active) {
    std::int64_t number = 0;
    if (!IsActiveWindowId(id)) number = static_cast<std::int32_t>(ParseListNumber(id));
    if (number == 0) return active >= 0 && active < tabCount ? active : -1;
    return number >= 1 && number <= tabCount ? static_cast<int>(number - 1) : -1;
}

}  // namespace fern
