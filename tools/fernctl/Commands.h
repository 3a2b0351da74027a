#pragma once
// fernctl's command groups. Each takes the words after its group name and
// returns the exit status: 0 done, 2 bad input (after one line on stderr).
#include <stdexcept>
#include <string>
#include <vector>

namespace fernctl {

using Args = std::vector<std::string>;

int RunListCommand(const Args& args);
int RunIniCommand(const Args& args);
int RunEncodingCommand(const Args& args);
int RunBookmarksCommand(const Args& args);
// The browser's request channel; exit 0 answered, 1 not processed, 3 no
// browser running with the service, 4 no answer.
int RunDdeCommand(const Args& args);
// open, windows, info, activate, exit.
int RunDdeShortCommand(const std::string& name, const Args& args);

// Prints "fernctl: <message>" on standard error as one line and returns
// `status`: bytes that are not UTF-8 and line breaks become "?", and a
// message over 1,000 bytes keeps its start and its end.
int Report(int status, const std::string& message);
// Report with status 2.
int Fail(const std::string& message);

// A file argument from the command line (locale UTF-8) as the program's
// Shift-JIS path. A name that does not come back to the same bytes (not
// UTF-8, or characters Shift-JIS cannot hold) would name another file: it
// throws BadArgument, which main reports with status 2.
std::string PathArgument(const std::string& arg);

struct BadArgument : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace fernctl
