#include "app/DataFolder.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"

namespace fern {

namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string Absolute(const std::string& path, const std::string& current) {
    if (path.starts_with('/') || current.empty()) return WithoutTrailingSlash(path);
    return WithoutTrailingSlash(WithoutTrailingSlash(current) + "/" + path);
}

bool Given(const std::optional<std::string>& value) { return value && !value->empty(); }

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

std::string ExecutableFolder() {
    gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
    if (!exe) return {};
    gchar* folder = g_path_get_dirname(exe);
    std::string result = folder;
    g_free(folder);
    g_free(exe);
    return result;
}

}  // namespace

std::optional<std::string> ChooseDataFolder(const DataFolderSources& s, std::string* error) {
    if (Given(s.commandLine)) return Absolute(*s.commandLine, s.currentFolder);
    if (Given(s.environment)) return Absolute(*s.environment, s.currentFolder);
    if (!s.executableFolder.empty() && s.executableFolderWritable && s.executableFolderHasResources)
        return WithoutTrailingSlash(s.executableFolder);
    if (Given(s.xdgConfigHome) && s.xdgConfigHome->starts_with('/'))
        return WithoutTrailingSlash(*s.xdgConfigHome) + "/fern";
    if (Given(s.home) && s.home->starts_with('/')) return WithoutTrailingSlash(*s.home) + "/.config/fern";
    if (error) *error = "no data folder: give --data-dir DIR or set FERN_DATA_DIR or HOME";
    return std::nullopt;
}

std::optional<std::string> ResolveDataFolder(const CommandLine& commandLine, std::string* error) {
    DataFolderSources sources;
    sources.commandLine = commandLine.dataDir;
    sources.environment = Variable("FERN_DATA_DIR");
    sources.executableFolder = ExecutableFolder();
    sources.executableFolderWritable =
        !sources.executableFolder.empty() && access(sources.executableFolder.c_str(), W_OK | X_OK) == 0;
    sources.executableFolderHasResources =
        !sources.executableFolder.empty() && IsDirectory(sources.executableFolder + "/res");
    sources.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    sources.home = Variable("HOME");
    if (gchar* current = g_get_current_dir()) {
        sources.currentFolder = current;
        g_free(current);
    }

    std::optional<std::string> folder = ChooseDataFolder(sources, error);
    if (!folder) return std::nullopt;
    int code = g_mkdir_with_parents(folder->c_str(), 0700) == 0 ? 0 : errno;
    if (code != 0 || !IsDirectory(*folder)) {
        if (error) {
            *error = "cannot use the data folder " + PathForDisplay(*folder) + ": ";
            *error += code == 0 || IsRegularFile(*folder) ? "not a folder" : std::strerror(code);
        }
        return std::nullopt;
    }
    return folder;
}

}  // namespace fern
