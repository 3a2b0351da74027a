#pragma once
// fernctl's command groups. Each takes the words after its group name and
// returns the exit status: 0 done, 2 bad input (after one line on stderr).
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

// A file argument from the command line: a path is the file system's bytes,
// not text, so it is taken as it stands.
std::string PathArgument(const std::string& arg);

}  // namespace fernctl
