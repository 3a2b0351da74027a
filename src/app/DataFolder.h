#pragma once
// Where the user's files live. In order: "--data-dir DIR", else FERN_DATA_DIR,
// else the folder of the executable when it is writable and holds its own
// res/ (a copy that lives in one folder; an installed one finds res/ under
// share/fern and must not write into bin/), else
// $XDG_CONFIG_HOME/fern ($HOME/.config/fern when that is unset). All paths are
// the file system's bytes, without a trailing "/".
#include <optional>
#include <string>

#include "app/CommandLine.h"

namespace fern {

struct DataFolderSources {
    std::optional<std::string> commandLine;  // --data-dir
    std::optional<std::string> environment;  // FERN_DATA_DIR
    std::string executableFolder;            // empty when unknown
    bool executableFolderWritable = false;
    bool executableFolderHasResources = false;  // res/ beside the executable
    std::optional<std::string> xdgConfigHome;
    std::optional<std::string> home;
    std::string currentFolder;  // a relative folder given is taken from here
};

// The rule alone. Empty values count as unset; a relative XDG_CONFIG_HOME is
// ignored, as the base-directory rules say. nullopt with `error` set when no
// source gives a folder.
std::optional<std::string> ChooseDataFolder(const DataFolderSources& sources, std::string* error = nullptr);

// The rule on this process (environment, /proc/self/exe, working folder);
// the folder is created when it is missing. `error` (Shift-JIS) says why
// there is none.
std::optional<std::string> ResolveDataFolder(const CommandLine& commandLine, std::string* error = nullptr);

}  // namespace fern
