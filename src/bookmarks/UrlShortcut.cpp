#include "bookmarks/UrlShortcut.h"

#include "platform/fs/FileIo.h"
#include "platform/ini/IniDocument.h"
#include "platform/ini/PrivateProfile.h"
#include "platform/ini/ProfileText.h"

namespace fern {

namespace {
constexpr std::size_t kShortcutUrlBuffer = 2085;
const char kMissing[] = "\x01missing";

// A lone CR inside a value is no line end to the INI reader but cannot be
// stored again anywhere: it reads as a blank, as the list files store it.
std::string WithoutLineBreaks(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    return value;
}
}  // namespace

std::string ReadUrlShortcut(const std::string& path) {
    if (IsDirectory(path)) return std::string();
    std::string url = GetPrivateProfileString("InternetShortcut", "URL", kMissing, path, kShortcutUrlBuffer);
    return url == kMissing ? path : WithoutLineBreaks(url);
}

std::optional<std::string> ParseUrlShortcut(std::string_view bytes) {
    IniDocument document = IniDocument::Parse(DecodeProfileText(bytes).sjis);
    const std::string* found = document.Find("InternetShortcut", "URL");
    if (!found) return std::nullopt;
    std::string_view value = *found;
    // Quotes around a value are dropped, as the profile reader drops them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return WithoutLineBreaks(std::string(value.substr(0, kShortcutUrlBuffer - 1)));
}

bool WriteUrlShortcut(const std::string& path, const std::string& url) {
    return WritePrivateProfileString("InternetShortcut", "URL", url, path);
}

}  // namespace fern
