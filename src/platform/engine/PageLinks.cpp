#include "platform/engine/PageLinks.h"

#include <algorithm>
#include <set>

namespace fern {

namespace {

constexpr std::size_t kMaxDepth = 64;
constexpr int kMaxFrames = 100000;  // frames of one document, more is a broken report
constexpr std::size_t kMaxReports = 100000;

}  // namespace

std::optional<std::vector<int>> ParseFramePath(std::string_view text) {
    std::vector<int> path;
    if (text.empty()) return path;
    while (true) {
        std::size_t dot = text.find('.');
        std::string_view part = text.substr(0, dot);
        if (part.empty() || part.size() > 6 || path.size() >= kMaxDepth) return std::nullopt;
        int index = 0;
        for (char c : part) {
            if (c < '0' || c > '9') return std::nullopt;
            index = index * 10 + (c - '0');
        }
        path.push_back(index);
        if (dot == std::string_view::npos) return path;
        text.remove_prefix(dot + 1);
    }
}

std::vector<PageLink> ParsePageLinks(std::string_view lines) {
    std::vector<PageLink> links;
    while (!lines.empty()) {
        std::size_t end = lines.find('\n');
        std::string_view line = lines.substr(0, end);
        if (line.size() > 1 && (line[0] == 'A' || line[0] == 'I'))
            links.push_back({line[0] == 'I', std::string(line.substr(1))});
        if (end == std::string_view::npos) break;
        lines.remove_prefix(end + 1);
    }
    return links;
}

bool CFrameCollection::Add(FrameReport report) {
    if (m_reports.size() >= kMaxReports) return false;
    for (const FrameReport& seen : m_reports)
        if (seen.path == report.path) return false;
    report.frameCount = std::clamp(report.frameCount, 0, kMaxFrames);
    m_reports.push_back(std::move(report));
    return true;
}

// Counting reports is not enough: a frame's frames may report before it
// does, so each document's frames are looked for by their paths.
bool CFrameCollection::Complete() const {
    std::set<std::vector<int>> paths;
    for (const FrameReport& report : m_reports) paths.insert(report.path);
    if (!paths.count({})) return false;
    for (const FrameReport& report : m_reports) {
        std::vector<int> child = report.path;
        child.push_back(0);
        for (int i = 0; i < report.frameCount; ++i) {
            child.back() = i;
            if (!paths.count(child)) return false;
        }
    }
    return true;
}

std::vector<FrameReport> CFrameCollection::TakeDocuments() {
    std::vector<FrameReport> documents = std::move(m_reports);
    m_reports.clear();
    std::stable_sort(documents.begin(), documents.end(),
                     [](const FrameReport& a, const FrameReport& b) { return a.path < b.path; });
    return documents;
}

}  // namespace fern
