#include "filters/CloseFilter.h"

#include <algorithm>

namespace fern {

namespace {

bool AnyMatches(const std::vector<WildcardPattern>& patterns, const std::string& text) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&text](const WildcardPattern& pattern) { return pattern.Matches(text); });
}

}  // namespace

void CCloseFilter::Prepare() {
    if (m_prepared) return;
    m_urls.clear();
    m_titles.clear();
    for (const std::string& url : m_lists.urls) m_urls.emplace_back(url);
    for (const std::string& title : m_lists.titles) m_titles.emplace_back(title);
    m_prepared = true;
}

bool CCloseFilter::MatchesCloseUrl(const std::string& url) {
    if (!m_settings.closeUrlFilter) return false;
    Prepare();
    return AnyMatches(m_urls, url);
}

bool CCloseFilter::MatchesCloseTitle(const std::string& title) {
    if (!m_settings.closeTitleFilter) return false;
    Prepare();
    return AnyMatches(m_titles, title);
}

}  // namespace fern
