#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fernctl/FernctlRunner.h"
#include "lists/TempFolder.h"

using fern::test::ExpectRefused;
using fern::testing::ReadBytes;

namespace {

std::string Ini(const std::vector<std::string>& words) {
    std::vector<std::string> args{"ini"};
    args.insert(args.end(), words.begin(), words.end());
    fern::test::FernctlRun run = fern::test::RunFernctl(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out;
}

}  // namespace

TEST(FernctlIni, SetGetDeleteRoundTrip) {
    fern::testing::TempFolder folder;
    std::string file = folder.File("wnds.ini"), none = folder.File("none.ini");
    // Shift-JIS words pass through as bytes.
    Ini({"set", file, "設定", "名前", "ソ表"});
    Ini({"set", file, "MainFrame", "MFWndPlac", "0,1,-1,-1"});
    Ini({"set", file, "n", "v", "--", "--looks-like-an-option"});
    EXPECT_EQ(ReadBytes(file),
              "[設定]\r\n名前=ソ表\r\n[MainFrame]\r\nMFWndPlac=0,1,-1,-1\r\n"
              "[n]\r\nv=--looks-like-an-option\r\n");

    EXPECT_EQ(Ini({"get", file, "設定", "名前"}), "ソ表\n");
    EXPECT_EQ(Ini({"get", file, "mainframe", "mfwndplac"}), "0,1,-1,-1\n");
    EXPECT_EQ(Ini({"get", file, "MainFrame", "MFWndPlac", "--size", "4"}), "0,1\n");
    EXPECT_EQ(Ini({"get", file, "MainFrame", "MFWndPlac", "--size", "0"}), "\n");
    EXPECT_EQ(Ini({"get", file, "x", "y", "--int", "--default", "-12"}), "-12\n");
    EXPECT_EQ(Ini({"get", file, "x", "y", "--default", "既定"}), "既定\n");
    EXPECT_EQ(Ini({"get", none, "s", "k", "--default", "d"}), "d\n");

    Ini({"delete", file, "MainFrame", "MFWndPlac"});
    Ini({"delete", file, "設定"});
    EXPECT_EQ(ReadBytes(file), "[MainFrame]\r\n[n]\r\nv=--looks-like-an-option\r\n");
    Ini({"delete", none, "s"});
    EXPECT_FALSE(std::filesystem::exists(none));
}

TEST(FernctlIni, BadInputFailsCleanly) {
    fern::testing::TempFolder folder;
    std::string file = folder.File("wnds.ini"), dir = folder.Path();
    Ini({"set", file, "s", "k", "v"});
    const std::string before = ReadBytes(file);
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frob", file},
        {"get", dir, "s", "k"},
        {"get", file, "s"},
        {"get", file, "s", "k", "extra"},
        {"get", file, "s", "k", "--size", "abc"},
        {"get", file, "s", "k", "--size"},
        {"get", file, "s", "k", "--int", "--default", "1x"},
        {"get", file, "s", "k", "--int", "--default", "2147483648"},
        {"get", file, "s", "k", "--bogus"},
        {"set", file, "s", "k"},
        {"set", file, "s", "k", "--int"},
        {"delete", file},
        {"set", file, "s", "k", "a\nb=c"},
        {"set", dir + "/no/dir/x.ini", "s", "k", "v"},
        {"set", dir, "s", "k", "v"},
    };
    for (std::vector<std::string> args : bad) {
        SCOPED_TRACE(args.empty() ? "(none)" : args.back());
        args.insert(args.begin(), "ini");
        ExpectRefused(fern::test::RunFernctl(args));
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/no"));
    EXPECT_EQ(ReadBytes(file), before);
}
