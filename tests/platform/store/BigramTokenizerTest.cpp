#include "platform/store/BigramTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fern;

namespace {

// Tokens written back as the characters they stand for, joined by "|".
std::string Tokens(std::string_view text, bool pairs) {
    std::string out;
    TokenSink sink = [&](std::string_view, std::size_t start, std::size_t end) {
        if (!out.empty()) out += '|';
        out += std::string(text.substr(start, end - start));
    };
    if (pairs) ForEachBigram(text, sink);
    else ForEachCharToken(text, sink);
    return out;
}

TEST(BigramTokenizer, CutsTextIntoPairsAndCharacters) {
    struct Case {
        const char* text;
        const char* pairs;
        const char* chars;
        std::size_t count;
    } cases[] = {
        {"日本語", "日本|本語", "日|本|語", 3},
        {"本", "", "本", 1},
        {"aBc", "aB|Bc", "a|B|c", 3},
        {"a  \t\nb", "a  \t\n|  \t\nb", "a|  \t\n|b", 3},
        {"ｱｲ", "ｱｲ", "ｱ|ｲ", 2},
        {"", "", "", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Tokens(c.text, true), c.pairs) << c.text;
        EXPECT_EQ(Tokens(c.text, false), c.chars) << c.text;
        EXPECT_EQ(IndexedCharCount(c.text), c.count) << c.text;
    }
}

TEST(BigramTokenizer, FoldsLettersAndBlanksButNotTrailBytes) {
    auto bytes = [](std::string_view text) {
        std::vector<std::string> tokens;
        ForEachBigram(text,
                      [&](std::string_view token, std::size_t, std::size_t) { tokens.emplace_back(token); });
        return tokens;
    };
    EXPECT_EQ(bytes("AB"), bytes("ab"));
    EXPECT_EQ(bytes("a \t b"), bytes("a b"));
    // "ア" (0x83 0x41) and "ヂ" (0x83 0x61) differ only in a letter-like trail byte.
    EXPECT_NE(bytes("アイ"), bytes("ヂイ"));
}

TEST(BigramTokenizer, MatchExpressionQuotesThePhrase) {
    EXPECT_EQ(IndexMatchExpression("日本"), "\"日本\"");
    EXPECT_EQ(IndexMatchExpression("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(IndexMatchExpression(""), "");
}

}  // namespace
