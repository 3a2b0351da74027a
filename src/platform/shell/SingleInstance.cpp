#include "platform/shell/SingleInstance.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace fern {

std::optional<std::string> RuntimeFolder(std::string* error) {
    const char* base = g_getenv("XDG_RUNTIME_DIR");
    std::string folder =
        (base && *base) ? std::string(base) + "/fern" : "/tmp/fern-" + std::to_string(getuid());
    if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) {
        if (error) *error = folder + ": " + std::strerror(errno);
        return std::nullopt;
    }
    struct stat st {};
    // Another user's folder (or a link planted in /tmp) must not be used.
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid()) {
        if (error) *error = folder + ": not a folder of this user";
        return std::nullopt;
    }
    if ((st.st_mode & 0077) != 0) chmod(folder.c_str(), 0700);
    return folder;
}

CInstanceLock::~CInstanceLock() {
    if (m_fd >= 0) close(m_fd);
}

bool CInstanceLock::Acquire(const std::string& fsPath, std::string* error) {
    if (m_fd >= 0) return true;
    int fd = open(fsPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (error) *error = fsPath + ": " + std::strerror(errno);
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (error) *error = "another instance is running";
        close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool InstanceLockHeld(const std::string& fsPath) {
    int fd = open(fsPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    // A shared lock is refused only while someone holds the exclusive one.
    bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);  // also drops the shared lock, if it was granted
    return held;
}

}  // namespace fern
