#pragma once
// Other programs through g_spawn_sync, looked up on PATH, arguments as a
// vector (no shell).
#include "platform/shell/CommandRunner.h"

namespace fern {

class SpawnCommandRunner : public ICommandRunner {
public:
    CommandResult Run(const std::vector<std::string>& argv) override;
};

}  // namespace fern
