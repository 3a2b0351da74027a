// fernctl ini get|set|delete: the profile store from the command line, with
// the same reading and writing rules as the program. Section, key and value
// words are bytes passed through unchanged (Shift-JIS like the files).
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "Commands.h"
#include "platform/ini/PrivateProfile.h"
#include "platform/ini/ProfileFile.h"

namespace fernctl {

namespace {

struct Options {
    Args words;
    std::optional<std::string> defaultValue;
    std::optional<std::string> size;
    bool asInt = false;
};

// Splits words from options. "--" ends the options, so a value that starts
// with "--" can still be given.
std::optional<Options> ParseOptions(const Args& args, bool getOptions, std::string& error) {
    Options options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            options.words.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (getOptions && arg == "--int") {
            options.asInt = true;
        } else if (getOptions && (arg == "--default" || arg == "--size")) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return std::nullopt;
            }
            (arg == "--default" ? options.defaultValue : options.size) = args[++i];
        } else {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
    }
    return options;
}

// A whole decimal number within [low, high], like the ones the files hold.
std::optional<long long> ParseNumber(const std::string& text, long long low, long long high) {
    if (text.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    long long n = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || n < low || n > high) return std::nullopt;
    return n;
}

int Usage(const std::string& problem, const char* usage) {
    return Fail(problem + " (usage: fernctl ini " + usage + ")");
}

void PrintLine(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fputc('\n', stdout);
}

int Get(const Args& args) {
    const char* usage = "get FILE SECTION KEY [--default D] [--int] [--size N]";
    std::string error;
    std::optional<Options> options = ParseOptions(args, true, error);
    if (!options) return Usage(error, usage);
    if (options->words.size() < 3) return Usage("missing arguments", usage);
    if (options->words.size() > 3) return Usage("too many arguments", usage);
    const std::string& fileArg = options->words[0];
    std::string path = PathArgument(fileArg);
    const std::string& section = options->words[1];
    const std::string& key = options->words[2];

    int defaultInt = 0;
    std::size_t bufferSize = 0;
    if (options->asInt) {
        if (options->size) return Fail("--size cannot be used with --int");
        if (options->defaultValue) {
            auto n = ParseNumber(*options->defaultValue, INT_MIN, INT_MAX);
            if (!n) return Fail("--default must be a whole number from -2147483648 to 2147483647");
            defaultInt = static_cast<int>(*n);
        }
    } else if (options->size) {
        auto n = ParseNumber(*options->size, 0, LLONG_MAX);
        if (!n) return Fail("--size must be a whole number of bytes, 0 or more");
        // A buffer of no bytes holds nothing; the store reads 0 as no limit.
        if (*n == 0) {
            PrintLine("");
            return 0;
        }
        bufferSize = static_cast<std::size_t>(*n);
    }

    // A missing file reads as empty; one that is there but unreadable is an error.
    fern::ProfileFile file = fern::LoadProfileFile(path);
    if (file.state == fern::ProfileFile::State::Unreadable)
        return Fail("cannot read " + fileArg + ": " + file.error);

    if (options->asInt) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", fern::GetPrivateProfileInt(section, key, defaultInt, path));
        PrintLine(text);
    } else {
        PrintLine(fern::GetPrivateProfileString(section, key, options->defaultValue.value_or(""), path,
                                                bufferSize));
    }
    return 0;
}

int Change(const Args& args, bool set) {
    const char* usage = set ? "set FILE SECTION KEY VALUE" : "delete FILE SECTION [KEY]";
    std::string error;
    std::optional<Options> options = ParseOptions(args, false, error);
    if (!options) return Usage(error, usage);
    const Args& words = options->words;
    std::size_t least = set ? 4 : 2, most = set ? 4 : 3;
    if (words.size() < least) return Usage("missing arguments", usage);
    if (words.size() > most) return Usage("too many arguments", usage);

    std::optional<std::string_view> key, value;
    if (words.size() > 2) key = words[2];
    if (set) value = words[3];
    if (!fern::EditProfileFile(PathArgument(words[0]), words[1], key, value, &error))
        return Fail("cannot change " + words[0] + ": " + error);
    return 0;
}

}  // namespace

int RunIniCommand(const Args& args) {
    if (args.empty()) return Fail("ini needs a command: get, set or delete (see fernctl --help)");
    Args rest(args.begin() + 1, args.end());
    if (args[0] == "get") return Get(rest);
    if (args[0] == "set") return Change(rest, true);
    if (args[0] == "delete") return Change(rest, false);
    return Fail("unknown ini command '" + args[0] + "' (get, set or delete)");
}

}  // namespace fernctl
