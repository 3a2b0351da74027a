#include "session/SessionGenerations.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/fs/FileIo.h"
#include "session/SessionFile.h"

namespace fern {

namespace {

constexpr char kPrefix[] = "session";
constexpr char kSuffix[] = ".fss";

// Moves `from` to `to`; a missing `from` is nothing to move.
bool MoveDown(const std::string& from, const std::string& to, std::string* error) {
    if (g_rename(from.c_str(), to.c_str()) == 0 || errno == ENOENT) return true;
    if (error) *error = from + ": " + std::strerror(errno);
    return false;
}

}  // namespace

std::string SessionGenerationPath(std::string_view folder, int generation) {
    char name[32];
    std::snprintf(name, sizeof name, "/%s%d%s", kPrefix, generation, kSuffix);
    return std::string(folder) + name;
}

bool SaveSessionGeneration(std::string_view folder, std::string_view bytes, std::string* error) {
    for (int g = kSessionGenerations - 1; g >= 1; --g)
        if (!MoveDown(SessionGenerationPath(folder, g), SessionGenerationPath(folder, g + 1), error))
            return false;
    return WriteFileAtomic(SessionGenerationPath(folder, 1), bytes, error);
}

SessionLoad LoadSession(std::string_view folder) {
    SessionLoad load;
    std::optional<SessionLoad> salvage;
    for (int g = 1; g <= kSessionGenerations; ++g) {
        std::optional<std::string> bytes = ReadWholeFile(SessionGenerationPath(folder, g));
        if (!bytes) continue;
        SessionReadResult read = ParseSession(*bytes);
        if (read.whole) {
            load.state = std::move(read.state);
            load.found = true;
            load.generation = g;
            load.whole = true;
            return load;
        }
        load.damaged.push_back(g);
        if (!salvage && (!read.state.tabs.empty() || !read.state.pending.empty())) {
            salvage.emplace();
            salvage->state = std::move(read.state);
            salvage->found = true;
            salvage->generation = g;
        }
    }
    if (salvage) {
        salvage->damaged = std::move(load.damaged);
        return std::move(*salvage);
    }
    return load;
}

void RemoveSessionLeftovers(std::string_view folder) {
    std::string dir(folder);
    GDir* handle = g_dir_open(dir.c_str(), 0, nullptr);
    if (!handle) return;
    // A cut-off atomic write leaves "<name>.XXXXXX" beside the file.
    while (const char* name = g_dir_read_name(handle)) {
        for (int g = 1; g <= kSessionGenerations; ++g) {
            std::string file = SessionGenerationPath("", g).substr(1) + ".";
            std::size_t length = std::strlen(name);
            if (length == file.size() + 6 && std::strncmp(name, file.c_str(), file.size()) == 0)
                g_remove((dir + "/" + name).c_str());
        }
    }
    g_dir_close(handle);
}

}  // namespace fern
