// libFuzzer target: every reader of the program's list files (.fbl) on any
// bytes: the bookmark file, the flat item lists (state log, startup URLs,
// recently closed URLs), the plain URL lists, the sectioned files (typed.fbl)
// and close.fbl. A bookmark file read and written again must read back with
// the same nodes, as the user's next save depends on it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzTreeCheck.h"
#include "filters/CloseLists.h"
#include "lists/BookmarkFile.h"
#include "lists/ItemListFile.h"
#include "lists/SectionFile.h"
#include "lists/UrlListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    fern::BookmarkReadOptions options;
    options.rootName = "Fern Browser BookMark";
    options.timeStamp = fern::fuzz::kFuzzNow;
    fern::BookmarkFileContents read = fern::ParseBookmarkFile(bytes, options);
    if (!read.root || !read.trash) __builtin_trap();
    fern::BookmarkFileContents again =
        fern::ParseBookmarkFile(fern::SerializeBookmarkFile(*read.root, *read.trash), options);
    if (fern::fuzz::CountBelow(*again.root) != fern::fuzz::CountBelow(*read.root)) __builtin_trap();
    if (fern::fuzz::CountBelow(*again.trash) != fern::fuzz::CountBelow(*read.trash)) __builtin_trap();

    std::vector<fern::UrlItem> items;
    fern::ParseItemList(bytes, items);
    std::vector<fern::UrlItem> itemsAgain;
    fern::ParseItemList(fern::SerializeItemList("laststate", items), itemsAgain);
    if (itemsAgain.size() != items.size()) __builtin_trap();

    std::vector<std::string> urls;
    fern::ParseUrlList(bytes, urls);
    fern::ParseAllSections(bytes);
    fern::CloseLists lists;
    fern::ParseCloseLists(bytes, lists);
    fern::SerializeCloseLists(lists);
    return 0;
}
