#pragma once
// The multi-section list file (typed.fbl, close.fbl): the header, then one
// folder per section in a fixed order, each holding plain entries. Sections
// are found by their place in the file, not by their names.
#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "lists/ListFileStore.h"
#include "lists/ListLine.h"
#include "lists/ListTextWriter.h"

namespace fern {

// Reads its own section from the lines and returns false when the bytes
// ended before the section's "-" (the readers after it are then not called).
using SectionReader = std::function<bool(ListLineReader& lines)>;
// Appends its own section.
using SectionWriter = std::function<void(ListTextWriter& out)>;

// The body of a section reader: every line up to and including the
// section's "-"; `onEntry` gets the value of each URL line. Head and NAME
// lines are skipped. False when the bytes ended first.
bool ReadSectionEntries(ListLineReader& lines, const std::function<void(std::string_view entry)>& onEntry);
// The same into `entries`, taking no more once it holds `limit` (the rest of
// the section is still read, so the next section starts in the right place).
bool ReadSectionEntries(ListLineReader& lines, std::vector<std::string>& entries,
                        std::size_t limit = std::numeric_limits<std::size_t>::max());

// The body of a section writer: the folder record named `name`, one URL
// record per entry, and the closing "-".
void WriteSectionEntries(ListTextWriter& out, std::string_view name, const std::vector<std::string>& entries);

// Calls the readers in order until one returns false.
void ParseSections(std::string_view bytes, const std::vector<SectionReader>& readers);

// ParseSections on the file; when it cannot be opened no reader is called
// (the lists stay as they are) and the result says why.
ListFileStatus ReadSections(std::string_view path, const std::vector<SectionReader>& readers);

// The header, then what each writer appends, in order.
std::string SerializeSections(const std::vector<SectionWriter>& writers);

[[nodiscard]] ListFileStatus WriteSections(std::string_view path, const std::vector<SectionWriter>& writers);

// Every section of a file whose sections are not known in advance (tools):
// each top-level folder is one section, named by its first NAME line.
struct ListSection {
    std::string name;
    std::vector<std::string> entries;
};
std::vector<ListSection> ParseAllSections(std::string_view bytes);

}  // namespace fern
