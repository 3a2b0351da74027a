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
    std::uint64_t awake = 0;
    const std::uint64_t timeLimit =
        rules.minutes > 0 ? static_cast<std::uint64_t>(rules.minutes) * 60'000 : 0;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const SleepCandidate& tab = tabs[i];
        awake += tab.awake;
        if (!tab.awake || tab.selected || tab.keep || tab.idleMs < kSleepGraceMs) continue;
        if (timeLimit && tab.idleMs >= timeLimit) chosen.push_back(i);
        else others.push_back(i);
    }
    if (rules.budgetBytes && memoryBytes > rules.budgetBytes && !others.empty()) {
        // As many of the longest idle as the excess needs, each counted at
        // the share of an awake tab: many tabs of many sites outgrow one a
        // round. The share includes the browser's own processes, so this
        // errs low; the memory is measured again before the next round.
        const std::uint64_t share = memoryBytes / std::max<std::uint64_t>(awake, 1);
        const std::uint64_t excess = memoryBytes - rules.budgetBytes;
        const std::size_t needed =
            static_cast<std::size_t>(std::min<std::uint64_t>((excess + share - 1) / share, others.size()));
        std::stable_sort(others.begin(), others.end(),
                         [&tabs](std::size_t a, std::size_t b) { return tabs[a].idleMs > tabs[b].idleMs; });
        chosen.insert(chosen.end(), others.begin(), others.begin() + static_cast<std::ptrdiff_t>(needed));
    }
    return chosen;
}

}  // namespace fern
