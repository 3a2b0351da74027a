#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/fs/FileIo.h"

namespace fernctl {

std::optional<std::string> ReadInputFile(const std::string& path, std::size_t limit, bool whole,
                                         std::string& error) {
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file";
        close(fd);
        return std::nullopt;
    }
    std::string bytes;
    // One byte past the limit tells a file that is too long.
    std::size_t want = whole ? limit + 1 : limit;
    char chunk[65536];
    while (bytes.size() < want) {
        std::size_t ask = want - bytes.size() < sizeof chunk ? want - bytes.size() : sizeof chunk;
        ssize_t n = read(fd, chunk, ask);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = std::strerror(errno);
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    close(fd);
    if (whole && bytes.size() > limit) {
        error = "larger than " + std::to_string(limit / (1024 * 1024)) + " MiB";
        return std::nullopt;
    }
    return bytes;
}

}  // namespace fernctl
