#include "app/ArgumentUrl.h"

#include <glib.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "bookmarks/UrlShortcut.h"
#include "lists/UrlListFile.h"
#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/ini/PrivateProfile.h"
#include "platform/text/SjisByteClass.h"
#include "platform/text/UrlText.h"

namespace fern {

namespace {

constexpr std::size_t kMaxListNesting = 16;

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool StartsWithNoCase(const std::string& text, const std::string& head) {
    return text.size() >= head.size() && SjisToLower(text.substr(0, head.size())) == head;
}

// The address a link stands for: a symbolic link's file (as a "file:" URI),
// or the URL of a desktop link file. Empty when it names nothing we can read.
std::string LinkTarget(const std::string& fsPath) {
    if (g_file_test(fsPath.c_str(), G_FILE_TEST_IS_SYMLINK)) {
        if (char* target = g_file_read_link(fsPath.c_str(), nullptr)) {
            std::string file = target;
            g_free(target);
            if (!g_path_is_absolute(file.c_str())) {
                gchar* folder = g_path_get_dirname(fsPath.c_str());
                gchar* joined = g_build_filename(folder, file.c_str(), nullptr);
                file = joined;
                g_free(joined);
                g_free(folder);
            }
            return FileUriOfPath(file);
        }
    }
    // Desktop files are UTF-8.
    return UrlFromUtf8(GetPrivateProfileString("Desktop Entry", "URL", "", fsPath));
}

// The real path of a list file, the same for every name it goes by.
std::string RealPath(const std::string& fsPath) {
    char* real = realpath(fsPath.c_str(), nullptr);
    std::string result = real ? real : fsPath;
    std::free(real);
    return result;
}

}  // namespace

std::string ArgumentText(const std::string& arg) {
    // A name of an existing file, before it is taken for an address; made
    // absolute, as another process may open it.
    bool scheme = arg.find("://") != std::string::npos;
    if (!scheme && !arg.empty() && g_file_test(arg.c_str(), G_FILE_TEST_EXISTS)) {
        std::string uri = FileUriOfPath(arg);
        if (!uri.empty()) return uri;
    }
    return UrlFromUtf8(arg);
}

std::string ConvertArgumentToUrl(const std::string& text) {
    std::string lower = SjisToLower(text);
    if (lower.compare(0, 3, "htt") == 0 || lower.compare(0, 3, "ftp") == 0) return text;
    bool shortcut = EndsWith(lower, ".url");
    bool link = EndsWith(lower, ".lnk") || EndsWith(lower, ".desktop");
    bool path = !text.empty() && text[0] == '/';
    if (!shortcut && !link && !path) return text;
    std::string fsPath = PathFromText(text);
    if (fsPath.empty()) return text;
    if (!shortcut && !link) {
        // The engine opens a file only by its "file:" URI.
        if (!g_file_test(fsPath.c_str(), G_FILE_TEST_EXISTS)) return text;
        std::string uri = FileUriOfPath(fsPath);
        return uri.empty() ? text : uri;
    }
    if (shortcut && IsRegularFile(fsPath)) {
        std::string url = ReadUrlShortcut(fsPath);
        return url == fsPath ? text : url;
    }
    if (link && (IsRegularFile(fsPath) || g_file_test(fsPath.c_str(), G_FILE_TEST_IS_SYMLINK))) {
        std::string target = LinkTarget(fsPath);
        if (!target.empty()) return target;
    }
    return text;
}

std::string FirstPageGuess(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        // Converted once here and once more by the frame's open.
        std::string url = ConvertArgumentToUrl(argument);
        if (url.empty()) continue;
        url = ConvertArgumentToUrl(url);
        const std::string lower = SjisToLower(url);
        bool page = StartsWithNoCase(url, "http://") || StartsWithNoCase(url, "https://") ||
                    StartsWithNoCase(url, "file:");
        return page && !EndsWith(lower, ".fbl") ? url : std::string();
    }
    return {};
}

bool OpenSpecialUrl(const std::string& text, const SpecialUrlActions& actions) {
    std::size_t start = text.find_first_not_of(" \t\r\n");
    std::string trimmed = start == std::string::npos ? std::string() : text.substr(start);
    if (StartsWithNoCase(trimmed, "mailto:")) {
        if (actions.ignoreMailto) return true;
        return actions.launchMailer && actions.launchMailer(text);
    }
    if (!EndsWith(SjisToLower(text), ".fbl")) return false;

    std::string path = PathFromText(text);
    if (path.empty() || !IsRegularFile(path)) return false;
    std::vector<std::string> urls;
    ReadUrlList(path, urls);
    if (urls.empty()) return false;
    // The opens of a list's entries come back here before the list is done.
    // Until the outermost list is done, every list met is opened once: lists
    // naming each other would never end, and lists naming the next one twice
    // would double at each level.
    thread_local std::set<std::string> seen;
    thread_local std::size_t depth = 0;
    if (depth >= kMaxListNesting || !seen.insert(RealPath(path)).second) return true;
    ++depth;
    for (const std::string& url : urls)
        if (!url.empty() && actions.openUrl) actions.openUrl(url);
    if (--depth == 0) seen.clear();
    return true;
}

}  // namespace fern
