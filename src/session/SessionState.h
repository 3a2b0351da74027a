#pragma once
// What a session holds: the open tabs in tab order, as the session files keep
// them, and the tabs of an earlier session that still wait for the user's
// answer on the restore page.
#include <cstdint>
#include <string>
#include <vector>

#include "lists/UrlItem.h"

namespace fern {

struct SessionHistoryEntry {
    std::string url;    // Shift-JIS, as the tab has it
    std::string title;  // Shift-JIS
    bool operator==(const SessionHistoryEntry&) const = default;
};

struct SessionTab {
    std::string url;
    std::string title;
    std::uint32_t dlc = kDefaultItemStyle;     // download-control flags
    bool locked = false;                       // navigate lock
    bool loading = false;                      // its page was loading
    std::vector<SessionHistoryEntry> back;     // nearest first
    std::vector<SessionHistoryEntry> forward;  // nearest first
    bool operator==(const SessionTab&) const = default;
};

struct SessionState {
    std::vector<SessionTab> tabs;
    int selected = -1;  // index into tabs, -1 none
    // Tabs of the session before, listed on a restore page not yet answered.
    std::vector<SessionTab> pending;
    bool closed = false;  // written by a clean exit
    bool operator==(const SessionState&) const = default;
};

}  // namespace fern
