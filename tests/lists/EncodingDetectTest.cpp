#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "TestData.h"
#include "lists/EncodingConvert.h"
#include "lists/EncodingDetect.h"
#include "lists/EncodingJisMapping.h"

using namespace fern;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string ReadFixture(const std::string& name) {
    return ReadFile(fern::testing::Fixture("encodings/" + name));
}
std::string ReadSample(const std::string& name) {
    return ReadFile(fern::testing::Corpus("encodings/" + name));
}

// The HTML samples differ from their Shift-JIS twin only in the charset label.
std::string WithoutCharsetLabel(std::string text) {
    std::size_t at = text.find("charset=");
    if (at == std::string::npos) return text;
    std::size_t end = text.find_first_of("\">", at + 9);
    return text.erase(at, end - at);
}

int Detect(const std::string& bytes) { return DetectEncoding(bytes.data(), bytes.size()); }
EncodingScores Scores(const std::string& b) { return ScoreEncodings(b.data(), b.size()); }

const std::string kEucA = "\xA4\xA2";       // "あ" in EUC-JP
const std::string kUtf8A = "\xE3\x81\x82";  // "あ" in UTF-8

}  // namespace

TEST(EncodingJisMapping, ArithmeticRoundTripsAndKanaRanges) {
    EXPECT_EQ(JisToSjis(0x2422), 0x82A0u);  // あ
    EXPECT_EQ(JisToSjis(0x2121), 0x8140u);
    EXPECT_EQ(JisToSjis(0x5E7E), 0x9FFCu);  // last lead byte before the gap
    EXPECT_EQ(JisToSjis(0x5F21), 0xE040u);
    EXPECT_EQ(JisToSjis(0x7E7E), 0xEFFCu);
    EXPECT_EQ(JisToSjis(0x2020), 0u);
    EXPECT_EQ(JisToSjis(0x247F), 0u);
    for (unsigned hi = 0x21; hi <= 0x7E; ++hi)
        for (unsigned lo = 0x21; lo <= 0x7E; ++lo)
            ASSERT_EQ(SjisToJis(JisToSjis((hi << 8) | lo)), (hi << 8) | lo);
    EXPECT_EQ(SjisToJis(0xF040), 0u);  // user-defined rows have no JIS code
    EXPECT_EQ(SjisToJis(0x827F), 0u);
    EXPECT_EQ(SjisToJis(0xA0A0), 0u);
    EXPECT_TRUE(IsSjisKana(0x829F) && IsSjisKana(0x82F1) && IsSjisKana(0x8340) && IsSjisKana(0x8393));
    EXPECT_FALSE(IsSjisKana(0x829E) || IsSjisKana(0x82F2) || IsSjisKana(0x837F) || IsSjisKana(0x8394) ||
                 IsSjisKana(0x889F));
}

TEST(EncodingDetect, ByteOrderMarksAndNamesOutOfRange) {
    EXPECT_STREQ(EncodingName(-1), "");
    EXPECT_STREQ(EncodingName(7), "");
    // A mark wins over any score.
    EXPECT_EQ(Detect("\xFF\xFE" + kEucA + kEucA), kEncodingUnicode);
    EXPECT_EQ(Detect("\xFE\xFF" + kEucA), kEncodingUnicodeBe);
    EXPECT_EQ(Detect("\xEF\xBB\xBF" + kEucA + kEucA), kEncodingUtf8);
    EXPECT_EQ(Detect("\xEF\xBB\xBF"), kEncodingUtf8);
    EXPECT_EQ(Detect("\xEF\xBB"), kEncodingSjis);  // too short for the UTF-8 mark
    EXPECT_EQ(Detect("\xFF"), kEncodingSjis);
    EXPECT_EQ(Detect(""), kEncodingSjis);
    EXPECT_EQ(DetectEncoding(nullptr, 5), kEncodingSjis);
    EXPECT_EQ(Detect("plain ASCII text, C++ and 1+1=2\r\n"), kEncodingSjis);
}

TEST(EncodingDetect, DecisionOrderAndTies) {
    auto decide = [](int euc, int sjis, int jis, int utf8, int utf7) {
        EncodingScores s;
        s.euc = euc, s.sjis = sjis, s.jis = jis, s.utf8 = utf8, s.utf7 = utf7;
        return DecideEncoding(s);
    };
    EXPECT_EQ(decide(0, 0, 0, 0, 0), kEncodingSjis);
    EXPECT_EQ(decide(5, 5, 5, 5, 5), kEncodingEuc);
    EXPECT_EQ(decide(4, 0, 5, 5, 5), kEncodingUtf7);
    EXPECT_EQ(decide(0, 0, 3, 3, 0), kEncodingUtf8);
    EXPECT_EQ(decide(0, 2, 3, 1, 0), kEncodingJis);
    EXPECT_EQ(decide(3, 4, 3, 3, 3), kEncodingSjis);  // Shift-JIS only blocks
    // Crafted bytes: three EUC single shifts that are also three valid
    // Shift-JIS kanji, then UTF-8 "あ"; all three scores are 3.
    std::string tie = "\x8E\xB1\x8E\xB1\x8E\xB1" + kUtf8A;
    EncodingScores s = Scores(tie);
    EXPECT_EQ(s.euc, 3);
    EXPECT_EQ(s.sjis, 3);
    EXPECT_EQ(s.utf8, 3);
    EXPECT_EQ(Detect(tie), kEncodingEuc);
    EXPECT_EQ(Detect(tie + kUtf8A), kEncodingUtf8);
}

TEST(EncodingDetect, PassesScoreKanaAndRuns) {
    // EUC: kana pairs and single shifts count, kanji do not.
    EXPECT_EQ(Scores(kEucA + "\xA5\xA2"
                             "\xB4\xC1"
                             "\x8E\xB1")
                  .euc,
              3);
    // Shift-JIS: valid characters below 0xE380 count; unassigned and
    // user-defined codes do not.
    EXPECT_EQ(Scores("\x82\xA0\x8A\xBF\xE3\x81\x85\x40\xF0\x40").sjis, 2);
    // JIS: half the bytes of each closed kanji run, every byte of a kana run.
    EXPECT_EQ(Scores("\x1B$B\x24\x22\x24\x24\x1B(B").jis, 2);
    EXPECT_EQ(Scores("\x1B$@\x24\x22\x1B(J").jis, 1);
    EXPECT_EQ(Scores("\x1B$B\x24\x22\x1B(I\x31\x32\x33\x1B(B").jis, 4);
    EXPECT_EQ(Scores("\x1B$B\x24\x22\x24\x24\x1B(Bx\x1B$B\x24\x22\x24\x24\x24\x26").jis, 2);
    EXPECT_EQ(Scores("\x1B$B\x24\x22\x1B(").jis, 0);  // truncated sequence
    // UTF-8: 3 per kana, nothing for kanji, 2-byte forms or half-width kana.
    EXPECT_EQ(Scores(kUtf8A + "\xE3\x82\xA2"
                              "\xE6\xBC\xA2"
                              "\xC3\xA9"
                              "\xEF\xBD\xB1")
                  .utf8,
              6);
    // UTF-7: runs closed by "-" count their convertible UTF-16 units.
    EXPECT_EQ(Scores("+MEIwRA-").utf7, 2);     // あい
    EXPECT_EQ(Scores("+AEE- +rAA-").utf7, 1);  // "A" counts, a Hangul syllable does not
    EXPECT_EQ(Scores("+MEIwRA.").utf7, 0);     // other closing bytes do not score
    EXPECT_EQ(Scores("+MEIwRA\r\n").utf7, 0);
    EXPECT_EQ(Scores("+MEIw-").utf7, 0);  // three bytes: not whole units
    EXPECT_EQ(Scores("+AB- +- +").utf7, 0);
    EXPECT_EQ(Scores("+MEIwRA- +MEI\x80").utf7, 0);  // a high byte in a run resets all
    EXPECT_EQ(Scores("+MEIwRA- \x80 +MEI-").utf7, 3);
}

TEST(EncodingConvert, ContextChoosesForcedShortAndFirst1024Bytes) {
    EncodingConversionContext context;
    EXPECT_EQ(ChooseConversionCode("ab", 2, context), kEncodingSjis);
    std::string euc = kEucA + kEucA;
    EXPECT_EQ(ChooseConversionCode(euc.data(), euc.size(), context), kEncodingEuc);
    EXPECT_EQ(ConvertToShiftJis(kEucA, context), "あ");  // 2 bytes keep EUC
    EXPECT_EQ(context.detectedCode, kEncodingEuc);
    context.forcedCode = kEncodingUtf8;
    EXPECT_EQ(ConvertToShiftJis(euc, context), "????");
    EXPECT_EQ(context.detectedCode, kEncodingUtf8);

    std::string late = std::string(1024, 'x') + euc;
    EncodingConversionContext fresh;
    EXPECT_EQ(ChooseConversionCode(late.data(), late.size(), fresh), kEncodingSjis);
    EXPECT_EQ(Detect(late), kEncodingEuc);
    late.erase(0, 2);
    EXPECT_EQ(ChooseConversionCode(late.data(), late.size(), fresh), kEncodingEuc);
}

TEST(EncodingConvert, JisAndEucStateMachines) {
    EXPECT_EQ(ConvertCodeToShiftJis("a\x1B$B\x24\x22\x34\x41\x1B(Bb\x1B(I\x31\x5F\x1B(Jc", 1),
              "aあ漢b\xB1\xDF"
              "c");
    EXPECT_EQ(ConvertCodeToShiftJis("\x1BKx\x1B$", 1), "\x1BKx\x1B$");
    EXPECT_EQ(ConvertCodeToShiftJis("\x1B$B\x24\x22\r\n\x24", 1), "あ\r\n〓");
    EXPECT_EQ(ConvertCodeToShiftJis("\x1B$B\x24\x7F", 1), "〓");
    EXPECT_EQ(ConvertCodeToShiftJis("a" + kEucA +
                                        "\x8E\xB1\x8E\x41"
                                        "b\x8F\xB0\xA1"
                                        "c",
                                    2),
              "aあ\xB1"
              "b〓c");
    EXPECT_EQ(ConvertCodeToShiftJis("\xA4\x41\x80\xA4", 2), "〓A〓〓");
    EXPECT_EQ(ConvertCodeToShiftJis("\x8E", 2), "");
}

TEST(EncodingConvert, UnicodeFormsThroughIconv) {
    EXPECT_EQ(ConvertCodeToShiftJis(std::string("\xFF\xFE\x42\x30\x41\x00", 6), 3), "あA");
    EXPECT_EQ(ConvertCodeToShiftJis(std::string("\x42\x30\x00\xAC\x41", 5), 3), "あ??");
    EXPECT_EQ(ConvertCodeToShiftJis(std::string("\xFE\xFF\x30\x42\x00", 5), 6), "あ?");
    EXPECT_EQ(ConvertCodeToShiftJis("\xEF\xBB\xBF" + kUtf8A + "\xEA\xB0\x80\xFF", 4), "あ??");
    EXPECT_EQ(ConvertCodeToShiftJis("+MEIwRA-1+-1", 5), "あい1+1");
    EXPECT_EQ(ConvertCodeToShiftJis("\x82\xA0\xFF", 0), "\x82\xA0\xFF");
    EXPECT_EQ(ConvertCodeToShiftJis("\x82\xA0", 9), "\x82\xA0");
    // No bytes crash any conversion.
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes) c = static_cast<char>(random() % 8 == 0 ? 0x1B : random());
        for (int code = 0; code <= 6; ++code) ConvertCodeToShiftJis(bytes, code);
        EncodingConversionContext context;
        ConvertToShiftJis(bytes, context);
        EXPECT_GE(context.detectedCode, 0);
    }
}

// What the detector makes of our own texts (their first 1024 bytes), and
// that each converter gives the Shift-JIS twin's text. Where the verdict is
// not the true encoding the cause is noted.
TEST(EncodingDetect, Fixtures) {
    struct Sample {
        const char* file;
        int trueCode;
        int detected;
    };
    const Sample samples[] = {
        {"prose.sjis.txt", 0, 0},
        {"prose.iso2022jp.txt", 1, 1},
        {"prose.eucjp.txt", 2, 2},
        {"prose.utf16le.txt", 3, 3},
        {"prose.utf8.txt", 4, 4},
        {"prose.utf8bom.txt", 4, 4},
        {"prose.utf7.txt", 5, 5},
        {"prose.utf16be.txt", 6, 6},
        // The first 1024 bytes are ASCII: everything without a mark is SJIS.
        {"asciihead.sjis.txt", 0, 0},
        {"asciihead.iso2022jp.txt", 1, 0},
        {"asciihead.eucjp.txt", 2, 0},
        {"asciihead.utf8.txt", 4, 0},
        // Half-width katakana: EUC single shifts score, UTF-8 ones do not.
        {"halfkana.sjis.txt", 0, 0},
        {"halfkana.eucjp.txt", 2, 2},
        {"halfkana.utf8.txt", 4, 0},
    };
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.file);
        std::string bytes = ReadFixture(sample.file);
        ASSERT_FALSE(bytes.empty());
        EncodingConversionContext context;
        std::string converted = ConvertToShiftJis(bytes, context);
        EXPECT_EQ(context.detectedCode, sample.detected);
        std::string name = sample.file;
        std::string twin = ReadFixture(name.substr(0, name.find('.')) + ".sjis.txt");
        ASSERT_FALSE(twin.empty());
        if (sample.detected == sample.trueCode) {
            EXPECT_EQ(converted, twin);
        }
        EXPECT_EQ(ConvertCodeToShiftJis(bytes, sample.trueCode), twin);
    }
    EXPECT_EQ(Detect(ReadFixture("ascii.txt")), kEncodingSjis);
    EXPECT_NE(ReadFixture("prose.sjis.txt").find("「最近閉じたタブ」"), std::string::npos);
}

// The same over real pages.
TEST(EncodingDetect, RealSamples) {
    FERN_NEEDS_CORPUS();
    struct Sample {
        const char* file;
        int trueCode;
        int detected;
    };
    const Sample samples[] = {
        {"sample01.sjis.html", 0, 0},
        {"sample01.eucjp.html", 2, 2},
        {"sample01.utf16le.html", 3, 3},
        {"sample01.utf16be.html", 6, 6},
        {"sample01.utf8.html", 4, 4},
        {"sample01.utf8bom.html", 4, 4},
        {"sample01.utf7.html", 5, 0},  // its runs end in "<" and "|", not "-"
        {"sample02.eucjp.txt", 2, 2},
        {"sample02.iso2022jp.txt", 1, 1},
        {"sample02.utf7.txt", 5, 5},
        {"sample02.utf8.txt", 4, 4},
        {"sample03.sjis.txt", 0, 0},
        {"sample03.eucjp.txt", 2, 2},
        {"sample03.iso2022jp.txt", 1, 1},
        {"sample03.utf7.txt", 5, 5},
        {"sample03.utf16be.txt", 6, 6},
        {"sample03.utf8bom.txt", 4, 4},
        // The first 1024 bytes are ASCII: everything without a mark is SJIS.
        {"sample04.eucjp.txt", 2, 0},
        {"sample04.iso2022jp.txt", 1, 0},
        {"sample04.utf7.txt", 5, 0},
        {"sample04.utf8.txt", 4, 0},
        {"sample04.utf16le.txt", 3, 3},
        {"sample05.eucjp.html", 2, 2},
        {"sample05.iso2022jp.html", 1, 1},
        {"sample05.utf8.html", 4, 4},
        {"sample05.utf16le.html", 3, 3},
        {"sample06.eucjp.html", 2, 0},
        {"sample06.iso2022jp.html", 1, 0},
        {"sample06.utf8.html", 4, 0},
        {"sample06.utf16le.html", 3, 3},
        {"sample07.eucjp.txt", 2, 2},
        {"sample07.iso2022jp.txt", 1, 1},
        {"sample07.utf8.txt", 4, 4},
        {"sample10.eucjp.txt", 2, 2},
        {"sample10.iso2022jp.txt", 1, 1},
        {"sample10.utf8.txt", 4, 4},
        {"sample11.sjis.txt", 0, 0},
        {"sample11.eucjp.txt", 2, 2},  // EUC and Shift-JIS tie at 23
        {"sample11.utf8.txt", 4, 0},   // half-width kana are not double-byte kana
    };
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.file);
        std::string bytes = ReadSample(sample.file);
        ASSERT_FALSE(bytes.empty());
        EncodingConversionContext context;
        std::string converted = ConvertToShiftJis(bytes, context);
        EXPECT_EQ(context.detectedCode, sample.detected);
        std::string name = sample.file;
        std::string twin = ReadSample(name.substr(0, 9) + "sjis" + name.substr(name.rfind('.')));
        ASSERT_FALSE(twin.empty());
        if (sample.detected == sample.trueCode) {
            EXPECT_EQ(WithoutCharsetLabel(converted), WithoutCharsetLabel(twin));
        }
        EXPECT_EQ(WithoutCharsetLabel(ConvertCodeToShiftJis(bytes, sample.trueCode)),
                  WithoutCharsetLabel(twin));
    }
    EXPECT_EQ(Detect(ReadSample("sample08.ascii.html")), kEncodingSjis);
    // The one half-width passage is widened in the ISO-2022-JP copy.
    std::string jis = ConvertCodeToShiftJis(ReadSample("sample01.iso2022jp.html"), 1);
    EXPECT_NE(jis.find("「ご利用規約」"), std::string::npos);
}
