#pragma once
// File access for the program's own files. Paths are Shift-JIS like every
// other string and are converted to the file system's UTF-8 here, at the edge.
#include <optional>
#include <string>
#include <string_view>

namespace fern {

std::string ToFsPath(std::string_view path);

// The whole file, or nullopt when it cannot be opened or read (a folder, a
// missing file, no permission). `error` gets the reason.
std::optional<std::string> ReadWholeFile(std::string_view path, std::string* error = nullptr);

// Replaces the file with `bytes` through a temporary file in the same folder
// (flushed, then renamed), so a failed or interrupted write leaves the old
// file whole. Returns false with the reason in `error`.
bool WriteFileAtomic(std::string_view path, std::string_view bytes, std::string* error = nullptr);

bool IsRegularFile(std::string_view path);
bool IsDirectory(std::string_view path);

// One line on standard error for a save that did not happen, so a lost save is
// never silent.
void LogWriteFailure(std::string_view path, std::string_view reason);

}  // namespace fern
