#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fernctl/FernctlRunner.h"
#include "lists/TempFolder.h"

namespace {

using CommandResult = fern::test::FernctlRun;

std::string Slurp(const std::string& path) { return fern::testing::ReadBytes(path); }

class EncodingCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/fern-enc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    CommandResult Fernctl(std::vector<std::string> args) {
        args.insert(args.begin(), "encoding");
        return fern::test::RunFernctl(args);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
        return dir_ + "/" + name;
    }

    std::string dir_;
};

std::string Sample(const std::string& name) {
    return std::string(FERN_TESTDATA_DIR) + "/encodings/" + name;
}

}  // namespace

TEST_F(EncodingCommandTest, DetectPrintsTheNameOfTheCodeUsed) {
    EXPECT_EQ(Fernctl({"detect", Sample("sample02.eucjp.txt")}).out, "EUC\n");
    EXPECT_EQ(Fernctl({"detect", Sample("sample03.utf16be.txt")}).out, "UNICODEBE\n");
    EXPECT_EQ(Fernctl({"detect", Sample("sample02.utf7.txt")}).out, "UTF7\n");
    // Only the first 1024 bytes count; a text of 3 bytes or fewer is SJIS.
    EXPECT_EQ(Fernctl({"detect", Write("late", std::string(1024, ' ') + "\xA4\xA2\xA4\xA2")}).out,
              "SJIS\n");
    EXPECT_EQ(Fernctl({"detect", Write("short", "\xFF\xFE\x42")}).out, "SJIS\n");
    CommandResult empty = Fernctl({"detect", Write("empty", "")});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "SJIS\n");
}

TEST_F(EncodingCommandTest, ConvertWritesShiftJis) {
    CommandResult run = Fernctl({"convert", Sample("sample03.iso2022jp.txt")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Slurp(Sample("sample03.sjis.txt")));
    EXPECT_TRUE(run.err.empty());
    // Forced codes, including one the detector would not pick.
    EXPECT_EQ(Fernctl({"convert", Sample("sample04.utf8.txt"), "--code", "4"}).out,
              Slurp(Sample("sample04.sjis.txt")));
    EXPECT_EQ(Fernctl({"convert", "--code", "2", Write("euc", "\xA4\xA2")}).out, "あ");
    EXPECT_EQ(Fernctl({"convert", "--code", "3", Write("odd", std::string("\x42\x30\x41", 3))}).out,
              "あ?");
}

TEST_F(EncodingCommandTest, BadInputFailsWithOneLine) {
    std::string file = Write("a.txt", "abc");
    const std::vector<std::vector<std::string>> bad = {
        {}, {"guess", file}, {"detect"}, {"detect", dir_ + "/missing"}, {"detect", dir_},
        {"detect", file, "--code", "1"}, {"convert", file, "--code"},
        {"convert", file, "--code", "7"}, {"convert", file, "--code", "-1"},
        {"convert", file, "--code", "x"}, {"convert", file, "--force"}, {"convert", file, file},
    };
    for (const auto& args : bad) {
        CommandResult run = Fernctl(args);
        SCOPED_TRACE(args.empty() ? "(none)" : args[0] + " " + args.back());
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(run.err.rfind("fernctl: ", 0), 0u);
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
    }
}
