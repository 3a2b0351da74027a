#include "frame/ListFileGuard.h"

#include <sys/stat.h>

#include "platform/fs/FileIo.h"

namespace fern {

bool ExistsButUnread(std::string_view path, const ListFileStatus& status) {
    if (status.ok) return false;
    struct stat info {};
    return ::stat(std::string(path).c_str(), &info) == 0;
}

ListFileStatus KeptUnreadStatus() {
    ListFileStatus status;
    status.ok = false;
    status.error = "not written: the file could not be read at start, so its contents are kept";
    return status;
}

}  // namespace fern
