#pragma once
// The flat list of plain URLs: one folder of URL records holding only a url
// (the list editor's files, URL extraction, list files given to open).
#include <string>
#include <string_view>
#include <vector>

#include "lists/ListFileStore.h"

namespace fern {

// Appends the value of every URL line of the first folder of `bytes`.
void ParseUrlList(std::string_view bytes, std::vector<std::string>& urls);

// ParseUrlList on the file; a file that cannot be opened leaves `urls` as it
// is and is reported in the result (which callers may ignore).
ListFileStatus ReadUrlList(std::string_view path, std::vector<std::string>& urls);

std::string SerializeUrlList(std::string_view listName, const std::vector<std::string>& urls);

[[nodiscard]] ListFileStatus WriteUrlList(std::string_view path, std::string_view listName,
                                          const std::vector<std::string>& urls);

}  // namespace fern
