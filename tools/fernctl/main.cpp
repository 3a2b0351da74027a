#include <cstdio>
#include <cstring>

#include "Commands.h"
#include "platform/text/Encoding.h"

namespace fernctl {

int Fail(const std::string& message) {
    std::fprintf(stderr, "fernctl: %s\n", message.c_str());
    return 2;
}

std::string PathArgument(const std::string& arg) { return fern::FromUtf8(arg); }

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
    "       fernctl bookmarks export netscape|netscape-utf8|favorites|htmllist BOOKMARK.fbl DEST\n";

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
    } catch (const std::exception& e) {
        return fernctl::Fail(e.what());
    }
    return fernctl::Fail("unknown command '" + group + "' (see fernctl --help)");
}
