#pragma once
// How much memory the browser uses: its own process and every process it
// started (page, network and sandbox helpers), as proportional set size, so
// shared pages count once.
#include <cstdint>
#include <string_view>

namespace fern {

// The machine's physical memory in bytes (0 when unknown).
std::uint64_t PhysicalMemoryBytes();
// This process and its descendants, in bytes; 0 when /proc cannot be read.
std::uint64_t ProcessTreeMemoryBytes();

// The "Pss:" line of a smaps_rollup text, in bytes; 0 when there is none.
std::uint64_t PssBytesOf(std::string_view smapsRollup);
// The parent process id in a /proc/N/stat text; -1 when it is not one.
long ParentPidOf(std::string_view stat);

}  // namespace fern
