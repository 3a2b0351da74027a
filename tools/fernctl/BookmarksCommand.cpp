// fernctl bookmarks import|export: the bookmark exchange formats from the
// command line, through the same readers and writers as the program.
//
//   import netscape|favorites|hotlist|htmllist SOURCE BOOKMARK.fbl
//       reads BOOKMARK.fbl (a missing file gives the tree the program starts
//       with), adds SOURCE at the end of the bookmark root and saves it;
//       prints {"imported": N} with the number of nodes added.
//   import firefox|chromium [PROFILE] BOOKMARK.fbl
//       the same straight from a browser profile: PROFILE is the profile
//       folder or its places.sqlite / Bookmarks file; without it, the first
//       profile of the family found in the usual folders below $HOME. The
//       files are read, not the running browser: a browser that runs may
//       hold them open, and the import reads a private copy.
//   export netscape|netscape-utf8|favorites|htmllist BOOKMARK.fbl DEST
//       writes the bookmarks of BOOKMARK.fbl to the file DEST, or into the
//       folder DEST for favorites (created when only it is missing); prints
//       {"exported": N}.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Commands.h"
#include "bookmarks/BookmarkTree.h"
#include "bookmarks/exchange/BrowserImport.h"
#include "bookmarks/exchange/BrowserProfiles.h"
#include "bookmarks/exchange/ExchangeText.h"
#include "bookmarks/exchange/Favorites.h"
#include "bookmarks/exchange/HotList.h"
#include "bookmarks/exchange/HtmlList.h"
#include "bookmarks/exchange/Netscape.h"
#include "platform/fs/FileIo.h"

namespace fernctl {

namespace {

enum class Entry { Missing, File, Folder, Other };

// What is at `path` (Shift-JIS); `error` says why it could not be looked at.
Entry Look(const std::string& path, std::string& error) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return Entry::Missing;
        error = std::strerror(errno);
        return Entry::Other;
    }
    if (S_ISDIR(info.st_mode)) return Entry::Folder;
    if (S_ISREG(info.st_mode)) return Entry::File;
    error = "not a regular file";
    return Entry::Other;
}

// The folder that a file at `path` would be created in.
std::string ParentOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A file or folder to be created at `path` needs an existing folder above it.
int CheckParent(const std::string& path, const std::string& shown) {
    std::string error;
    if (Look(ParentOf(path), error) != Entry::Folder)
        return Fail("cannot write " + shown + ": its folder does not exist");
    return 0;
}

int Print(const char* key, std::size_t count) {
    if (std::printf("{\"%s\": %zu}\n", key, count) < 0 || std::fflush(stdout) != 0)
        return Fail("cannot write to standard output");
    return 0;
}

// The tree of BOOKMARK.fbl; a missing file is fine when `missingOk`.
int LoadTree(fern::BookmarkTree& tree, const std::string& path, const std::string& shown, bool missingOk) {
    std::string error;
    switch (Look(path, error)) {
        case Entry::Missing:
            if (!missingOk) return Fail("cannot read " + shown + ": no such file");
            break;
        case Entry::Folder: return Fail("cannot read " + shown + ": is a folder");
        case Entry::Other: return Fail("cannot read " + shown + ": " + error);
        case Entry::File: break;
    }
    fern::ListFileStatus read = tree.Load(path);
    if (!read.ok && Look(path, error) != Entry::Missing)
        return Fail("cannot read " + shown + ": " + read.error);
    return 0;
}

int RunImport(const std::string& kind, const Args& args) {
    const std::string sourceShown = args[2], fileShown = args[3];
    const std::string source = PathArgument(sourceShown), file = PathArgument(fileShown);
    if (kind != "netscape" && kind != "favorites" && kind != "hotlist" && kind != "htmllist")
        return Fail("bookmarks: unknown import kind '" + kind +
                    "' (netscape, favorites, hotlist, htmllist, firefox or chromium)");
    std::string error;
    Entry sourceEntry = Look(source, error);
    if (sourceEntry == Entry::Missing) return Fail("cannot read " + sourceShown + ": no such file or folder");
    if (sourceEntry == Entry::Other) return Fail("cannot read " + sourceShown + ": " + error);
    if (kind == "favorites" && sourceEntry != Entry::Folder)
        return Fail("cannot read " + sourceShown + ": not a folder (favorites are a folder of .url files)");
    if (kind != "favorites" && sourceEntry != Entry::File)
        return Fail("cannot read " + sourceShown + ": is a folder");
    if (int status = CheckParent(file, fileShown)) return status;

    fern::BookmarkTree tree(fern::BookmarkOptions{}, fern::SystemBookmarkClock());
    if (int status = LoadTree(tree, file, fileShown, true)) return status;
    fern::ExchangeStatus imported;
    if (kind == "netscape") imported = fern::ImportNetscape(source, tree, nullptr);
    else if (kind == "favorites") imported = fern::ImportFavorites(source, tree, nullptr);
    else if (kind == "hotlist") imported = fern::ImportHotList(source, tree, nullptr);
    else imported = fern::ImportHtmlList(source, tree, nullptr);
    if (!imported) return Fail("cannot read " + sourceShown + ": " + imported.error);
    fern::BookmarkSaveResult saved = tree.Save();
    if (!saved) return Fail("cannot write " + fileShown + ": " + saved.error);
    return Print("imported", imported.imported);
}

// firefox|chromium: args are "import KIND [PROFILE] BOOKMARK.fbl".
int RunBrowserImport(const std::string& kind, const Args& args) {
    fern::BrowserFamily family =
        kind == "firefox" ? fern::BrowserFamily::Firefox : fern::BrowserFamily::Chromium;
    const std::string fileShown = args.back(), file = PathArgument(fileShown);
    std::string source, sourceShown;
    if (args.size() == 4) {
        sourceShown = args[2];
        source = PathArgument(sourceShown);
        std::string error;
        if (Look(source, error) == Entry::Missing)
            return Fail("cannot read " + sourceShown + ": no such file or folder");
        if (fern::FamilyOfSource(source) != family)
            return Fail("cannot read " + sourceShown + ": no " +
                        (family == fern::BrowserFamily::Firefox ? "places.sqlite" : "Bookmarks") +
                        " file there");
    } else {
        const char* home = std::getenv("HOME");
        std::vector<fern::BrowserProfile> profiles = fern::FindBrowserProfiles(home ? home : "");
        const fern::BrowserProfile* found = fern::DefaultProfile(profiles, family);
        if (!found) return Fail("no " + kind + " profile found below $HOME; name one");
        source = sourceShown = found->path;
    }
    if (int status = CheckParent(file, fileShown)) return status;
    fern::BookmarkTree tree(fern::BookmarkOptions{}, fern::SystemBookmarkClock());
    if (int status = LoadTree(tree, file, fileShown, true)) return status;
    fern::ExchangeStatus imported = fern::ImportBrowserProfile(family, source, tree, nullptr);
    if (!imported) return Fail("cannot read " + sourceShown + ": " + imported.error + " (nothing imported)");
    fern::BookmarkSaveResult saved = tree.Save();
    if (!saved) return Fail("cannot write " + fileShown + ": " + saved.error);
    return Print("imported", imported.imported);
}

int RunExport(const std::string& kind, const Args& args) {
    const std::string fileShown = args[2], destShown = args[3];
    const std::string file = PathArgument(fileShown), dest = PathArgument(destShown);
    if (kind != "netscape" && kind != "netscape-utf8" && kind != "favorites" && kind != "htmllist")
        return Fail("bookmarks: unknown export kind '" + kind +
                    "' (netscape, netscape-utf8, favorites or htmllist)");
    fern::BookmarkTree tree(fern::BookmarkOptions{}, fern::SystemBookmarkClock());
    if (int status = LoadTree(tree, file, fileShown, false)) return status;

    std::string error;
    Entry destEntry = Look(dest, error);
    if (destEntry == Entry::Other) return Fail("cannot write " + destShown + ": " + error);
    fern::ExchangeStatus exported;
    std::size_t count = fern::CountDescendants(tree.Root());
    if (kind == "favorites") {
        if (destEntry == Entry::File) return Fail("cannot write " + destShown + ": not a folder");
        if (destEntry == Entry::Missing) {
            if (int status = CheckParent(dest, destShown)) return status;
            if (::mkdir(dest.c_str(), 0777) != 0)
                return Fail("cannot create " + destShown + ": " + std::strerror(errno));
        }
        exported = fern::ExportFavorites(dest, tree.Root().FirstChild());
        for (const fern::BookmarkNode* n = &tree.Root(); n; n = fern::NextInTree(n, &tree.Root()))
            if (n->type == fern::kItemSeparator) --count;
    } else {
        if (destEntry == Entry::Folder) return Fail("cannot write " + destShown + ": is a folder");
        if (int status = CheckParent(dest, destShown)) return status;
        if (kind == "htmllist") {
            exported = fern::WriteHtmlList(dest, tree);
            count += fern::CountDescendants(tree.Trash());
        } else {
            exported = fern::ExportNetscape(dest, tree.Root(), kind == "netscape-utf8");
        }
    }
    if (!exported) return Fail("cannot write " + destShown + ": " + exported.error);
    return Print("exported", count);
}

}  // namespace

int RunBookmarksCommand(const Args& args) {
    if (args.empty()) return Fail("bookmarks needs a command: import or export (see fernctl --help)");
    const std::string& action = args[0];
    if (action != "import" && action != "export")
        return Fail("unknown bookmarks command '" + action + "' (import or export)");
    if (action == "import" && args.size() >= 2 && (args[1] == "firefox" || args[1] == "chromium")) {
        if (args.size() != 3 && args.size() != 4)
            return Fail("bookmarks import " + args[1] +
                        " takes an optional profile and a path (see fernctl --help)");
        return RunBrowserImport(args[1], args);
    }
    if (args.size() != 4)
        return Fail("bookmarks " + action + " takes a kind and two paths (see fernctl --help)");
    return action == "import" ? RunImport(args[1], args) : RunExport(args[1], args);
}

}  // namespace fernctl
