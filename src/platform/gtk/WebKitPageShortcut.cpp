#include "platform/gtk/WebKitPageShortcut.h"

#include <glib/gstdio.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/gtk/WebKitPageCommon.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr std::size_t kMaxNameBytes = 200;  // UTF-8, leaving room for " (99).desktop"
constexpr int kMaxNumber = 99;

bool ForbiddenByte(unsigned char c) {
    return c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c) != nullptr;
}

std::string TrimDotsAndSpaces(const std::string& name) {
    std::size_t first = name.find_first_not_of(". ");
    if (first == std::string::npos) return std::string();
    // The last byte of a double-byte character may be a space or dot byte
    // only in broken text; trail bytes start at 0x40.
    std::size_t last = name.find_last_not_of(". ");
    return name.substr(first, last - first + 1);
}

void AppendEscaped(std::string& out, const std::string& value) {
    for (char c : value) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
}

bool Exists(const std::string& path) {
    GStatBuf info;
    return g_lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string DesktopFolder() {
    if (const gchar* desktop = g_get_user_special_dir(G_USER_DIRECTORY_DESKTOP)) return desktop;
    gchar* path = g_build_filename(g_get_home_dir(), "Desktop", nullptr);
    std::string folder = path;
    g_free(path);
    return folder;
}

std::string ShortcutFileName(const std::string& whole) {
    // Longer titles are cut anyway; a page may have a very long one.
    const std::string title = whole.substr(0, SjisSafeCut(whole, 2 * kMaxNameBytes));
    std::string name;
    for (std::size_t i = 0; i < title.size(); ++i) {
        const auto c = static_cast<unsigned char>(title[i]);
        if (IsSjisLeadByte(c) && i + 1 < title.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(title[i + 1]))) {
            name += title.substr(i, 2);
            ++i;
        } else {
            name += ForbiddenByte(c) || IsSjisLeadByte(c) ? '_' : static_cast<char>(c);
        }
    }
    name = TrimDotsAndSpaces(name);
    while (ToUtf8(name).size() > kMaxNameBytes)
        name = TrimDotsAndSpaces(name.substr(0, SjisSafeCut(name, name.size() - 1)));
    return name.empty() ? std::string("ショートカット") : name;
}

std::string DesktopLinkEntry(const std::string& title, const std::string& url) {
    std::string text = "[Desktop Entry]\nVersion=1.0\nType=Link\nName=";
    AppendEscaped(text, title);
    text += "\nURL=";
    AppendEscaped(text, url);
    text += "\nIcon=text-html\n";
    return text;
}

ShortcutResult WriteDesktopShortcut(const std::string& folder, const std::string& title,
                                    const std::string& url) {
    ShortcutResult result;
    const std::string name = ToUtf8(ShortcutFileName(FromUtf8(title)));
    for (int number = 1; number <= kMaxNumber; ++number) {
        std::string file = name;
        if (number > 1) file += " (" + std::to_string(number) + ")";
        file += ".desktop";
        gchar* path = g_build_filename(folder.c_str(), file.c_str(), nullptr);
        result.path = path;
        g_free(path);
        if (!Exists(result.path)) break;
        if (number == kMaxNumber) {
            result.error = "too many shortcuts of this name";
            return result;
        }
    }
    result.ok = WriteFileAtomic(result.path, DesktopLinkEntry(title, url), &result.error);
    return result;
}

void CreateDesktopShortcut(GtkWidget* page, const std::string& title, const std::string& url) {
    if (url.empty()) return;
    const std::string folder = DesktopFolder();
    ShortcutResult result;
    if (g_mkdir_with_parents(folder.c_str(), 0755) != 0) {
        result.path = folder;
        result.error = g_strerror(errno);
    } else {
        result = WriteDesktopShortcut(folder, title.empty() ? url : title, url);
    }
    if (result.ok) return;
    LogWriteFailure(result.path, FromUtf8(result.error));
    TellPageError(page, "ショートカットを作成できませんでした。\n" + PathForDisplay(result.path) + "\n" +
                            FromUtf8(result.error));
}

}  // namespace fern
