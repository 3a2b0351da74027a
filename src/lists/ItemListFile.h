#pragma once
// The flat list of named items: one folder of URL records with name, url and
// style (state log, start-up list, recently closed URLs, saved URL lists).
#include <string>
#include <string_view>
#include <vector>

#include "lists/ListFileStore.h"
#include "lists/UrlItem.h"

namespace fern {

// Appends the items of the first folder of `bytes` to `items`. Each "#URL"
// starts an item with the record's defaults (type 0, style 112, exstyle 1,
// created 0); NAME, URL and STYLE lines fill it.
void ParseItemList(std::string_view bytes, std::vector<UrlItem>& items);

// ParseItemList on the file; a file that cannot be opened leaves `items` as
// it is and is reported in the result (which callers may ignore).
ListFileStatus ReadItemList(std::string_view path, std::vector<UrlItem>& items);

// The NAME line only for a named item, URL and STYLE only when it has a url.
std::string SerializeItemList(std::string_view listName, const std::vector<UrlItem>& items);

[[nodiscard]] ListFileStatus WriteItemList(std::string_view path, std::string_view listName,
                                           const std::vector<UrlItem>& items);

}  // namespace fern
