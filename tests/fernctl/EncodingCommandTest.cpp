#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestData.h"
#include "fernctl/FernctlRunner.h"
#include "lists/TempFolder.h"

using fern::testing::ReadBytes;

namespace {

// Our own texts in tests/data/encodings.
std::string Sample(const std::string& name) { return fern::testing::Fixture("encodings/" + name); }

class FernctlEncoding : public ::testing::Test {
protected:
    fern::testing::TempFolder folder;

    // What "fernctl encoding ARGS" printed; it must succeed.
    std::string Encoding(std::vector<std::string> args) {
        args.insert(args.begin(), "encoding");
        fern::test::FernctlRun run = fern::test::RunFernctl(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        return run.out;
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        fern::testing::WriteBytes(folder.File(name), bytes);
        return folder.File(name);
    }
};

}  // namespace

TEST_F(FernctlEncoding, DetectPrintsTheNameOfTheCodeUsed) {
    EXPECT_EQ(Encoding({"detect", Sample("prose.eucjp.txt")}), "EUC\n");
    EXPECT_EQ(Encoding({"detect", Sample("prose.utf16be.txt")}), "UNICODEBE\n");
    EXPECT_EQ(Encoding({"detect", Sample("prose.utf7.txt")}), "UTF7\n");
    // Only the first 1024 bytes count; a text of 3 bytes or fewer is SJIS.
    EXPECT_EQ(Encoding({"detect", Write("late", std::string(1024, ' ') + "\xA4\xA2\xA4\xA2")}), "SJIS\n");
    EXPECT_EQ(Encoding({"detect", Write("short", "\xFF\xFE\x42")}), "SJIS\n");
    EXPECT_EQ(Encoding({"detect", Write("empty", "")}), "SJIS\n");
}

TEST_F(FernctlEncoding, ConvertWritesShiftJis) {
    EXPECT_EQ(Encoding({"convert", Sample("prose.iso2022jp.txt")}), ReadBytes(Sample("prose.sjis.txt")));
    // Forced codes, including one the detector would not pick.
    EXPECT_EQ(Encoding({"convert", Sample("asciihead.utf8.txt"), "--code", "4"}),
              ReadBytes(Sample("asciihead.sjis.txt")));
    EXPECT_EQ(Encoding({"convert", "--code", "2", Write("euc", "\xA4\xA2")}), "あ");
    EXPECT_EQ(Encoding({"convert", "--code", "3", Write("odd", std::string("\x42\x30\x41", 3))}), "あ?");
}

TEST_F(FernctlEncoding, BadInputFailsWithOneLine) {
    std::string file = Write("a.txt", "abc");
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"guess", file},
        {"detect"},
        {"detect", folder.File("missing")},
        {"detect", folder.Path()},
        {"detect", file, "--code", "1"},
        {"convert", file, "--code"},
        {"convert", file, "--code", "7"},
        {"convert", file, "--code", "-1"},
        {"convert", file, "--code", "x"},
        {"convert", file, "--force"},
        {"convert", file, file},
    };
    for (std::vector<std::string> args : bad) {
        SCOPED_TRACE(args.empty() ? "(none)" : args[0] + " " + args.back());
        args.insert(args.begin(), "encoding");
        fern::test::ExpectRefused(fern::test::RunFernctl(args));
    }
}
