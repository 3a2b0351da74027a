#include "filters/CloseFilter.h"

#include <algorithm>

#include "page/WildcardMatch.h"

namespace fern {

namespace {

bool AnyMatches(const std::vector<std::string>& patterns, const std::string& text) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&text](const std::string& pattern) { return WildcardMatch(pattern, text); });
}

}  // namespace

bool CCloseFilter::MatchesCloseUrl(const std::string& url) {
    return m_settings.closeUrlFilter && AnyMatches(m_lists.urls, url);
}

bool CCloseFilter::MatchesCloseTitle(const std::string& title) {
    return m_settings.closeTitleFilter && AnyMatches(m_lists.titles, title);
}

}  // namespace fern
