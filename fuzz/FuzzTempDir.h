#pragma once
// The private temporary folder of one fuzzer process, for readers that take
// a path: made at the first use and removed with everything in it when the
// process exits (a crash leaves it for the reproducer to be looked at).
#include <ftw.h>
#include <glib.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fern::fuzz {

namespace detail {

inline int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    std::remove(path);
    return 0;
}

// Everything below `folder`, without following symbolic links; the folder
// itself goes too unless `keepTop`.
inline void RemoveTree(const std::string& folder, bool keepTop) {
    ::nftw(folder.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    if (keepTop) ::mkdir(folder.c_str(), 0700);
}

inline std::string& TempDirPath() {
    static std::string path;
    return path;
}

inline void RemoveTempDir() {
    if (!TempDirPath().empty()) RemoveTree(TempDirPath(), false);
}

}  // namespace detail

// An ASCII path such as "/tmp/fern-fuzz-ABC123", so the same bytes in the
// program's Shift-JIS and in the file system's UTF-8.
inline const std::string& TempDir() {
    std::string& path = detail::TempDirPath();
    if (path.empty()) {
        gchar* made = g_dir_make_tmp("fern-fuzz-XXXXXX", nullptr);
        if (!made) {
            std::perror("fern-fuzz: no temporary folder");
            std::abort();
        }
        path = made;
        g_free(made);
        std::atexit(detail::RemoveTempDir);
    }
    return path;
}

// An empty folder `name` inside TempDir(), emptied again on every call.
inline std::string EmptySubfolder(const char* name) {
    std::string folder = TempDir() + "/" + name;
    detail::RemoveTree(folder, true);
    return folder;
}

// The input as the one file "input" of TempDir(), replaced on every call.
inline const std::string& WriteInputFile(const std::uint8_t* data, std::size_t size) {
    static const std::string path = TempDir() + "/input";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || (size && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        std::perror("fern-fuzz: cannot write the input file");
        std::abort();
    }
    return path;
}

}  // namespace fern::fuzz
