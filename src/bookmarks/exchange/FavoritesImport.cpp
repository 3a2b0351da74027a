// Reading a Favorites folder tree. File names on disk are UTF-8; the walk
// keeps them as they are, so that a name the program's text cannot hold
// (its characters become "?" in the bookmark) is still opened.
#include <glib.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "bookmarks/BookmarkTree.h"
#include "bookmarks/UrlShortcut.h"
#include "bookmarks/exchange/ExchangeText.h"
#include "bookmarks/exchange/Favorites.h"
#include "platform/fs/FileIo.h"
#include "platform/text/Encoding.h"

namespace fern {

namespace {

// Shortcut files are a few hundred bytes; a huge file is no shortcut.
constexpr long long kMaxShortcutBytes = 1 << 20;

bool EndsWithUrl(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return tail == ".url";
}

// The names in a folder in a stable order (the order readdir gives differs
// between file systems); folding ASCII case first, as Windows lists them.
std::vector<std::string> FolderEntries(const std::string& fsFolder) {
    std::vector<std::string> names;
    GDir* dir = g_dir_open(fsFolder.c_str(), 0, nullptr);
    if (!dir) return names;
    while (const gchar* name = g_dir_read_name(dir)) names.emplace_back(name);
    g_dir_close(dir);
    auto folded = [](const std::string& s) {
        std::string f = s;
        for (char& c : f)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return f;
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        std::string fa = folded(a), fb = folded(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}

std::string ShortcutUrl(const std::string& fsPath, const struct stat& info) {
    if (info.st_size > kMaxShortcutBytes) return std::string();
    gchar* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(fsPath.c_str(), &contents, &length, nullptr)) return std::string();
    std::optional<std::string> url = ParseUrlShortcut(std::string_view(contents, length));
    g_free(contents);
    return url.value_or(std::string());
}

}  // namespace

ExchangeStatus ImportFavorites(std::string_view folderPath, BookmarkTree& tree, BookmarkNode* target) {
    std::string fsTop(folderPath);
    struct stat info;
    if (::stat(fsTop.c_str(), &info) != 0) return ExchangeStatus::Failed("no such folder");
    if (!S_ISDIR(info.st_mode)) return ExchangeStatus::Failed("is not a folder");
    tree.RenewTimeStamp();
    std::unique_ptr<BookmarkNode> scratch = tree.MakeScratchFolder();
    // A link back to a folder above must not make the walk endless: every
    // folder is read once.
    std::set<std::pair<dev_t, ino_t>> seen{{info.st_dev, info.st_ino}};
    std::vector<std::pair<std::string, BookmarkNode*>> pending{{fsTop, scratch.get()}};
    while (!pending.empty()) {
        auto [fsFolder, folder] = std::move(pending.back());
        pending.pop_back();
        for (const std::string& name : FolderEntries(fsFolder)) {
            std::string fsPath = fsFolder + "/" + name;
            if (::stat(fsPath.c_str(), &info) != 0) continue;
            if (S_ISDIR(info.st_mode)) {
                if (!seen.insert({info.st_dev, info.st_ino}).second) continue;
                BookmarkNode* child = tree.AddNode(*folder, FromUtf8(name), "", kItemFolder,
                                                   kDefaultItemStyle, kDefaultItemExStyle);
                pending.emplace_back(fsPath, child);
            } else if (S_ISREG(info.st_mode) && EndsWithUrl(name)) {
                tree.AddNode(*folder, FromUtf8(name.substr(0, name.size() - 4)), ShortcutUrl(fsPath, info),
                             kItemUrl, kDefaultItemStyle, tree.Options().defaultAddStyle);
            }
        }
    }
    return PasteImport(tree, *scratch, target);
}

}  // namespace fern
