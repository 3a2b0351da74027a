#include "options/EditedList.h"

#include <algorithm>

namespace fern {

std::vector<std::string> WithEntriesAppendedSince(std::vector<std::string> edited,
                                                  const std::vector<std::string>& loaded,
                                                  const std::vector<std::string>& now) {
    if (now.size() <= loaded.size() || !std::equal(loaded.begin(), loaded.end(), now.begin())) return edited;
    edited.insert(edited.end(), now.begin() + static_cast<std::ptrdiff_t>(loaded.size()), now.end());
    return edited;
}

}  // namespace fern
