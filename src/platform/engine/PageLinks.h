#pragma once
// The documents of a page (the page's own and those of its frames, at any
// depth) with the links and images each holds, as the engine's frames report
// them one by one, and the depth-first order they are shown in.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

struct PageLink {
    bool image = false;  // an image's source, else a link's target
    std::string url;
    bool operator==(const PageLink&) const = default;
};

struct FrameReport {
    std::vector<int> path;  // frame indexes from the top document ({} is the top)
    std::string url, title;
    std::vector<PageLink> links;  // in document order
    int frameCount = 0;           // frames directly inside
};

// "0.2.1" as {0, 2, 1}; "" is the top document. Nullopt for anything else
// (or a path deeper than frames can nest).
std::optional<std::vector<int>> ParseFramePath(std::string_view text);
// Lines "A<url>" (link) and "I<url>" (image) separated by "\n"; other lines
// are dropped.
std::vector<PageLink> ParsePageLinks(std::string_view lines);

class CFrameCollection {
public:
    // A second report of the same document is dropped, as are reports
    // beyond any page's size; false then.
    bool Add(FrameReport report);
    // Every frame named by a report has reported (the top included).
    bool Complete() const;
    bool Empty() const { return m_reports.empty(); }
    // The reports, depth first: a document, then each of its frames with
    // their own frames, in frame order.
    std::vector<FrameReport> TakeDocuments();

private:
    std::vector<FrameReport> m_reports;
};

}  // namespace fern
