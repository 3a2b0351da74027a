#pragma once
// Which background tabs give their page up to save memory: those not
// selected for a while, and, while the browser uses more memory than its
// budget, the least recently selected first. Never the selected tab, one
// selected in the last minute, a locked, loading or auto-refreshing one.
#include <cstdint>
#include <vector>

namespace fern {

struct TabSleepRules {
    int minutes = 30;               // unselected this long: asleep; 0 = never by time
    std::uint64_t budgetBytes = 0;  // over it, the least recently used go; 0 = none
};

struct SleepCandidate {
    bool awake = false;  // has a page that can be given up
    bool selected = false;
    bool keep = false;         // locked, loading or refreshing by itself
    std::uint64_t idleMs = 0;  // since it was last selected (or opened)
};

// The budget of a `TabSleepMemoryMB` value: its megabytes, or for 0 a
// quarter of the machine's `physicalBytes` (at least 512 MiB).
std::uint64_t TabSleepBudgetBytes(int megabytes, std::uint64_t physicalBytes);

// A tab selected this recently keeps its page whatever the memory.
inline constexpr std::uint64_t kSleepGraceMs = 60'000;

// Indexes into `tabs` of those to put to sleep now: the ones idle past the
// rules' time, then, when `memoryBytes` is over the budget, the longest idle
// of the others, as many as the excess needs at an awake tab's share of the
// memory. Each index once.
std::vector<std::size_t> ChooseTabsToSleep(const std::vector<SleepCandidate>& tabs,
                                           const TabSleepRules& rules, std::uint64_t memoryBytes);

}  // namespace fern
