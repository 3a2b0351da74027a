#include <cstdio>
#include <optional>
#include <string>

#include "Commands.h"
#include "InputFile.h"
#include "lists/EncodingConvert.h"
#include "lists/EncodingDetect.h"

namespace fernctl {

namespace {

const char kUsage[] = "usage: fernctl encoding detect FILE | convert FILE [--code N]";
constexpr std::size_t kDetectBytes = 1024;
constexpr std::size_t kConvertLimit = 64 * 1024 * 1024;

// "0".."6"; anything else is nullopt.
std::optional<int> ParseCode(const std::string& text) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '6') return std::nullopt;
    return text[0] - '0';
}

int WriteOut(const std::string& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
        return Fail("encoding: cannot write to standard output");
    return 0;
}

}  // namespace

int RunEncodingCommand(const Args& args) {
    if (args.empty() || (args[0] != "detect" && args[0] != "convert"))
        return Fail(std::string("encoding: unknown or missing command (") + kUsage + ")");
    const bool convert = args[0] == "convert";
    std::optional<std::string> file;
    fern::EncodingConversionContext context;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (convert && arg == "--code") {
            std::optional<int> code = i + 1 < args.size() ? ParseCode(args[i + 1]) : std::nullopt;
            if (!code) return Fail("encoding: --code needs a number from 0 to 6");
            context.forcedCode = *code;
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Fail("encoding: unknown option '" + arg + "'");
        } else if (file) {
            return Fail("encoding: unexpected argument '" + arg + "'");
        } else {
            file = arg;
        }
    }
    if (!file) return Fail(std::string("encoding: no file given (") + kUsage + ")");

    // Detection looks at the first 1,024 bytes only (ChooseConversionCode);
    // a conversion needs the whole file, up to a size that fits in memory.
    std::string error;
    std::optional<std::string> bytes =
        ReadInputFile(PathArgument(*file), convert ? kConvertLimit : kDetectBytes, convert, error);
    if (!bytes) return Fail("encoding: cannot read '" + *file + "': " + error);

    if (!convert) {
        int code = fern::ChooseConversionCode(bytes->data(), bytes->size(), context);
        return WriteOut(std::string(fern::EncodingName(code)) + "\n");
    }
    return WriteOut(fern::ConvertToShiftJis(*bytes, context));
}

}  // namespace fernctl
