#include "addressbar/TypedUrlFile.h"

#include <algorithm>

#include "frame/ListFileGuard.h"

namespace fern {

namespace {

constexpr char kTypedUrlSection[] = "typedurl";

std::size_t LimitOf(int limit) { return limit < 1 ? 0 : static_cast<std::size_t>(limit); }

std::vector<SectionReader> Readers(TypedHistory& history, int urlLimit) {
    return {
        [&history, urlLimit](ListLineReader& lines) { return ReadTypedUrls(lines, history.urls, urlLimit); },
        SearchStringsReader(history.historySearch), SearchStringsReader(history.webSearch)};
}

std::vector<SectionWriter> Writers(const TypedHistory& history, int urlLimit) {
    return {[&history, urlLimit](ListTextWriter& out) { WriteTypedUrls(out, history.urls, urlLimit); },
            SearchStringsWriter(history.historySearch), SearchStringsWriter(history.webSearch)};
}

}  // namespace

bool ReadTypedUrls(ListLineReader& lines, std::vector<std::string>& urls, int limit) {
    return ReadSectionEntries(lines, urls, LimitOf(limit));
}

void WriteTypedUrls(ListTextWriter& out, const std::vector<std::string>& urls, int limit) {
    std::size_t count = std::min(urls.size(), LimitOf(limit));
    WriteSectionEntries(
        out, kTypedUrlSection,
        std::vector<std::string>(urls.begin(), urls.begin() + static_cast<std::ptrdiff_t>(count)));
}

ListFileStatus ReadTypedHistory(std::string_view path, TypedHistory& history, int urlLimit) {
    ListFileStatus status = ReadSections(path, Readers(history, urlLimit));
    history.unreadable = ExistsButUnread(path, status);
    return status;
}

std::string SerializeTypedHistory(const TypedHistory& history, int urlLimit) {
    return SerializeSections(Writers(history, urlLimit));
}

ListFileStatus WriteTypedHistory(std::string_view path, const TypedHistory& history, int urlLimit) {
    if (history.unreadable) return KeptUnreadStatus();
    return WriteSections(path, Writers(history, urlLimit));
}

}  // namespace fern
