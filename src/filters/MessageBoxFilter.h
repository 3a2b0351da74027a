#pragma once
// The message-box filter: page message boxes whose caption and text match an
// enabled KillMsgDlg item are not shown.
#include <string>
#include <string_view>
#include <vector>

#include "settings/BrowserSettings.h"

namespace fern {

// KMDItemText: texts separated by ",", each may be enclosed in '"' (then it
// may hold commas). A quote left open takes the rest of the text.
std::vector<std::string> SplitKillTexts(std::string_view text);

// True when the box is handled (not shown). Every enabled item is tried in
// order; an item matches when the caption holds its caption and a non-empty
// message holds each of its texts. `caption` is that of one of our page
// boxes (the legacy caption counts as its caption too).
bool MessageBoxHandled(const std::vector<KillMsgDlgItem>& items, std::string_view caption,
                       std::string_view message);

}  // namespace fern
