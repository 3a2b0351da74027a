#include "app/CommandLine.h"

#include <string_view>

#include "app/ArgumentUrl.h"

namespace fern {

namespace {

constexpr std::string_view kDataDirOption = "--data-dir";
constexpr std::string_view kScreenshotOption = "--screenshot";
constexpr std::string_view kVersionOption = "--version";

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> args) {
    CommandLine result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::optional<std::string_view> value;
        if (arg == kVersionOption) {
            result.version = true;
            continue;
        }
        if (arg == kScreenshotOption) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                result.error = "--screenshot needs a file name";
                return result;
            }
            result.screenshot = args[++i];
            continue;
        }
        if (arg == kDataDirOption) {
            if (i + 1 < args.size()) value = args[++i];
            else value = "";
        } else if (arg.size() > kDataDirOption.size() && arg.starts_with(kDataDirOption) &&
                   arg[kDataDirOption.size()] == '=') {
            value = arg.substr(kDataDirOption.size() + 1);
        } else {
            result.arguments.push_back(ArgumentText(std::string(arg)));
            continue;
        }
        if (value->empty()) {
            result.error = "--data-dir needs a folder (--data-dir DIR or --data-dir=DIR)";
            return result;
        }
        result.dataDir = std::string(*value);
    }
    return result;
}

CommandLine ParseCommandLine(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        if (argv[i]) args.emplace_back(argv[i]);
    return ParseCommandLine(args);
}

}  // namespace fern
