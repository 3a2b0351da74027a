#pragma once
// typed.fbl: the typed addresses ("typedurl"), then the typed words of the
// history search ("typedhs") and of the web search ("typedws"). The two
// search sections belong to their panels, which say whether they are kept;
// until then they are written back as read (at most 64 each).
#include <string>
#include <vector>

#include "lists/SearchStrings.h"
#include "lists/SectionFile.h"

namespace fern {

// The "typedurl" section reader: at most `limit` addresses are taken (none
// for a limit below 1), but the section is read on to its "-" so the next
// section starts in the right place. False when the bytes ended first.
bool ReadTypedUrls(ListLineReader& lines, std::vector<std::string>& urls, int limit);

// The "typedurl" section writer: the first `limit` addresses.
void WriteTypedUrls(ListTextWriter& out, const std::vector<std::string>& urls, int limit);

// The whole file.
struct TypedHistory {
    std::vector<std::string> urls;
    SearchStrings historySearch{"typedhs", {}, true};
    SearchStrings webSearch{"typedws", {}, true};
    // The file is there but could not be read: writing it would replace
    // sections that were never read, so it is left alone.
    bool unreadable = false;
};

// A missing file leaves `history` as it is.
ListFileStatus ReadTypedHistory(std::string_view path, TypedHistory& history, int urlLimit);
std::string SerializeTypedHistory(const TypedHistory& history, int urlLimit);
// Refused (and the file kept) when the history could not be read.
[[nodiscard]] ListFileStatus WriteTypedHistory(std::string_view path, const TypedHistory& history,
                                               int urlLimit);

}  // namespace fern
