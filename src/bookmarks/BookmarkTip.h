#pragma once
// The tool-tip text of a bookmark node.
#include <string>
#include <string_view>

#include "lists/BookmarkNode.h"

namespace fern {

// Lines joined with "\n", as `infotipStyle` (BKBarInfotipStyle) selects:
// name and url (compacted to 120 bytes, shown only when it differs from the
// name) and the download-control line of a URL, then the memo and the
// creation date (through `dateFormat`) of any node but a separator.
std::string TipText(const BookmarkNode& node, int infotipStyle, std::string_view dateFormat);

// The seven labelled download-control flags of `style`, e.g.
// "Img O Vid O Snd O Scr O Jav O Rax O Dax O " for 112.
std::string DownloadControlTipLine(std::uint32_t style);

// The memo as a tip shows it: each 0x02 0x02 a line break and a TAB, a
// break at the end dropped.
std::string MemoTipText(std::string_view memo);

}  // namespace fern
