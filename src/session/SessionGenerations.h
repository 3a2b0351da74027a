#pragma once
// The session on disk: three generations in the data folder, "session1.fss"
// the newest. A save moves the older ones down a place (the oldest drops
// out) and writes the newest atomically, so whatever moment a save is cut
// off at, every generation left is whole and the newest one present is at
// most one save old.
#include <string>
#include <string_view>
#include <vector>

#include "session/SessionState.h"

namespace fern {

inline constexpr int kSessionGenerations = 3;

// The path of generation 1 (newest) .. kSessionGenerations in `folder`.
std::string SessionGenerationPath(std::string_view folder, int generation);

[[nodiscard]] bool SaveSessionGeneration(std::string_view folder, std::string_view bytes, std::string* error);

struct SessionLoad {
    SessionState state;
    bool found = false;        // a generation held a session, whole or in part
    int generation = 0;        // the generation read, 0 for none
    bool whole = false;        // it was whole
    std::vector<int> damaged;  // newer generations that were there but not whole
};

// The newest whole generation; when none is whole, what can be read of the
// newest one that holds any tab.
SessionLoad LoadSession(std::string_view folder);

// Temporary files a save that was cut off left behind.
void RemoveSessionLeftovers(std::string_view folder);

}  // namespace fern
