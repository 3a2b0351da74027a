#include "downloads/DownloadFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "downloads/DownloadFileName.h"

namespace fern {

namespace {

// Enough numbered names for any folder a person keeps.
constexpr int kMaxAttempts = 1000;

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

std::size_t NameLimitOf(const std::string& folder) {
    long limit = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 && static_cast<std::size_t>(limit) < kFileNameLimit ? static_cast<std::size_t>(limit)
                                                                         : kFileNameLimit;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string ErrorText(int number) { return std::strerror(number); }

}  // namespace

std::string FolderOfPath(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOfPath(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> ClaimPartFile(const std::string& finalPath, const std::string& sideSuffix,
                                         std::string* error) {
    const std::string folder = FolderOfPath(finalPath);
    const std::string name = NameOfPath(finalPath);
    const std::size_t limit = NameLimitOf(folder);
    int lastError = EEXIST;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        std::string part = Join(folder, PartFileName(name, attempt, sideSuffix.size(), limit));
        if (!sideSuffix.empty() && Exists(part + sideSuffix)) continue;
        int fd = open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            close(fd);
            return part;
        }
        lastError = errno;
        if (lastError != EEXIST) break;
    }
    if (error) *error = ErrorText(lastError);
    return std::nullopt;
}

std::optional<std::string> PlaceFinishedFile(const std::string& partPath, const std::string& finalPath,
                                             bool replace, std::string* error) {
    if (replace) {
        if (rename(partPath.c_str(), finalPath.c_str()) == 0) return finalPath;
        if (error) *error = ErrorText(errno);
        return std::nullopt;
    }
    const std::string folder = FolderOfPath(finalPath);
    const std::string name = NameOfPath(finalPath);
    const std::size_t limit = NameLimitOf(folder);
    for (int number = 1; number <= kMaxAttempts; ++number) {
        std::string target = number == 1 ? finalPath : Join(folder, NumberedFileName(name, number, limit));
        // A hard link never replaces a file that appeared meanwhile.
        if (link(partPath.c_str(), target.c_str()) == 0) {
            unlink(partPath.c_str());
            return target;
        }
        int linkError = errno;
        if (linkError == EEXIST) continue;
        // File systems without hard links: a rename over nothing.
        if (Exists(target)) continue;
        if (rename(partPath.c_str(), target.c_str()) == 0) return target;
        if (error) *error = ErrorText(errno);
        return std::nullopt;
    }
    if (error) *error = ErrorText(EEXIST);
    return std::nullopt;
}

std::optional<std::string> WriteThroughPartFile(const std::string& finalPath, std::string_view bytes,
                                                bool replace, std::string* error) {
    std::optional<std::string> part = ClaimPartFile(finalPath, {}, error);
    if (!part) return std::nullopt;
    int fd = open(part->c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool ok = fd >= 0;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    if (ok) ok = fsync(fd) == 0;
    int failure = errno;
    if (fd >= 0 && close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    std::optional<std::string> placed;
    if (ok) placed = PlaceFinishedFile(*part, finalPath, replace, error);
    else if (error) *error = ErrorText(failure);
    if (!placed) unlink(part->c_str());
    return placed;
}

void RemovePartFiles(const std::string& partPath, const std::string& sideSuffix) {
    if (partPath.empty()) return;
    unlink(partPath.c_str());
    if (!sideSuffix.empty()) unlink((partPath + sideSuffix).c_str());
}

std::string FreePathIn(const std::string& folder, const std::string& name) {
    const std::size_t limit = NameLimitOf(folder);
    std::string path = Join(folder, CutFileName(name, limit));
    for (int number = 2; Exists(path) && number <= kMaxAttempts; ++number)
        path = Join(folder, NumberedFileName(name, number, limit));
    return path;
}

}  // namespace fern
