#pragma once
// Runs another program with an argument vector (never through a shell) and
// waits for it.
#include <string>
#include <vector>

namespace fern {

struct CommandResult {
    bool started = false;
    int exitStatus = -1;
    std::string output;  // standard output
    std::string error;   // standard error, or why the program did not start
    bool Ok() const { return started && exitStatus == 0; }
};

class ICommandRunner {
public:
    virtual ~ICommandRunner() = default;
    virtual CommandResult Run(const std::vector<std::string>& argv) = 0;
};

}  // namespace fern
