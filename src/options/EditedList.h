#pragma once
// A list edited on an options page while the program may add to it (the
// register commands append to the close lists and the start-up list while
// the dialog is open): what was appended since the page loaded the list is
// kept after the page's edit.
#include <string>
#include <vector>

namespace fern {

// `edited` followed by the entries `now` has after `loaded`, when `now`
// still starts with `loaded`; otherwise (the list changed in another way)
// `edited` alone.
std::vector<std::string> WithEntriesAppendedSince(std::vector<std::string> edited,
                                                  const std::vector<std::string>& loaded,
                                                  const std::vector<std::string>& now);

}  // namespace fern
