#include "platform/fs/FileIo.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fern {

std::optional<std::string> ReadWholeFile(std::string_view path, std::string* error) {
    std::string fsPath(path);
    // Opened without waiting, so a pipe with no writer cannot hold us up;
    // then only a regular file is read.
    int fd = open(fsPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error) *error = std::strerror(errno);
        return std::nullopt;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (error) *error = S_ISDIR(st.st_mode) ? "is a folder" : "not a regular file";
        close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    while (true) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            if (error) *error = std::strerror(errno);
            close(fd);
            return std::nullopt;
        }
    }
    close(fd);
    return bytes;
}

bool WriteFileAtomic(std::string_view path, std::string_view bytes, std::string* error) {
    std::string fsPath(path);
    // Write through a link to the file it names, so the link stays a link.
    if (g_file_test(fsPath.c_str(), G_FILE_TEST_IS_SYMLINK)) {
        char resolved[PATH_MAX];
        if (realpath(fsPath.c_str(), resolved)) fsPath = resolved;
    }
    // The new file keeps the permissions of the one it replaces.
    int mode = 0666;
    struct stat st {};
    if (stat(fsPath.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
    GError* err = nullptr;
    gboolean ok = g_file_set_contents_full(fsPath.c_str(), bytes.data(), static_cast<gssize>(bytes.size()),
                                           G_FILE_SET_CONTENTS_CONSISTENT, mode, &err);
    if (!ok) {
        if (error) *error = err ? err->message : "cannot write";
        if (err) g_error_free(err);
        return false;
    }
    return true;
}

bool IsRegularFile(std::string_view path) {
    return g_file_test(std::string(path).c_str(), G_FILE_TEST_IS_REGULAR);
}

bool IsDirectory(std::string_view path) { return g_file_test(std::string(path).c_str(), G_FILE_TEST_IS_DIR); }

void LogWriteFailure(std::string_view path, std::string_view reason) {
    // The path as the file system has it.
    std::string file(path);
    std::fprintf(stderr, "fern: could not save %s: %.*s\n", file.c_str(), static_cast<int>(reason.size()),
                 reason.data());
}

}  // namespace fern
