#pragma once
// File access for the program's own files. Paths are the file system's bytes
// (see FsPath.h), never Shift-JIS text.
#include <optional>
#include <string>
#include <string_view>

namespace fern {

// The whole of a regular file, or nullopt when it cannot be opened or read (a
// folder, a pipe, a device, a missing file, no permission). `error` gets the
// reason. Never waits for a writer: a pipe is refused, not read.
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
