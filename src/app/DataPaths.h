#pragma once
// The user files in the data folder, and the first-start rule of the
// bookmark file's path.
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace fern {

struct DataPaths {
    std::string folder;
    std::string profile;           // fern.ini
    std::string windows;           // wnds.ini
    std::string startupList;       // startup.fbl
    std::string typedHistory;      // typed.fbl
    std::string closeFilters;      // close.fbl
    std::string recentClosed;      // rcu.fbl
    std::string keys;              // keys.ini
    std::string stateLog;          // state.fbl
    std::string defaultBookmarks;  // bookmark.fbl
};

DataPaths MakeDataPaths(std::string_view folder);

// Bookmark/BKBookmarkPath; when it is empty (the first start) it becomes
// bookmark.fbl in the data folder and is written back at once. A failed
// write is logged and the path is used anyway.
std::string ResolveBookmarkPath(SettingsStore& store, const DataPaths& paths);

}  // namespace fern
