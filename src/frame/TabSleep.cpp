#include "frame/TabSleep.h"

#include <algorithm>

namespace fern {

std::uint64_t TabSleepBudgetBytes(int megabytes, std::uint64_t physicalBytes) {
    constexpr std::uint64_t kMiB = 1024 * 1024;
    if (megabytes > 0) return static_cast<std::uint64_t>(megabytes) * kMiB;
    return std::max<std::uint64_t>(physicalBytes / 4, 512 * kMiB);
}

std::vector<std::size_t> ChooseTabsToSleep(const std::vector<SleepCandidate>& tabs,
                                           const TabSleepRules& rules, std::uint64_t memoryBytes) {
    std::vector<std::size_t> chosen, others;
    const std::uint64_t timeLimit =
        rules.minutes > 0 ? static_cast<std::uint64_t>(rules.minutes) * 60'000 : 0;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const SleepCandidate& tab = tabs[i];
        if (!tab.awake || tab.selected || tab.keep || tab.idleMs < kSleepGraceMs) continue;
        if (timeLimit && tab.idleMs >= timeLimit) chosen.push_back(i);
        else others.push_back(i);
    }
    if (rules.budgetBytes && memoryBytes > rules.budgetBytes && !others.empty()) {
        // One a round: the memory is measured again before the next goes.
        auto longest = std::max_element(others.begin(), others.end(), [&tabs](std::size_t a, std::size_t b) {
            return tabs[a].idleMs < tabs[b].idleMs;
        });
        chosen.push_back(*longest);
    }
    return chosen;
}

}  // namespace fern
