#pragma once
// A fresh folder under /tmp for one test, removed with everything in it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace fern::testing {

class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/fern-lists-XXXXXX";
        if (mkdtemp(name)) path_ = name;
        EXPECT_FALSE(path_.empty());
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A FIFO in a file's place, for "a file that exists but cannot be read":
// it is there, but it is no regular file, so the readers must not read it;
// and a write that replaces the file by renaming succeeds over it (unlike
// over a folder), so only the guard against overwriting keeps it.
//
// Opening a FIFO for reading waits for a writer. While the object lives, a
// watcher opens the FIFO for writing whenever a reader has it open and closes
// it at once, so such a reader gets an empty file instead of hanging, and the
// test fails here.
class FifoInPlace {
public:
    explicit FifoInPlace(std::string path) : path_(std::move(path)) {
        made_ = mkfifo(path_.c_str(), 0600) == 0;
        EXPECT_TRUE(made_) << "mkfifo " << path_;
        if (made_) watcher_ = std::thread([this] { Watch(); });
    }
    ~FifoInPlace() {
        stop_ = true;
        if (watcher_.joinable()) watcher_.join();
        EXPECT_FALSE(readerSeen_) << "a reader opened the FIFO " << path_
                                  << ": only regular files may be read";
    }
    FifoInPlace(const FifoInPlace&) = delete;
    FifoInPlace& operator=(const FifoInPlace&) = delete;

    bool Made() const { return made_; }
    // Still the FIFO: nothing was written in its place.
    bool StillThere() const {
        struct stat info {};
        return lstat(path_.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
    }

private:
    void Watch() {
        while (!stop_) {
            // Opening for writing without waiting succeeds only while a reader has it open.
            int fd = StillThere() ? open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC) : -1;
            if (fd >= 0) {
                struct stat info {};
                if (fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode)) readerSeen_ = true;
                close(fd);
            }
            usleep(10 * 1000);
        }
    }

    std::string path_;
    bool made_ = false;
    std::atomic<bool> stop_{false}, readerSeen_{false};
    std::thread watcher_;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace fern::testing
