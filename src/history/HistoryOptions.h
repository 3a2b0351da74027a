#pragma once
// What the history store keeps of the pages, from the History section of
// fern.ini: whether page texts are kept for the search in them, and how much
// (per page, and in all before the oldest go).
#include <cstddef>
#include <cstdint>

#include "settings/SideBarSettings.h"

namespace fern {

struct HistoryOptions {
    bool keepPageTexts = true;                // `HistoryPageTexts` 1
    std::size_t pageBytes = 2048u << 10;      // `HistoryPageLimit` in KB, 2048
    std::uint64_t totalBytes = 256ull << 20;  // `HistoryCacheLimit` in MB, 256
};

// Values outside sense are brought within it: 1 KB to 64 MB a page, 1 MB to
// 64 GB in all, and a page never more than the whole.
HistoryOptions HistoryOptionsOf(const HistorySettings& settings);

}  // namespace fern
