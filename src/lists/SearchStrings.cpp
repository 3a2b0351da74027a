#include "lists/SearchStrings.h"

#include <algorithm>

namespace fern {

void SearchStrings::Push(const std::string& text) {
    if (text.empty()) return;
    entries.erase(std::remove(entries.begin(), entries.end(), text), entries.end());
    entries.insert(entries.begin(), text);
    if (entries.size() > kSearchStringLimit) entries.resize(kSearchStringLimit);
}

SectionReader SearchStringsReader(SearchStrings& strings) {
    return [&strings](ListLineReader& lines) {
        strings.entries.clear();
        return ReadSectionEntries(lines, strings.entries, kSearchStringLimit);
    };
}

SectionWriter SearchStringsWriter(const SearchStrings& strings) {
    return [&strings](ListTextWriter& out) {
        std::size_t count = strings.keep ? std::min(strings.entries.size(), kSearchStringLimit) : 0;
        WriteSectionEntries(
            out, strings.name,
            std::vector<std::string>(strings.entries.begin(),
                                     strings.entries.begin() + static_cast<std::ptrdiff_t>(count)));
    };
}

}  // namespace fern
