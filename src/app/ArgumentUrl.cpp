#include "app/ArgumentUrl.h"

#include <glib.h>

#include <vector>

#include "bookmarks/UrlShortcut.h"
#include "platform/fs/FileIo.h"
#include "platform/ini/PrivateProfile.h"
#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"
#include "lists/UrlListFile.h"

namespace fern {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool StartsWithNoCase(const std::string& text, const std::string& head) {
    return text.size() >= head.size() && SjisToLower(text.substr(0, head.size())) == head;
}

// The target of a link: a symbolic link's file, or the URL or Exec-free
// target of a desktop link file. Empty when it names nothing we can read.
std::string LinkTarget(const std::string& path) {
    std::string fsPath = ToFsPath(path);
    if (g_file_test(fsPath.c_str(), G_FILE_TEST_IS_SYMLINK)) {
        if (char* target = g_file_read_link(fsPath.c_str(), nullptr)) {
            std::string result = FromUtf8(target);
            g_free(target);
            return result;
        }
    }
    std::string url = GetPrivateProfileString("Desktop Entry", "URL", "", path);
    return url;
}

std::string Replace20(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "%20") == 0) {
            out += ' ';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Lower case with every "/" as "\", for comparing list entries to the file.
std::string ComparablePath(std::string text) {
    if (StartsWithNoCase(text, "file:///")) text.erase(0, 7);  // keep the leading "/"
    text = SjisToLower(Replace20(text));
    for (char& c : text)
        if (c == '/') c = '\\';
    return text;
}

}  // namespace

std::string ConvertArgumentToUrl(const std::string& text) {
    std::string lower = SjisToLower(text);
    if (lower.compare(0, 3, "htt") == 0 || lower.compare(0, 3, "ftp") == 0) return text;
    if (EndsWith(lower, ".url") && IsRegularFile(text)) return ReadUrlShortcut(text);
    if ((EndsWith(lower, ".lnk") || EndsWith(lower, ".desktop")) && IsRegularFile(text)) {
        std::string target = LinkTarget(text);
        if (!target.empty()) return target;
    }
    return text;
}

bool OpenSpecialUrl(const std::string& text, const SpecialUrlActions& actions) {
    std::size_t start = text.find_first_not_of(" \t\r\n");
    std::string trimmed = start == std::string::npos ? std::string() : text.substr(start);
    if (StartsWithNoCase(trimmed, "mailto:")) {
        if (actions.ignoreMailto) return true;
        return actions.launchMailer && actions.launchMailer(text);
    }
    if (!EndsWith(SjisToLower(text), ".fbl")) return false;

    // File names on this system are case-sensitive: the path keeps its case.
    std::string path = text;
    if (StartsWithNoCase(path, "file:///")) path.erase(0, 7);
    path = Replace20(path);
    if (!IsRegularFile(path)) return false;
    std::vector<std::string> urls;
    ReadUrlList(path, urls);
    if (urls.empty()) return false;
    std::string self = ComparablePath(path);
    for (const std::string& url : urls) {
        // An entry naming the list itself would open it again, and again.
        if (url.empty() || ComparablePath(url) == self) continue;
        if (actions.openUrl) actions.openUrl(url);
    }
    return true;
}

}  // namespace fern
