// libFuzzer target: search.ini on any bytes. The engines read must survive
// the panel's save: the file it writes reads back as the same engines, and
// saving those again writes the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzTempDir.h"
#include "platform/ini/ProfileCache.h"
#include "websearch/SearchEngines.h"

namespace {

std::vector<fern::SearchEngine> ReadBack(const std::string& text) {
    const std::string& path =
        fern::fuzz::WriteInputFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    fern::ForgetCachedProfile(path);
    return fern::ReadSearchIni(path).engines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fern::fuzz::WriteInputFile(data, size);
    fern::ForgetCachedProfile(path);
    fern::SearchIniContents read = fern::ReadSearchIni(path);
    if (read.unreadable || read.engines.empty()) __builtin_trap();

    std::string once = fern::SerializeSearchIni(read.engines);
    std::vector<fern::SearchEngine> again = ReadBack(once);
    if (again.size() != read.engines.size()) __builtin_trap();
    for (std::size_t i = 0; i < again.size(); ++i)
        if (again[i].enabled != read.engines[i].enabled) __builtin_trap();
    std::string twice = fern::SerializeSearchIni(again);
    if (fern::SerializeSearchIni(ReadBack(twice)) != twice) __builtin_trap();
    return 0;
}
