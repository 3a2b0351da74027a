#include "platform/text/SjisSearch.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/text/SjisByteClass.h"

using namespace fern;

namespace {

// The walk backwards agrees with the walk from the start on any bytes.
TEST(IsSjisCharStart, AgreesWithTheForwardWalk) {
    std::mt19937 random(7);
    const unsigned char alphabet[] = {'a',  'A',  '\\', '@',  0x81, 0x82, 0x83, 0x9F,
                                      0xE0, 0xFC, 0x7F, 0xA0, 0xB1, 0x40, 0xFD};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = 0, n = static_cast<int>(random() % 12); i < n; ++i)
            text += static_cast<char>(alphabet[random() % sizeof alphabet]);
        for (std::size_t i = 0; i <= text.size(); ++i)
            ASSERT_EQ(IsSjisCharStart(text, i),
                      i == text.size() || SjisByteClassAt(text, i) != SjisByteClass::Trail)
                << "round " << round << " index " << i;
    }
}

TEST(SjisSearcher, FindsOnlyWholeCharactersWithTheCaseRule) {
    struct Case {
        const char* text;
        const char* needle;
        bool caseSensitive;
        std::size_t expected;
    } cases[] = {
        {"abcABC", "ABC", true, 3},
        {"abcABC", "ABC", false, 0},
        {"xyzABC", "abc", false, 3},
        {"xyzABC", "abc", true, std::string_view::npos},
        // "ア" is 0x83 0x41: its trail byte is an "A" that neither matches nor folds.
        {"ア", "A", true, std::string_view::npos},
        {"ア", "a", false, std::string_view::npos},
        {"アa", "a", false, 2},
        // "ソ" is 0x83 0x5C: a trail byte followed by a lead byte looks like "\x5C\x83".
        {"ソア", "\x5C\x83", true, std::string_view::npos},
        // A "\" of its own is found after the one inside "ソ".
        {"ソ\\", "\\", true, 2},
        {"日本語のページ", "のペ", false, 6},
        {"日本語のページ", "ペー", true, 8},
        {"", "a", false, std::string_view::npos},
        {"abc", "", false, 0},
    };
    for (const Case& c : cases) {
        SjisSearcher searcher(c.needle, c.caseSensitive);
        EXPECT_EQ(searcher.Find(c.text), c.expected) << c.text << " / " << c.needle;
    }
}

TEST(SjisSearcher, FoldsLettersAsSjisToLowerDoes) {
    std::mt19937 random(11);
    const char* pieces[] = {"A", "a", "Z", "ア", "ヂ", "ソ", "日本", " ", "Q", "q", "\x83", "\x61"};
    for (int round = 0; round < 3000; ++round) {
        std::string text, needle;
        for (int i = 0, n = static_cast<int>(random() % 10); i < n; ++i) text += pieces[random() % 12];
        for (int i = 0, n = 1 + static_cast<int>(random() % 3); i < n; ++i) needle += pieces[random() % 12];
        SjisSearcher searcher(needle, false);
        EXPECT_EQ(searcher.FoundIn(text), SjisContains(SjisToLower(text), SjisToLower(needle)))
            << "text " << text << " needle " << needle;
    }
}

}  // namespace
