#include "app/DataPaths.h"

#include "platform/fs/FsPath.h"

namespace fern {

namespace {

std::string InFolder(std::string_view folder, const char* name) {
    std::string path(folder);
    path += '/';
    path += name;
    return path;
}

}  // namespace

DataPaths MakeDataPaths(std::string_view folder) {
    DataPaths p;
    p.folder = std::string(folder);
    p.profile = InFolder(folder, "fern.ini");
    p.windows = InFolder(folder, "wnds.ini");
    p.startupList = InFolder(folder, "startup.fbl");
    p.typedHistory = InFolder(folder, "typed.fbl");
    p.closeFilters = InFolder(folder, "close.fbl");
    p.recentClosed = InFolder(folder, "rcu.fbl");
    p.keys = InFolder(folder, "keys.ini");
    p.stateLog = InFolder(folder, "state.fbl");
    p.defaultBookmarks = InFolder(folder, "bookmark.fbl");
    return p;
}

std::string ResolveBookmarkPath(SettingsStore& store, const DataPaths& paths) {
    // Stored as text; the file system's bytes in memory.
    std::string stored = store.ReadString(Setting::BKBookmarkPath);
    if (!stored.empty()) {
        std::string path = PathFromText(stored);
        if (!path.empty()) return path;
    }
    if (!store.WriteString(Setting::BKBookmarkPath, PathToText(paths.defaultBookmarks)))
        store.LogSaveFailure(Setting::BKBookmarkPath);
    return paths.defaultBookmarks;
}

}  // namespace fern
