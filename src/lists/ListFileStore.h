#pragma once
// How list files meet the disk, in one place: a file that cannot be opened is
// not an error for a reader (its list stays as it is), and a writer replaces
// the whole file atomically, so a failed or interrupted save leaves the old
// file whole. Failures come back as values; callers report a failed save.
#include <optional>
#include <string>
#include <string_view>

namespace fern {

struct ListFileStatus {
    bool ok = true;
    std::string error;  // why not, when !ok
    explicit operator bool() const { return ok; }
};

// The bytes of a list file, or nullopt (with the reason in `status`) when it
// cannot be opened: missing, a folder, not a regular file, no permission.
std::optional<std::string> LoadListFile(std::string_view path, ListFileStatus& status);

// Replaces the file with `bytes`.
[[nodiscard]] ListFileStatus SaveListFile(std::string_view path, std::string_view bytes);

}  // namespace fern
