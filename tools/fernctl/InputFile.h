#pragma once
// Files named on fernctl's command line are read only when they are regular
// files: a FIFO would wait for a writer and a device may never end.
#include <cstddef>
#include <optional>
#include <string>

namespace fernctl {

// At most `limit` bytes from the start of the regular file at `path`
// (Shift-JIS). With `whole`, a longer file is refused instead of cut.
// nullopt with the reason in `error`.
std::optional<std::string> ReadInputFile(const std::string& path, std::size_t limit, bool whole,
                                         std::string& error);

}  // namespace fernctl
