#include "filters/WildcardPattern.h"

namespace fern {

WildcardPattern::WildcardPattern(std::string pattern) : m_pattern(std::move(pattern)) {
    std::size_t first = m_pattern.find('*');
    if (first == std::string::npos) {
        m_literal = m_pattern.size();
        return;
    }
    m_star = true;
    std::size_t last = m_pattern.rfind('*');
    m_prefix = first;
    m_suffix = m_pattern.size() - last - 1;
    m_literal = m_prefix + m_suffix;
    for (std::size_t i = first + 1; i < last;) {
        std::size_t star = m_pattern.find('*', i);
        if (star > i) {
            m_middle.push_back({i, star - i});
            m_literal += star - i;
        }
        i = star + 1;
    }
}

// With "*" the only wildcard, the literal runs between stars can be placed
// leftmost one after the other: any later placement leaves less room for the
// rest, so the first fit is the answer.
bool WildcardPattern::Matches(std::string_view text) const {
    std::string_view pattern = m_pattern;
    if (!m_star) return text == pattern;
    if (text.size() < m_literal) return false;
    if (text.substr(0, m_prefix) != pattern.substr(0, m_prefix)) return false;
    if (text.substr(text.size() - m_suffix) != pattern.substr(pattern.size() - m_suffix)) return false;
    std::string_view middle = text.substr(0, text.size() - m_suffix);
    std::size_t at = m_prefix;
    for (const Segment& segment : m_middle) {
        std::size_t found = middle.find(pattern.substr(segment.offset, segment.length), at);
        if (found == std::string_view::npos) return false;
        at = found + segment.length;
    }
    return true;
}

}  // namespace fern
