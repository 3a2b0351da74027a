#pragma once
// The close-URL and close-title lists and their file, close.fbl: the header,
// the section "closeurl", then the section "closetitle".
#include <string>
#include <string_view>
#include <vector>

#include "lists/ListFileStore.h"

namespace fern {

struct CloseLists {
    std::vector<std::string> urls;
    std::vector<std::string> titles;
    // The file exists but could not be read: saving it would drop what it
    // holds, so saves are refused until a read succeeds.
    bool unreadable = false;
};

// Replaces both lists with the file's; a missing file leaves them empty.
ListFileStatus ReadCloseLists(std::string_view path, CloseLists& lists);
void ParseCloseLists(std::string_view bytes, CloseLists& lists);
std::string SerializeCloseLists(const CloseLists& lists);
[[nodiscard]] ListFileStatus WriteCloseLists(std::string_view path, const CloseLists& lists);

}  // namespace fern
