#include "filters/CloseLists.h"

#include "frame/ListFileGuard.h"
#include "lists/SectionFile.h"

namespace fern {

namespace {

constexpr char kUrlSection[] = "closeurl";
constexpr char kTitleSection[] = "closetitle";

std::vector<SectionReader> Readers(CloseLists& lists) {
    return {[&lists](ListLineReader& lines) { return ReadSectionEntries(lines, lists.urls); },
            [&lists](ListLineReader& lines) { return ReadSectionEntries(lines, lists.titles); }};
}

std::vector<SectionWriter> Writers(const CloseLists& lists) {
    return {[&lists](ListTextWriter& out) { WriteSectionEntries(out, kUrlSection, lists.urls); },
            [&lists](ListTextWriter& out) { WriteSectionEntries(out, kTitleSection, lists.titles); }};
}

}  // namespace

ListFileStatus ReadCloseLists(std::string_view path, CloseLists& lists) {
    lists.urls.clear();
    lists.titles.clear();
    ListFileStatus status = ReadSections(path, Readers(lists));
    lists.unreadable = ExistsButUnread(path, status);
    return status;
}

void ParseCloseLists(std::string_view bytes, CloseLists& lists) {
    lists.urls.clear();
    lists.titles.clear();
    ParseSections(bytes, Readers(lists));
}

std::string SerializeCloseLists(const CloseLists& lists) { return SerializeSections(Writers(lists)); }

ListFileStatus WriteCloseLists(std::string_view path, const CloseLists& lists) {
    if (lists.unreadable) return KeptUnreadStatus();
    return WriteSections(path, Writers(lists));
}

}  // namespace fern
