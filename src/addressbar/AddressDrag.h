#pragma once
// Dragging the address out of the bar: the Internet shortcut file offered
// with it lives in the temporary folder, and the bar's end removes what the
// drags left there.
#include <string>
#include <string_view>

namespace fern {

// The shortcut file's name: the page title with every "%20" a blank (the
// address when there is no title), the characters a file name cannot hold
// replaced, at most 100 bytes, then ".url".
std::string AddressShortcutFileName(std::string_view title, std::string_view url);

// Deletes every ".url" file in `folder` and its subfolders and removes the
// folders this leaves empty (the folder itself too). Symbolic links are not
// followed. Returns the number of files deleted.
int CleanTempShortcuts(const std::string& folder);

}  // namespace fern
