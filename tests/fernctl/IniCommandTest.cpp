#include <glib.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "fernctl/FernctlRunner.h"
#include "lists/TempFolder.h"

namespace {

using RunResult = fern::test::FernctlRun;

RunResult Fernctl(const std::vector<std::string>& args) { return fern::test::RunFernctl(args); }

std::string Slurp(const std::string& path) { return fern::testing::ReadBytes(path); }

// One line on stderr starting "fernctl: ", exit 2, nothing on stdout.
void ExpectFailure(const RunResult& run, const char* what) {
    SCOPED_TRACE(what);
    fern::test::ExpectRefused(run);
}

class IniCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/fernctl-ini-XXXXXX";
        dir_ = mkdtemp(pattern);
        file_ = dir_ + "/wnds.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string dir_, file_;
};

}  // namespace

TEST_F(IniCommandTest, SetGetDeleteRoundTrip) {
    // Shift-JIS words pass through as bytes.
    EXPECT_EQ(Fernctl({"ini", "set", file_, "設定", "名前", "ソ表"}).status, 0);
    EXPECT_EQ(Fernctl({"ini", "set", file_, "MainFrame", "MFWndPlac", "0,1,-1,-1"}).status, 0);
    EXPECT_EQ(Fernctl({"ini", "set", file_, "n", "v", "--", "--looks-like-an-option"}).status, 0);
    EXPECT_EQ(Slurp(file_),
              "[設定]\r\n名前=ソ表\r\n[MainFrame]\r\nMFWndPlac=0,1,-1,-1\r\n"
              "[n]\r\nv=--looks-like-an-option\r\n");

    EXPECT_EQ(Fernctl({"ini", "get", file_, "設定", "名前"}).out, "ソ表\n");
    EXPECT_EQ(Fernctl({"ini", "get", file_, "mainframe", "mfwndplac"}).out, "0,1,-1,-1\n");
    EXPECT_EQ(Fernctl({"ini", "get", file_, "MainFrame", "MFWndPlac", "--size", "4"}).out,
              "0,1\n");
    EXPECT_EQ(Fernctl({"ini", "get", file_, "MainFrame", "MFWndPlac", "--size", "0"}).out, "\n");
    EXPECT_EQ(Fernctl({"ini", "get", file_, "x", "y", "--int", "--default", "-12"}).out, "-12\n");
    EXPECT_EQ(Fernctl({"ini", "get", file_, "x", "y", "--default", "既定"}).out, "既定\n");
    RunResult missing = Fernctl({"ini", "get", dir_ + "/none.ini", "s", "k", "--default", "d"});
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, "d\n");

    EXPECT_EQ(Fernctl({"ini", "delete", file_, "MainFrame", "MFWndPlac"}).status, 0);
    EXPECT_EQ(Fernctl({"ini", "delete", file_, "設定"}).status, 0);
    EXPECT_EQ(Slurp(file_), "[MainFrame]\r\n[n]\r\nv=--looks-like-an-option\r\n");
    EXPECT_EQ(Fernctl({"ini", "delete", dir_ + "/none.ini", "s"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/none.ini"));
}

TEST_F(IniCommandTest, BadInputFailsCleanly) {
    ASSERT_EQ(Fernctl({"ini", "set", file_, "s", "k", "v"}).status, 0);
    const std::string before = Slurp(file_);
    ExpectFailure(Fernctl({"ini"}), "no command");
    ExpectFailure(Fernctl({"ini", "frob", file_}), "unknown command");
    ExpectFailure(Fernctl({"ini", "get", dir_, "s", "k"}), "folder as file");
    ExpectFailure(Fernctl({"ini", "get", file_, "s"}), "missing key");
    ExpectFailure(Fernctl({"ini", "get", file_, "s", "k", "extra"}), "extra word");
    ExpectFailure(Fernctl({"ini", "get", file_, "s", "k", "--size", "abc"}), "bad size");
    ExpectFailure(Fernctl({"ini", "get", file_, "s", "k", "--size"}), "size without value");
    ExpectFailure(Fernctl({"ini", "get", file_, "s", "k", "--int", "--default", "1x"}),
                  "bad int default");
    ExpectFailure(Fernctl({"ini", "get", file_, "s", "k", "--int", "--default", "2147483648"}),
                  "int default out of range");
    ExpectFailure(Fernctl({"ini", "get", file_, "s", "k", "--bogus"}), "unknown option");
    ExpectFailure(Fernctl({"ini", "set", file_, "s", "k"}), "set without value");
    ExpectFailure(Fernctl({"ini", "set", file_, "s", "k", "--int"}), "option on set");
    ExpectFailure(Fernctl({"ini", "delete", file_}), "delete without section");
    ExpectFailure(Fernctl({"ini", "set", file_, "s", "k", "a\nb=c"}), "line break in value");
    ExpectFailure(Fernctl({"ini", "set", dir_ + "/no/dir/x.ini", "s", "k", "v"}),
                  "missing folder");
    ExpectFailure(Fernctl({"ini", "set", dir_, "s", "k", "v"}), "folder as file");
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/no"));
    EXPECT_EQ(Slurp(file_), before);
}
