#pragma once
// The program's command line: "--data-dir DIR" or "--data-dir=DIR" chooses the
// data folder and is taken out; every other argument is a URL or a file to
// open, kept in order, as text (see ArgumentText). Folder and file names
// stay the file system's bytes.
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fern {

struct CommandLine {
    std::optional<std::string> dataDir;
    // "--screenshot FILE": save a picture of the window
    // once the first page has loaded, then exit. For runs without a display.
    std::optional<std::string> screenshot;
    // "--version": print the version and exit, before any display is opened.
    bool version = false;
    std::vector<std::string> arguments;
    // Not empty when the command line cannot be used; the text says why.
    std::string error;

    bool Ok() const { return error.empty(); }
};

// `args` are the arguments after the program name, as the system gave them.
// The last "--data-dir" given wins; one without a folder is an error.
CommandLine ParseCommandLine(std::span<const std::string> args);
CommandLine ParseCommandLine(int argc, char** argv);

}  // namespace fern
