#pragma once
// Between the frame's tabs and a session: what is saved of each tab, and the
// tabs of a session opened again.
#include <cstddef>
#include <string_view>
#include <vector>

#include "session/SessionState.h"

namespace fern {

class CMainFrame;

// The frame's tabs in tab order, with the selected one. Tabs whose address
// starts with `ownPrefix` (the program's own pages) are left out.
SessionState SessionOfFrame(const CMainFrame& frame, std::string_view ownPrefix);

// Opens `tabs` (indexes into `all`) as new tabs in that order, each with its
// download-control flags and lock; their pages come a few at a time. Tab
// `select` (an index into `all`) is selected when it is among them. Tabs
// without an address are skipped. Returns how many tabs were opened.
std::size_t OpenSessionTabs(CMainFrame& frame, const std::vector<SessionTab>& all,
                            const std::vector<std::size_t>& tabs, int select);

}  // namespace fern
