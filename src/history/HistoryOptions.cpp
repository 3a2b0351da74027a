#include "history/HistoryOptions.h"

#include <algorithm>

namespace fern {

namespace {

constexpr char kSection[] = "History";

}  // namespace

HistoryOptions LoadHistoryOptions(const Profile& profile) {
    HistoryOptions options;
    options.keepPageTexts = profile.ReadInt(kSection, "HistoryPageTexts", 1) != 0;
    long long pageKb = std::clamp(profile.ReadInt(kSection, "HistoryPageLimit", 2048), 1, 64 << 10);
    long long totalMb = std::clamp(profile.ReadInt(kSection, "HistoryCacheLimit", 256), 1, 64 << 10);
    options.totalBytes = static_cast<std::uint64_t>(totalMb) << 20;
    options.pageBytes = static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(pageKb) << 10,
                                                                         options.totalBytes));
    return options;
}

}  // namespace fern
