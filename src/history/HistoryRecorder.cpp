#include "history/HistoryRecorder.h"

#include <algorithm>
#include <cstring>

#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

constexpr std::size_t kBinaryProbe = 1024;

std::string_view SchemeOf(std::string_view url) {
    std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0) return {};
    for (std::size_t i = 0; i < colon; ++i) {
        char c = url[i];
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                  (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!ok) return {};
    }
    return url.substr(0, colon);
}

bool SchemeIs(std::string_view url, std::initializer_list<const char*> schemes) {
    std::string scheme = SjisToLower(SchemeOf(url));
    return std::any_of(schemes.begin(), schemes.end(), [&](const char* s) { return scheme == s; });
}

bool IsTextType(std::string_view mimeType) {
    std::string type = SjisToLower(mimeType.substr(0, mimeType.find(';')));
    while (!type.empty() && type.back() == ' ') type.pop_back();
    if (type.rfind("text/", 0) == 0) return true;
    for (const char* known :
         {"application/xhtml+xml", "application/xml", "application/json", "application/javascript",
          "application/ecmascript", "application/rss+xml", "application/atom+xml"})
        if (type == known) return true;
    return type.size() > 4 && type.compare(type.size() - 4, 4, "+xml") == 0;
}

bool LooksBinary(std::string_view bytes) {
    if (bytes.size() >= 2 &&
        ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
        return false;
    std::string_view probe = bytes.substr(0, std::min(bytes.size(), kBinaryProbe));
    return std::memchr(probe.data(), 0, probe.size()) != nullptr;
}

}  // namespace

bool IsRecordableUrl(std::string_view url) { return SchemeIs(url, {"http", "https", "ftp", "file"}); }

bool KeepsPageBytes(std::string_view url, std::string_view mimeType, std::string_view bytes) {
    return SchemeIs(url, {"http", "https"}) && !bytes.empty() && IsTextType(mimeType) && !LooksBinary(bytes);
}

CHistoryRecorder::CHistoryRecorder(IHistoryWriter& writer, Clock clock, RecordingRules rules)
    : m_writer(writer), m_clock(std::move(clock)), m_rules(std::move(rules)) {}

bool CHistoryRecorder::Recording() const {
    if (m_rules.offline && m_rules.offline()) return false;
    return !(m_rules.privateBrowsing && m_rules.privateBrowsing());
}

void CHistoryRecorder::Committed(const void* view, const std::string& url) {
    if (!Recording() || !IsRecordableUrl(url)) {
        m_pages.erase(view);
        return;
    }
    m_pages[view] = url;
    m_writer.RecordVisit(url, m_clock());
}

void CHistoryRecorder::TitleChanged(const void* view, const std::string& title) {
    auto page = m_pages.find(view);
    if (page == m_pages.end() || title.empty() || !Recording()) return;
    m_writer.SetTitle(page->second, title);
}

bool CHistoryRecorder::WantsPageBytes(const void* view, const std::string& url,
                                      std::string_view mimeType) const {
    auto page = m_pages.find(view);
    if (page == m_pages.end() || page->second != url || !Recording()) return false;
    if (m_rules.keepPageTexts && !m_rules.keepPageTexts()) return false;
    return KeepsPageBytes(url, mimeType, " ");
}

void CHistoryRecorder::MainResourceLoaded(const void* view, const std::string& url, std::string_view mimeType,
                                          std::string_view bytes) {
    if (!WantsPageBytes(view, url, mimeType) || !KeepsPageBytes(url, mimeType, bytes)) return;
    // Only what the store keeps crosses to its thread.
    m_writer.StorePage(url, std::string(bytes.substr(0, std::min(bytes.size(), m_rules.pageBytes))),
                       m_clock());
}

}  // namespace fern
