#include <cstdio>
#include <cstring>
#include <optional>

#include "Commands.h"
#include "platform/text/Encoding.h"

namespace fernctl {

namespace {

constexpr std::size_t kLongMessage = 1000;
constexpr std::size_t kKeptEachEnd = 300;

}  // namespace

int Report(int status, const std::string& message) {
    // A 64 KiB argument echoed whole helps nobody; the reason is at the end.
    std::string text = message.size() <= kLongMessage ? message
                                                      : message.substr(0, kKeptEachEnd) + " ... " +
                                                            message.substr(message.size() - kKeptEachEnd);
    std::string line;
    fern::ConvertEncoding(text, "UTF-8", "UTF-8", line);  // cut or invalid sequences become "?"
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    std::fprintf(stderr, "fernctl: %s\n", line.c_str());
    return status;
}

int Fail(const std::string& message) { return Report(2, message); }

// A file name stays the file system's bytes.
std::string PathArgument(const std::string& arg) { return arg; }

}  // namespace fernctl

namespace {

const char kUsage[] =
    "usage: fernctl list dump FILE --kind bookmark|items|urls|sections\n"
    "       fernctl list write FILE --kind bookmark|items|urls|sections [--name LISTNAME]\n"
    "       fernctl ini get FILE SECTION KEY [--default D] [--int] [--size N]\n"
    "       fernctl ini set FILE SECTION KEY VALUE\n"
    "       fernctl ini delete FILE SECTION [KEY]\n"
    "       fernctl encoding detect FILE\n"
    "       fernctl encoding convert FILE [--code N]\n"
    "       fernctl bookmarks import netscape|favorites|hotlist|htmllist SOURCE BOOKMARK.fbl\n"
    "       fernctl bookmarks import firefox|chromium [PROFILE] BOOKMARK.fbl\n"
    "       fernctl bookmarks export netscape|netscape-utf8|favorites|htmllist BOOKMARK.fbl DEST\n"
    "       fernctl dde [--service NAME] request TOPIC ITEM [--format N]\n"
    "       fernctl dde [--service NAME] poke TOPIC ITEM DATA [--format N]\n"
    "       fernctl dde [--service NAME] execute TOPIC COMMAND\n"
    "       fernctl dde [--service NAME] wildconnect [TOPIC]   (no --service: every service)\n"
    "       fernctl dde [--service NAME] system ITEM\n"
    "       fernctl open URL | windows | info ID | activate | exit   [--service NAME]\n"
    "       (dde, open ... exit: 0 answered, 1 not processed, 3 no browser running, 4 no answer)\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    fernctl::Args rest(argv + 2, argv + argc);
    std::string group = argv[1];
    try {
        if (group == "list") return fernctl::RunListCommand(rest);
        if (group == "ini") return fernctl::RunIniCommand(rest);
        if (group == "encoding") return fernctl::RunEncodingCommand(rest);
        if (group == "bookmarks") return fernctl::RunBookmarksCommand(rest);
        if (group == "dde") return fernctl::RunDdeCommand(rest);
        if (group == "open" || group == "windows" || group == "info" || group == "activate" ||
            group == "exit")
            return fernctl::RunDdeShortCommand(group, rest);
    } catch (const std::exception& e) {
        return fernctl::Fail(e.what());
    }
    return fernctl::Fail("unknown command '" + group + "' (see fernctl --help)");
}
