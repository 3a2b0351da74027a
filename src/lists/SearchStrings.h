#pragma once
// The search strings the side bar's search panels remember, newest first,
// without repeats, at most 64: the history search's ("typedhs") and the web
// search's ("typedws") sections of typed.fbl. Written only while the panel's
// "検索文字列の保存" is on; reading stops after 64 entries.
#include <cstddef>
#include <string>
#include <vector>

#include "lists/SectionFile.h"

namespace fern {

inline constexpr std::size_t kSearchStringLimit = 64;

struct SearchStrings {
    std::string name;                  // the section's folder name
    std::vector<std::string> entries;  // newest first
    bool keep = true;                  // written at all

    // Moves `text` to the top (an equal entry is taken out first); the
    // oldest beyond the limit go. An empty text changes nothing.
    void Push(const std::string& text);
};

SectionReader SearchStringsReader(SearchStrings& strings);
SectionWriter SearchStringsWriter(const SearchStrings& strings);

}  // namespace fern
