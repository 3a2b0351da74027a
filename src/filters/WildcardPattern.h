#pragma once
// A filter pattern prepared for many questions: the same answers as
// WildcardMatch, but most texts are turned away by their length, the bytes
// before the first "*" or those after the last one, without a walk.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fern {

class WildcardPattern {
public:
    explicit WildcardPattern(std::string pattern);
    bool Matches(std::string_view text) const;

private:
    std::string m_pattern;
    bool m_star = false;
    std::size_t m_prefix = 0, m_suffix = 0;  // literal bytes before the first and after the last "*"
    std::size_t m_literal = 0;               // bytes that are not "*"
    struct Segment {
        std::size_t offset, length;
    };
    std::vector<Segment> m_middle;  // the literal runs between stars, in order
};

}  // namespace fern
