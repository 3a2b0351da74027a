#pragma once
// Runs the real fernctl binary for the command tests, and the one shape every
// refusal has.
#include <string>
#include <vector>

namespace fern::test {

struct FernctlRun {
    int status = -1;
    std::string out, err;
    bool timedOut = false;  // killed after the time-out
    double seconds = 0;
};

// fernctl with `args` exactly as given (bytes unchanged) and `input` on its
// standard input.
FernctlRun RunFernctl(const std::vector<std::string>& args, const std::string& input = "");
// The same with the file (or device) `inputPath` as standard input; a run
// that takes longer than `timeoutSeconds` is killed.
FernctlRun RunFernctlReading(const std::vector<std::string>& args, const std::string& inputPath,
                             int timeoutSeconds = 60);
// The same with the arguments written as shell words ("list dump 'a b'").
FernctlRun RunFernctlWords(const std::string& words, const std::string& input = "");

// Exit status 2, nothing on standard output, and exactly one line on standard
// error that starts "fernctl: " and mentions `says`.
void ExpectRefused(const FernctlRun& run, const std::string& says = "");

}  // namespace fern::test
