#include <gtest/gtest.h>

#include <string>

#include "filters/WildcardPattern.h"
#include "page/WildcardMatch.h"

using namespace fern;

namespace {

// The rule as first written: simple, exponential on many stars; the fast
// matcher must agree with it everywhere.
bool Reference(std::string_view p, std::string_view t) {
    if (p.empty()) return t.empty();
    if (p[0] == '*') return Reference(p.substr(1), t) || (!t.empty() && Reference(p, t.substr(1)));
    return !t.empty() && p[0] == t[0] && Reference(p.substr(1), t.substr(1));
}

}  // namespace

TEST(WildcardMatch, AnchoredCaseSensitiveStarOnly) {
    EXPECT_FALSE(WildcardMatch("http://ads.*", "HTTP://ADS.example/"));
    EXPECT_TRUE(WildcardMatch("*ad*.gif", "http://x/ad/banner.gif"));
    EXPECT_FALSE(WildcardMatch("a?c", "abc"));  // no single-character wildcard
    EXPECT_TRUE(WildcardMatch("about:blank*", "about:blank"));
}

TEST(WildcardMatch, AgreesWithTheRecursiveRuleOnRandomInputs) {
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    const char bytes[] = {'a', 'b', '*', '\x83', '\x41'};
    for (int round = 0; round < 20000; ++round) {
        std::string p, t;
        for (unsigned n = next() % 10; n > 0; --n) p += bytes[next() % 5];
        for (unsigned n = next() % 14; n > 0; --n) t += bytes[next() % 5];
        ASSERT_EQ(WildcardMatch(p, t), Reference(p, t)) << p << " / " << t;
        ASSERT_EQ(WildcardPattern(p).Matches(t), Reference(p, t)) << p << " / " << t;
    }
    // Pathological: many stars against a long text must finish quickly.
    std::string pattern, text(100 * 1024, 'a');
    for (int i = 0; i < 64; ++i) pattern += "*a";
    EXPECT_FALSE(WildcardMatch(pattern + "c", text));
    EXPECT_TRUE(WildcardMatch(pattern + "c", text + "c"));
    EXPECT_FALSE(WildcardPattern(pattern + "c").Matches(text));
    EXPECT_TRUE(WildcardPattern(pattern).Matches(text));
}
