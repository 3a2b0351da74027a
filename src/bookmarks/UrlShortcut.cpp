#include "bookmarks/UrlShortcut.h"

#include "platform/fs/FileIo.h"
#include "platform/ini/PrivateProfile.h"

namespace fern {

namespace {
constexpr std::size_t kShortcutUrlBuffer = 2085;
const char kMissing[] = "\x01missing";
}  // namespace

std::string ReadUrlShortcut(const std::string& path) {
    if (IsDirectory(path)) return std::string();
    std::string url = GetPrivateProfileString("InternetShortcut", "URL", kMissing, path, kShortcutUrlBuffer);
    return url == kMissing ? path : url;
}

bool WriteUrlShortcut(const std::string& path, const std::string& url) {
    return WritePrivateProfileString("InternetShortcut", "URL", url, path);
}

}  // namespace fern
