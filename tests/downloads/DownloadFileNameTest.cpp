#include <glib.h>
#include <gtest/gtest.h>

#include "downloads/DownloadFileName.h"

using namespace fern;

namespace {

// "ファイル" in UTF-8 (a literal here would be compiled to Shift-JIS).
const std::string kFileUtf8 = "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB";

bool ValidUtf8(const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

}  // namespace

TEST(SafeFileName, PathSeparatorsAndParentFoldersNeverLeaveTheFolder) {
    EXPECT_EQ(SafeFileName("a/b\\c.sh"), "a_b_c.sh");
    EXPECT_EQ(SafeFileName("../../.bashrc"), "_.._.bashrc");
    EXPECT_EQ(SafeFileName("/etc/passwd"), "_etc_passwd");
    for (const char* name : {"..", ".", "...", " . ", ""})
        EXPECT_EQ(SafeFileName(name, "fallback.bin"), "fallback.bin") << "[" << name << "]";
    EXPECT_EQ(SafeFileName("..", "../.."), "_");
    EXPECT_EQ(SafeFileName("..", ". ."), "download");
}

TEST(SafeFileName, LeadingDotsAndBlanksAndTrailingDotsGo) {
    EXPECT_EQ(SafeFileName(".bashrc"), "bashrc");
    EXPECT_EQ(SafeFileName("  ..hidden.txt"), "hidden.txt");
    EXPECT_EQ(SafeFileName("report.pdf. . "), "report.pdf");
    EXPECT_EQ(SafeFileName("a.tar.gz"), "a.tar.gz");
}

TEST(SafeFileName, ControlAndDirectionCharactersBecomeUnderscores) {
    EXPECT_EQ(SafeFileName(std::string("a\0b.sh", 6)), "a_b.sh");
    EXPECT_EQ(SafeFileName("a\tb\nc\x7f"
                           "d.txt"),
              "a_b_c_d.txt");
    // U+0085 (a C1 control) and U+202E (right-to-left override: "evil[RLO]txt.exe"
    // would show as "evilexe.txt").
    EXPECT_EQ(SafeFileName("x\xC2\x85y"), "x_y");
    EXPECT_EQ(SafeFileName("evil\xE2\x80\xAEtxt.exe"), "evil_txt.exe");
}

TEST(SafeFileName, JapaneseNamesComeOutAsUtf8) {
    EXPECT_EQ(SafeFileName(kFileUtf8 + ".txt"), kFileUtf8 + ".txt");
    // The same name as Shift-JIS bytes (an old server's header).
    EXPECT_EQ(SafeFileName("ファイル.txt"), kFileUtf8 + ".txt");
    // Neither UTF-8 nor Shift-JIS: each stray byte becomes "_".
    std::string broken = SafeFileName(
        "a\xFF\xFE"
        "b.txt");
    EXPECT_EQ(broken, "a__b.txt");
}

TEST(SafeFileName, LongNamesAreCutOnACharacterAndKeepTheirExtension) {
    std::string name = SafeFileName(std::string(300, 'x') + ".pdf");
    EXPECT_EQ(name.size(), kFileNameLimit);
    EXPECT_EQ(name.substr(name.size() - 4), ".pdf");

    // 3-byte characters: the cut never splits one.
    std::string japanese;
    for (int i = 0; i < 100; ++i) japanese += kFileUtf8;  // 1,200 bytes
    std::string cut = SafeFileName(japanese + ".txt");
    EXPECT_LE(cut.size(), kFileNameLimit);
    EXPECT_TRUE(ValidUtf8(cut));
    EXPECT_EQ(cut.substr(cut.size() - 4), ".txt");

    // 10,000 characters and an extension that is no extension.
    std::string huge = SafeFileName(std::string(10000, 'y') + "." + std::string(40, 'z'));
    EXPECT_EQ(huge.size(), kFileNameLimit);
    EXPECT_EQ(huge, std::string(kFileNameLimit, 'y'));
}

TEST(SafeFileName, InvalidUtf8IsNeverPassedOn) {
    const std::string inputs[] = {"\xC3", "\xE3\x83",
                                  "a\xC0\xAF"
                                  "b",
                                  std::string(300, '\xE3')};
    for (const std::string& input : inputs) {
        std::string name = SafeFileName(input);
        EXPECT_TRUE(ValidUtf8(name)) << name;
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), kFileNameLimit);
        EXPECT_EQ(name.find('/'), std::string::npos);
    }
}

TEST(PartFileName, LeavesRoomForTheEngineFileAndNumbersTakenNames) {
    EXPECT_EQ(PartFileName("a.zip", 0, 11), "a.zip.part");
    EXPECT_EQ(PartFileName("a.zip", 2, 11), "a.zip-2.part");
    std::string longName = std::string(250, 'x') + ".iso";
    std::string part = PartFileName(longName, 0, 11);
    EXPECT_EQ(part.size() + 11, kFileNameLimit);
    EXPECT_EQ(part.substr(part.size() - 5), ".part");
}

TEST(NumberedFileName, GoesBeforeTheExtension) {
    EXPECT_EQ(NumberedFileName("a.zip", 2), "a (2).zip");
    EXPECT_EQ(NumberedFileName("README", 3), "README (3)");
    EXPECT_LE(NumberedFileName(std::string(255, 'x'), 12).size(), kFileNameLimit);
}
