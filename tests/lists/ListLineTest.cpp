#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/ListLine.h"
#include "lists/ListTextWriter.h"

using namespace fern;

namespace {

std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    ListLineReader reader(bytes);
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    return lines;
}

}  // namespace

TEST(ListLineReader, SplitsCrLfAndBareLfAndKeepsLongLinesWhole) {
    EXPECT_EQ(Lines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Lines("\r\n\n"), (std::vector<std::string>{"", ""}));
    EXPECT_TRUE(Lines("").empty());
    // A CR inside a line stays; only the one before the LF is the line end.
    EXPECT_EQ(Lines("a\rb\r\n"), (std::vector<std::string>{"a\rb"}));
    std::string longLine = "\tURL=" + std::string(100000, 'x');
    EXPECT_EQ(Lines(longLine + "\r\n-\r\n"), (std::vector<std::string>{longLine, "-"}));
    // A NUL ends the line's text as it would end a C string.
    EXPECT_EQ(Lines(std::string("\tNAME=ab\0cd\r\nx", 14)), (std::vector<std::string>{"\tNAME=ab", "x"}));
}

TEST(ListLine, RecordsAndFieldsAreFoundByFixedPositions) {
    EXPECT_EQ(ClassifyListLine(""), ListLineKind::Blank);
    EXPECT_EQ(ClassifyListLine("\tNAME=x"), ListLineKind::Field);
    EXPECT_EQ(ClassifyListLine("#URL"), ListLineKind::Head);
    EXPECT_EQ(ClassifyListLine("-"), ListLineKind::Close);
    EXPECT_EQ(ClassifyListLine(" #URL"), ListLineKind::Other);
    EXPECT_EQ(ListLineKey("#FOLDER"), 'F');
    EXPECT_EQ(ListLineKey("#"), '\0');

    for (auto [line, value] : {std::pair{"\tNAME=abc", "abc"},
                               {"\tNAMEX=abc", "=abc"},
                               {"\tURL=http://a/", "http://a/"},
                               {"\tDESC=m", "m"},
                               {"\tSTYLE=5", "5"},
                               {"\tEXSTYLE=2", "2"},
                               {"\tCREATED=9", "9"},
                               {"\tN", ""},
                               {"\tXYZ=1", ""}})
        EXPECT_EQ(ListFieldValue(line), value) << line;
}

TEST(ListLine, NumbersAreReadLikeAtolAndWrapTo32Bits) {
    EXPECT_EQ(ParseListNumber("112"), 112u);
    EXPECT_EQ(ParseListNumber("  \t+42x"), 42u);
    EXPECT_EQ(ParseListNumber("-1"), 4294967295u);
    EXPECT_EQ(ParseListNumber("4294967296"), 0u);
    EXPECT_EQ(ParseListNumber("99999999999999999999999"), 4135583743u);
    EXPECT_EQ(ParseListNumber(""), 0u);
    EXPECT_EQ(ParseListNumber("abc"), 0u);
    EXPECT_EQ(ParseListNumber("- 5"), 0u);
}

TEST(ListTextWriter, WritesCrLfAndKeepsValuesOnTheirLine) {
    ListTextWriter out;
    out.Field("\tNAME=", "a\nb\r\nc");
    out.MemoField("\tDESC=", "1\r\n2\n3\r4");
    out.NumberField("\tCREATED=", 4294967295u);
    out.Field("\tURL=", std::string("x\0y", 3));
    EXPECT_EQ(out.Take(),
              "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n"
              "\tNAME=a b  c\r\n"
              "\tDESC=1\x02\x02"
              "2\x02\x02"
              "3\x02\x02"
              "4\r\n"
              "\tCREATED=4294967295\r\n"
              "\tURL=x y\r\n");
    EXPECT_TRUE(HoldsLineBreakOrNul("a\r"));
    EXPECT_FALSE(HoldsLineBreakOrNul("ソ\x02\x02"));
}
