#pragma once
// How the browser's topics read the item text of a request.
#include <string>

namespace fern {

// The item without its double quotes, cut before the first comma:
// "\"http://a/\",\"\",0xFFFFFFFF,0x3" -> "http://a/".
std::string DdeFirstArgument(const std::string& item);

// True for the id of the active tab, "0xFFFFFFFF" in any letter case.
bool IsActiveWindowId(const std::string& id);

// The tab a window id names: the id is read like atol, N is position N - 1,
// and the active-tab id or a 0 give `active`. -1 when the id names no tab.
int DdeWindowIdToTab(const std::string& id, int tabCount, int active);

}  // namespace fern
