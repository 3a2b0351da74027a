#include <gtest/gtest.h>

#include <cstring>

#include "platform/text/Encoding.h"
#include "platform/text/SjisByteClass.h"
#include "platform/text/TextCut.h"
#include "platform/text/TimeStamp.h"

using namespace fern;

namespace {

// "ソ" is 0x83 0x5C: its trail byte is a backslash.
const std::string kSo = "ソ";

}  // namespace

TEST(SjisByteClass, LiteralsAreShiftJis) {
    ASSERT_EQ(kSo, std::string("\x83\x5C"));
    EXPECT_EQ(std::string("ア"), std::string("\x83\x41"));
}

TEST(SjisByteClass, ClassesAtIndexFollowThePairsFromTheStart) {
    std::string text = "aソ\\b" + kSo;  // a, 83 5C, 5C, b, 83 5C
    EXPECT_EQ(SjisByteClassAt(text, 0), SjisByteClass::Single);
    EXPECT_EQ(SjisByteClassAt(text, 1), SjisByteClass::Lead);
    EXPECT_EQ(SjisByteClassAt(text, 2), SjisByteClass::Trail);
    EXPECT_EQ(SjisByteClassAt(text, 3), SjisByteClass::Single);
    EXPECT_EQ(SjisByteClassAt(text, 5), SjisByteClass::Lead);
    EXPECT_EQ(SjisByteClassAt(text, 6), SjisByteClass::Trail);
    // A lead byte at the end, or before a byte that cannot trail, stands alone.
    EXPECT_EQ(SjisByteClassAt("a\x83", 1), SjisByteClass::Single);
    EXPECT_EQ(SjisByteClassAt("\x83\x7F", 1), SjisByteClass::Single);
}

TEST(SjisByteClass, SearchesSkipTrailBytes) {
    std::string text = "C:" + kSo + "\\x" + kSo;
    EXPECT_EQ(SjisFind(text, '\\'), 4u);
    EXPECT_EQ(SjisFindLast(text, '\\'), 4u);
    EXPECT_EQ(SjisFind(kSo, '\\'), std::string::npos);
    // "ア" is 0x83 0x41 ("A"): lower-casing must not touch its trail byte.
    EXPECT_EQ(SjisToLower("ABCア"), "abcア");
    EXPECT_EQ(SjisCompareNoCase("Browserア", "BROWSERア"), 0);
    EXPECT_NE(SjisCompareNoCase("ア", "\x83\x61"), 0);
}

TEST(Encoding, RoundTripsJapaneseThroughUtf8AndUtf16) {
    std::string sjis = "ゴミ箱 ソ表 ~\\";
    std::string utf8 = ToUtf8(sjis);
    EXPECT_EQ(utf8, "\xE3\x82\xB4\xE3\x83\x9F\xE7\xAE\xB1 \xE3\x82\xBD\xE8\xA1\xA8 ~\\");
    EXPECT_EQ(FromUtf8(utf8), sjis);
    std::u16string utf16 = ToUtf16(sjis);
    EXPECT_EQ(utf16, u"\u30B4\u30DF\u7BB1 \u30BD\u8868 ~\\");
    EXPECT_EQ(FromUtf16(utf16), sjis);
}

TEST(Encoding, UnmappableAndInvalidInputBecomesQuestionMarks) {
    // An emoji and a Hangul syllable have no code page 932 form.
    EXPECT_EQ(FromUtf8("a\xF0\x9F\x98\x80"
                       "b\xEA\xB0\x80"
                       "c"),
              "a?b?c");
    // Broken UTF-8: a lone continuation byte and a truncated sequence.
    EXPECT_EQ(FromUtf8("x\x80y\xE3\x82"), "x?y?");
    // A lead byte with nothing after it, and a byte that is no character.
    EXPECT_EQ(ToUtf8("ok\x83"), "ok?");
    EXPECT_EQ(ToUtf8("\xA0z"), "?z");
    EXPECT_EQ(FromUtf16(std::u16string(u"a") + char16_t(0xD800) + u"b"), "a?b");
}

TEST(ShortenText, CutsBytesAndKeepsDoubleByteCharactersWhole) {
    EXPECT_EQ(ShortenText("abcdef", 6), "abcdef");
    EXPECT_EQ(ShortenText("abcdefg", 4), "abcd...");
    // Byte 3 is the second byte of "ア": cut at 2 and add four dots.
    EXPECT_EQ(ShortenText("abアcd", 3), "ab....");
    EXPECT_EQ(ShortenText("abアcd", 4), "abア...");
    EXPECT_EQ(ShortenText("アイウ", 1), "....");
}

TEST(CompactPath, KeepsShortTextsAndFitsLongOnesIntoNMinusOneBytes) {
    EXPECT_EQ(CompactPath("C:\\a\\b.txt", 11), "C:\\a\\b.txt");
    EXPECT_EQ(CompactPath("http://www.example.com/dir/sub/page.html", 30), "http://www.examp.../page.html");
    // Backslash paths keep their separator; without one "\" is used.
    EXPECT_EQ(CompactPath("C:\\Program Files\\Fern\\fern.exe", 20), "C:\\Prog...\\fern.exe");
    EXPECT_EQ(CompactPath("verylonghost:abc", 12), "very...\\abc");
}

TEST(CompactPath, FallsBackToHeadWhenTheLastComponentLeavesNoRoom) {
    EXPECT_EQ(CompactPath("nodelimitersatall", 10), "nodeli...");
    EXPECT_EQ(CompactPath("a/averyverylongfilename", 10), "a/aver...");
    EXPECT_EQ(CompactPath("abcdefgh", 6), "...\\.");
    EXPECT_EQ(CompactPath("ab/cdefgh", 6), ".../.");
    EXPECT_EQ(CompactPath("abcdefgh", 4), "...");
}

TEST(CompactPath, NeverSplitsADoubleByteCharacter) {
    // Head cut would end on the lead byte of "ア".
    EXPECT_EQ(CompactPath("abcアイウエオ/file", 13), "abc.../file");
    EXPECT_EQ(CompactPath("アイウエオカキク", 7), "ア...");
    EXPECT_EQ(CompactPath("アイウエオカキク", 8), "アイ...");
}

TEST(TimeStamp, FormatsLocalTimeWithWeekdayKanji) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 6;
    t.tm_wday = 0;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    EXPECT_EQ(TimeStampText(t, 42), "2026-12-06(日)09-05-07-42");
    t.tm_wday = 6;
    EXPECT_EQ(TimeStampText(t, 0), "2026-12-06(土)09-05-07-0");
    EXPECT_EQ(TimeStampTextNow().substr(4, 1), "-");
}
