#include "lists/SectionFile.h"

namespace fern {

namespace {

// One section, up to and including its "-". `name` gets the first NAME line
// before the section's first URL record; `seen` tells whether the lines read
// belonged to a section at all (a folder head, a name, an entry or the "-").
bool ReadOneSection(ListLineReader& lines, const std::function<void(std::string_view entry)>& onEntry,
                    std::string* name, bool* seen) {
    bool named = false;
    bool inRecord = false;
    std::string_view line;
    while (lines.Next(line)) {
        switch (ClassifyListLine(line)) {
            case ListLineKind::Field:
                if (ListLineKey(line) == 'U') {
                    if (seen) *seen = true;
                    onEntry(ListFieldValue(line));
                } else if (ListLineKey(line) == 'N' && name && !named && !inRecord) {
                    *name = ListFieldValue(line);
                    named = true;
                    if (seen) *seen = true;
                }
                break;
            case ListLineKind::Head:
                if (ListLineKey(line) == 'U') inRecord = true;
                if (ListLineKey(line) == 'F' && seen) *seen = true;
                break;
            case ListLineKind::Close:
                if (seen) *seen = true;
                return true;
            default: break;
        }
    }
    return false;
}

}  // namespace

bool ReadSectionEntries(ListLineReader& lines, const std::function<void(std::string_view entry)>& onEntry) {
    return ReadOneSection(lines, onEntry, nullptr, nullptr);
}

bool ReadSectionEntries(ListLineReader& lines, std::vector<std::string>& entries, std::size_t limit) {
    return ReadOneSection(
        lines,
        [&](std::string_view entry) {
            if (entries.size() < limit) entries.emplace_back(entry);
        },
        nullptr, nullptr);
}

void WriteSectionEntries(ListTextWriter& out, std::string_view name,
                         const std::vector<std::string>& entries) {
    out.Text("#FOLDER\n");
    out.Field("\tNAME=", name);
    out.Text("\n");
    for (const std::string& entry : entries) {
        out.Text("#URL\n");
        out.Field("\tURL=", entry);
        out.Text("\n");
    }
    out.Text("-\n\n");
}

void ParseSections(std::string_view bytes, const std::vector<SectionReader>& readers) {
    ListLineReader lines(bytes);
    for (const SectionReader& reader : readers)
        if (!reader || !reader(lines)) return;
}

ListFileStatus ReadSections(std::string_view path, const std::vector<SectionReader>& readers) {
    ListFileStatus status;
    if (std::optional<std::string> bytes = LoadListFile(path, status)) ParseSections(*bytes, readers);
    return status;
}

std::string SerializeSections(const std::vector<SectionWriter>& writers) {
    ListTextWriter out;
    for (const SectionWriter& writer : writers)
        if (writer) writer(out);
    return out.Take();
}

ListFileStatus WriteSections(std::string_view path, const std::vector<SectionWriter>& writers) {
    return SaveListFile(path, SerializeSections(writers));
}

std::vector<ListSection> ParseAllSections(std::string_view bytes) {
    std::vector<ListSection> sections;
    ListLineReader lines(bytes);
    while (!lines.AtEnd()) {
        ListSection section;
        bool seen = false;
        ReadOneSection(
            lines, [&](std::string_view entry) { section.entries.emplace_back(entry); }, &section.name,
            &seen);
        if (seen) sections.push_back(std::move(section));
    }
    return sections;
}

}  // namespace fern
