#pragma once
// The first steps of a start, before the browser is made: the command line,
// the one-browser-per-user lock (a later start hands its arguments over and
// ends), the display, and the data folder.
#include <optional>
#include <string>

#include "app/CommandLine.h"

namespace fern {

struct ProgramStart {
    bool run = false;  // false: end with `exitCode`
    int exitCode = 0;
    CommandLine commandLine;
    std::string runtimeFolder;  // the lock, the sockets and the temporary files live here
    std::string dataFolder;
};

// Holds the lock in `lock` for as long as the program runs.
ProgramStart StartProgram(int argc, char** argv, class CInstanceLock& lock);

// The request socket of later starts, in the runtime folder.
std::string HandOffSocketPath(const std::string& runtimeFolder);
// One line on standard error.
void Complain(const std::string& sjis);

}  // namespace fern
