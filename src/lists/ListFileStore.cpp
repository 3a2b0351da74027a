#include "lists/ListFileStore.h"

#include "platform/fs/FileIo.h"

namespace fern {

std::optional<std::string> LoadListFile(std::string_view path, ListFileStatus& status) {
    status = ListFileStatus{};
    // Only regular files: a pipe or a device such as /dev/zero would never end.
    if (!IsRegularFile(path)) {
        status.ok = false;
        status.error = IsDirectory(path) ? "is a folder" : "no such file, or not a regular file";
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadWholeFile(path, &status.error);
    status.ok = bytes.has_value();
    return bytes;
}

ListFileStatus SaveListFile(std::string_view path, std::string_view bytes) {
    ListFileStatus status;
    status.ok = WriteFileAtomic(path, bytes, &status.error);
    return status;
}

}  // namespace fern
