// Writing bookmarks as a Favorites folder tree.
#include <glib/gstdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "bookmarks/UrlShortcut.h"
#include "bookmarks/exchange/Favorites.h"
#include "bookmarks/exchange/MakeFileName.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

constexpr std::size_t kFileNameBytes = 64;
// "(0)" ... "(9999)"; a folder holding that many copies of one name is not
// worth another try.
constexpr int kMaxSuffix = 10000;

bool Exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// The first free path of base + suffix + extension, or empty when none.
std::string FreePath(const std::string& folder, const std::string& base, const char* extension) {
    std::string path = folder + "/" + base + extension;
    for (int n = 0; Exists(path); ++n) {
        if (n >= kMaxSuffix) return std::string();
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "(%d)", n);
        path = folder + "/" + base + suffix + extension;
    }
    return path;
}

}  // namespace

ExchangeStatus ExportFavorites(std::string_view folderPath, const BookmarkNode* first) {
    if (!IsDirectory(folderPath)) return ExchangeStatus::Failed("no such folder");
    ExchangeStatus status;
    // Sibling lists still to write, each with its folder on disk.
    std::vector<std::pair<std::string, const BookmarkNode*>> pending{{std::string(folderPath), first}};
    while (!pending.empty()) {
        auto [folder, node] = std::move(pending.back());
        pending.pop_back();
        for (; node; node = node->Next()) {
            if (node->type == kItemFolder) {
                // Names are text; the file system takes them as UTF-8.
                std::string path = FreePath(folder, ToUtf8(MakeFileName(node->name, kFileNameBytes)), "");
                if (path.empty() || g_mkdir(path.c_str(), 0777) != 0) {
                    LogWriteFailure(path.empty() ? folder : path,
                                    path.empty() ? "no free name" : std::strerror(errno));
                    ++status.skipped;
                    continue;
                }
                if (node->FirstChild()) pending.emplace_back(path, node->FirstChild());
            } else if (node->type == kItemUrl) {
                std::string path = FreePath(folder, ToUtf8(MakeFileName(node->name, kFileNameBytes)), ".url");
                // WriteUrlShortcut logs its own failure.
                if (path.empty() || !WriteUrlShortcut(path, node->url)) {
                    if (path.empty()) LogWriteFailure(folder, "no free name");
                    ++status.skipped;
                }
            }
        }
    }
    if (status.skipped) {
        status.ok = false;
        status.error = std::to_string(status.skipped) + " entries could not be written";
    }
    return status;
}

}  // namespace fern
