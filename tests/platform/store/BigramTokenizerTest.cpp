#include "platform/store/BigramTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fern;

namespace {

// Tokens written back as the characters they stand for, joined by "|".
std::string Tokens(std::string_view text, bool query) {
    std::string out;
    ForEachBigram(text, query, [&](std::string_view, std::size_t start, std::size_t end) {
        if (!out.empty()) out += '|';
        out += std::string(text.substr(start, end - start));
    });
    return out;
}

TEST(BigramTokenizer, CutsTextIntoPairsAndTheLastCharacter) {
    struct Case {
        const char* text;
        const char* document;
        const char* query;
    } cases[] = {
        {"日本語", "日本|本語|語", "日本|本語"},
        {"本", "本", "本"},
        {"aBc", "aB|Bc|c", "aB|Bc"},
        {"a  \t\nb", "a  \t\n|  \t\nb|b", "a  \t\n|  \t\nb"},
        {"ｱｲ", "ｱｲ|ｲ", "ｱｲ"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Tokens(c.text, false), c.document) << c.text;
        EXPECT_EQ(Tokens(c.text, true), c.query) << c.text;
    }
}

TEST(BigramTokenizer, FoldsLettersAndBlanksButNotTrailBytes) {
    auto bytes = [](std::string_view text) {
        std::vector<std::string> tokens;
        ForEachBigram(text, true, [&](std::string_view token, std::size_t, std::size_t) { tokens.emplace_back(token); });
        return tokens;
    };
    EXPECT_EQ(bytes("AB"), bytes("ab"));
    EXPECT_EQ(bytes("a \t b"), bytes("a b"));
    // "ア" (0x83 0x41) and "ヂ" (0x83 0x61) differ only in a letter-like trail byte.
    EXPECT_NE(bytes("アイ"), bytes("ヂイ"));
}

TEST(BigramTokenizer, MatchExpressionQuotesThePhrase) {
    EXPECT_EQ(BigramMatchExpression("日本"), "\"日本\"");
    EXPECT_EQ(BigramMatchExpression("日"), "\"日\"*");
    EXPECT_EQ(BigramMatchExpression("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(BigramMatchExpression(""), "");
}

}  // namespace
