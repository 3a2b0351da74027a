// Runs the real fernctl binary: bookmarks import firefox|chromium, on
// profiles of our own below a HOME of the test's own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "bookmarks/BookmarkTestTree.h"
#include "bookmarks/BrowserProfileFixture.h"
#include "bookmarks/exchange/BrowserImport.h"
#include "fernctl/FernctlRunner.h"
#include "lists/BookmarkFile.h"
#include "lists/TempFolder.h"

using namespace fern::testing;
using fern::test::ExpectRefused;
using fern::test::FernctlRun;
using fern::test::RunFernctl;

namespace {

// HOME pointed at a folder for the life of the object.
class HomeAt {
public:
    explicit HomeAt(const std::string& home) {
        if (const char* old = getenv("HOME")) old_ = old;
        setenv("HOME", home.c_str(), 1);
    }
    ~HomeAt() { setenv("HOME", old_.c_str(), 1); }

private:
    std::string old_;
};

std::string RootOutline(const std::string& fbl) {
    fern::BookmarkReadOptions options;
    options.rootName = "Fern Browser BookMark";
    return Outline(*fern::ReadBookmarkFile(fbl, options).root);
}

const std::vector<std::string> kRoots = {fern::kRootMenuName, fern::kRootToolbarName, fern::kRootOtherName,
                                         fern::kRootMobileName};

}  // namespace

TEST(FernctlBrowserImport, FromTheProfileFoundBelowHomeOrNamed) {
    TempFolder home;
    std::string profile = home.File(".mozilla/firefox/ab12.default-release");
    std::filesystem::create_directories(profile);
    WriteBytes(home.File(".mozilla/firefox/profiles.ini"),
               "[Profile0]\nName=default-release\nIsRelative=1\nPath=ab12.default-release\nDefault=1\n");
    std::vector<MadeItem> items = MakeItemTree(kRoots, 200, true);
    ASSERT_TRUE(WritePlaces(profile + "/places.sqlite", items));
    std::string chrome = home.File("elsewhere/Profile 3");
    std::filesystem::create_directories(chrome);
    std::vector<MadeItem> marks = MakeItemTree({fern::kRootToolbarName}, 30, false, 7);
    WriteBytes(chrome + "/Bookmarks", ChromiumJson(marks));
    HomeAt at(home.Path());

    std::string fbl = home.File("bookmark.fbl");
    FernctlRun ff = RunFernctl({"bookmarks", "import", "firefox", fbl});
    ASSERT_EQ(ff.status, 0) << ff.err;
    EXPECT_EQ(ff.out, "{\"imported\": 204}\n");
    FernctlRun cr = RunFernctl({"bookmarks", "import", "chromium", chrome, fbl});
    ASSERT_EQ(cr.status, 0) << cr.err;
    EXPECT_EQ(cr.out, "{\"imported\": 31}\n");

    std::string outline = RootOutline(fbl);
    EXPECT_EQ(outline.rfind("D リンク\nD ブックマーク メニュー\n", 0), 0u) << outline.substr(0, 200);
    // The chromium import comes last, as the library reads it.
    fern::BookmarkTree direct = MakeTestTree();
    ASSERT_TRUE(fern::ImportBrowserProfile(fern::BrowserFamily::Chromium, chrome, direct, nullptr));
    std::string tail = Outline(direct.Root());
    ASSERT_GT(outline.size(), tail.size());
    EXPECT_EQ(outline.substr(outline.size() - tail.size()), tail);
}

TEST(FernctlBrowserImport, BadProfilesAreRefusedAndTheFileStaysAsItWas) {
    TempFolder home;
    HomeAt at(home.Path());
    std::string fbl = home.File("bookmark.fbl");
    ASSERT_EQ(RunFernctl({"bookmarks", "import", "chromium", home.Path(), fbl}).status,
              2);  // no Bookmarks there
    std::filesystem::create_directories(home.File("p"));
    WriteBytes(home.File("p/Bookmarks"),
               R"({"roots": {"other": {"children": [{"name": "A", "type": "url", "url")");
    WriteBytes(fbl, "#FOLDER\r\n\tNAME=kept\r\n\r\n-\r\n");
    std::string before = ReadBytes(fbl);

    ExpectRefused(RunFernctl({"bookmarks", "import", "chromium", home.File("p"), fbl}), "nothing imported");
    EXPECT_EQ(ReadBytes(fbl), before);
    ExpectRefused(RunFernctl({"bookmarks", "import", "firefox", fbl}), "no firefox profile found");
    ExpectRefused(RunFernctl({"bookmarks", "import", "firefox", home.File("p"), fbl}), "no places.sqlite");
    ExpectRefused(RunFernctl({"bookmarks", "import", "chromium", home.File("missing"), fbl}), "no such file");
    ExpectRefused(RunFernctl({"bookmarks", "import", "chromium"}), "optional profile");
    EXPECT_EQ(ReadBytes(fbl), before);
}
