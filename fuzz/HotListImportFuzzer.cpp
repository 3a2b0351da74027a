// libFuzzer target: ImportHotList on any bytes, read from a file as the
// import command reads it.
#include <cstddef>
#include <cstdint>

#include "FuzzTempDir.h"
#include "FuzzTreeCheck.h"
#include "bookmarks/exchange/HotList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fern::fuzz::WriteInputFile(data, size);
    fern::BookmarkTree tree(fern::fuzz::FuzzOptions(), [] { return fern::fuzz::kFuzzNow; });
    fern::ExchangeStatus status = fern::ImportHotList(path, tree, nullptr);
    fern::fuzz::CheckImportedTree(tree, status);
    return 0;
}
