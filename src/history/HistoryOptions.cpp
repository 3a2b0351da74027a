#include "history/HistoryOptions.h"

#include <algorithm>

namespace fern {

HistoryOptions HistoryOptionsOf(const HistorySettings& settings) {
    HistoryOptions options;
    options.keepPageTexts = settings.pageTexts != 0;
    long long pageKb = std::clamp(settings.pageLimitKb, 1, 64 << 10);
    long long totalMb = std::clamp(settings.cacheLimitMb, 1, 64 << 10);
    options.totalBytes = static_cast<std::uint64_t>(totalMb) << 20;
    options.pageBytes = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(pageKb) << 10, options.totalBytes));
    return options;
}

}  // namespace fern
