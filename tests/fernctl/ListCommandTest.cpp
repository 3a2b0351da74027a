// Runs the real fernctl binary: list dump / list write.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "fernctl/FernctlRunner.h"
#include "lists/ListTestText.h"
#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"

using namespace fern::testing;
using nlohmann::json;

namespace {

using Outcome = fern::test::FernctlRun;
using fern::test::ExpectRefused;

// fernctl with `args` (shell words) and `input` on standard input.
Outcome Fernctl(const TempFolder&, const std::string& args, const std::string& input = "") {
    return fern::test::RunFernctlWords(args, input);
}

// Literals here are Shift-JIS like all program text; JSON is UTF-8.
std::string U8(const std::string& sjis) { return fern::ToUtf8(sjis); }

// "ソ" and "表" end in 0x5C in Shift-JIS.
const char kBookmarkJson[] = R"({
  "root": {"type": 2, "name": "ルート", "url": "<フォルダ>", "desc": "", "style": 112, "exstyle": 1, "created": 10,
    "children": [
      {"type": 1, "name": "ソフト表", "url": "http://example.jp/ソ", "desc": "行1\u0002\u0002行2",
       "style": 144, "exstyle": 0, "created": 4294967295},
      {"type": 0, "name": "<セパレータ>", "url": "<セパレータ>", "desc": "", "style": 112, "exstyle": 1, "created": 11},
      {"type": 2, "name": "フォルダ", "url": "<フォルダ>", "desc": "m", "style": 112, "exstyle": 1, "created": 12,
       "children": [{"type": 2, "name": "empty", "url": "<フォルダ>", "desc": "", "style": 112, "exstyle": 1,
                     "created": 13, "children": []}]}
    ]},
  "trash": {"type": 2, "name": "ゴミ箱", "url": "<フォルダ>", "desc": "", "style": 112, "exstyle": 1, "created": 14,
    "children": [{"type": 1, "name": "old", "url": "http://old/", "desc": "", "style": 112, "exstyle": 2, "created": 15}]}
})";

}  // namespace

TEST(FernctlList, BookmarkFilesRoundTripThroughJson) {
    TempFolder folder;
    std::string file = folder.File("bookmark.fbl");
    Outcome write = Fernctl(folder, "list write '" + file + "' --kind bookmark", U8(kBookmarkJson));
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(ReadBytes(file),
              Crlf("#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"
                   "#FOLDER\n\tNAME=ルート\n\tCREATED=10\n\n"
                   "#URL\n\tNAME=ソフト表\n\tURL=http://example.jp/ソ\n\tDESC=行1\x02\x02行2\n"
                   "\tSTYLE=144\n\tEXSTYLE=0\n\tCREATED=4294967295\n\n"
                   "#SEP\n\n"
                   "#FOLDER\n\tNAME=フォルダ\n\tDESC=m\n\tCREATED=12\n\n"
                   "#FOLDER\n\tNAME=empty\n\tDESC=\n\tCREATED=13\n\n-\n\n-\n\n-\n\n"
                   "#FOLDER\n\tNAME=ゴミ箱\n\tCREATED=14\n\n"
                   "#URL\n\tNAME=old\n\tURL=http://old/\n\tDESC=\n\tSTYLE=112\n\tEXSTYLE=2\n\tCREATED=15\n\n"
                   "-\n\n"));
    Outcome dump = Fernctl(folder, "list dump '" + file + "' --kind bookmark");
    ASSERT_EQ(dump.status, 0) << dump.err;
    json dumped = json::parse(dump.out);
    json expected = json::parse(U8(kBookmarkJson));
    // The separator's date is not stored; the reader dates it now.
    dumped["root"]["children"][1].erase("created");
    expected["root"]["children"][1].erase("created");
    EXPECT_EQ(dumped, expected);

    // Fields may be left out; a memo's line breaks are stored as 0x02 0x02.
    Outcome brief = Fernctl(folder, "list write '" + file + "' --kind bookmark",
                        R"({"root": {"children": [{"type": 1, "desc": "a\r\nb\nc"}]}, "trash": {}})");
    ASSERT_EQ(brief.status, 0) << brief.err;
    dumped = json::parse(Fernctl(folder, "list dump '" + file + "' --kind bookmark").out);
    EXPECT_EQ(dumped["root"]["name"], "Fern Browser BookMark");
    EXPECT_EQ(dumped["trash"]["name"], U8("ゴミ箱"));
    EXPECT_EQ(dumped["root"]["children"][0]["desc"], "a\u0002\u0002b\u0002\u0002c");
    EXPECT_EQ(dumped["root"]["children"][0]["style"], 112);
}

TEST(FernctlList, FlatListsAndSectionsRoundTrip) {
    TempFolder folder;
    std::string file = folder.File("list.fbl");
    const char items[] = R"([{"type": 0, "style": 5, "exstyle": 1, "name": "名前ソ", "url": "http://a/", "created": 0},
                             {"type": 0, "style": 112, "exstyle": 1, "name": "", "url": "http://b/", "created": 0}])";
    ASSERT_EQ(Fernctl(folder, "list write '" + file + "' --kind items", U8(items)).status, 0);
    EXPECT_NE(ReadBytes(file).find("\tNAME=UrlList\r\n"), std::string::npos);
    Outcome dump = Fernctl(folder, "list dump '" + file + "' --kind items");
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(json::parse(dump.out), json::parse(U8(items)));
    ASSERT_EQ(Fernctl(folder, "list write '" + file + "' --kind items --name laststate", U8(items)).status, 0);
    EXPECT_NE(ReadBytes(file).find("\tNAME=laststate\r\n"), std::string::npos);

    ASSERT_EQ(Fernctl(folder, "list write '" + file + "' --kind urls", U8(R"(["http://x/表", ""])")).status, 0);
    EXPECT_NE(ReadBytes(file).find("\tNAME=urls\r\n"), std::string::npos);
    EXPECT_EQ(json::parse(Fernctl(folder, "list dump '" + file + "' --kind urls").out),
              json::parse(U8(R"(["http://x/表", ""])")));

    const char sections[] = R"([{"name": "typedurl", "entries": ["http://a/", "ソ"]},
                                {"name": "typedhs", "entries": []}, {"name": "typedws", "entries": ["w"]}])";
    ASSERT_EQ(Fernctl(folder, "list write '" + file + "' --kind sections", U8(sections)).status, 0);
    EXPECT_EQ(json::parse(Fernctl(folder, "list dump '" + file + "' --kind sections").out),
              json::parse(U8(sections)));

    // A missing file reads as the program reads it.
    std::string missing = folder.File("missing.fbl");
    for (const char* kind : {"items", "urls", "sections"}) {
        Outcome empty = Fernctl(folder, "list dump '" + missing + "' --kind " + kind);
        EXPECT_EQ(empty.status, 0) << kind;
        EXPECT_EQ(json::parse(empty.out), json::array()) << kind;
    }
    Outcome bookmarks = Fernctl(folder, "list dump '" + missing + "' --kind bookmark");
    ASSERT_EQ(bookmarks.status, 0);
    json tree = json::parse(bookmarks.out);
    EXPECT_EQ(tree["root"]["name"], "Fern Browser BookMark");
    ASSERT_EQ(tree["root"]["children"].size(), 1u);
    EXPECT_EQ(tree["root"]["children"][0]["name"], U8("リンク"));
    EXPECT_EQ(tree["trash"]["children"], json::array());
}

TEST(FernctlList, BadInputIsRefusedWithOneLineAndNoFile) {
    TempFolder folder;
    std::string file = folder.File("keep.fbl");
    ASSERT_EQ(Fernctl(folder, "list write '" + file + "' --kind urls", R"(["kept"])").status, 0);
    std::string kept = ReadBytes(file);
    std::string write = "list write '" + file + "' --kind ";

    ExpectRefused(Fernctl(folder, "list dump '" + folder.Path() + "' --kind items"), "is a folder");
    ExpectRefused(Fernctl(folder, "list dump '" + file + "' --kind nonsense"), "unknown kind");
    ExpectRefused(Fernctl(folder, "list dump '" + file + "'"), "missing --kind");
    ExpectRefused(Fernctl(folder, "list dump '" + file + "' --kind urls --verbose"), "unknown option");
    ExpectRefused(Fernctl(folder, "list frob '" + file + "' --kind urls"), "unknown action");
    ExpectRefused(Fernctl(folder, write + "bookmark --name x", "{}"), "--name");
    ExpectRefused(Fernctl(folder, write + "urls", "[\"a\""), "not valid JSON");
    ExpectRefused(Fernctl(folder, write + "urls", ""), "not valid JSON");
    ExpectRefused(Fernctl(folder, write + "urls", R"({"a": 1})"), "expected an array");
    ExpectRefused(Fernctl(folder, write + "urls", R"(["a\nb"])"), "line break");
    ExpectRefused(Fernctl(folder, write + "urls --name 'a\nb'", R"([])"), "line break");
    ExpectRefused(Fernctl(folder, write + "items", R"([{"style": "112"}])"), "[0].style");
    ExpectRefused(Fernctl(folder, write + "items", R"([{"style": 4294967296}])"), "0 to 4294967295");
    ExpectRefused(Fernctl(folder, write + "items", R"([{"created": -1}])"), "[0].created");
    ExpectRefused(Fernctl(folder, write + "items", R"([{"exstyle": 1.5}])"), "[0].exstyle");
    ExpectRefused(Fernctl(folder, write + "items", R"([{"type": 65536}])"), "[0].type");
    ExpectRefused(Fernctl(folder, write + "items", R"([{"nmae": "typo"}])"), "unknown field 'nmae'");
    ExpectRefused(Fernctl(folder, write + "items", R"([{"name": "a\u0000b"}])"), "NUL");
    ExpectRefused(Fernctl(folder, write + "sections", R"([{"entries": []}])"), "missing field 'name'");
    ExpectRefused(Fernctl(folder, write + "sections", R"([{"name": "s", "entries": [1]}])"), "[0].entries[0]");
    ExpectRefused(Fernctl(folder, write + "bookmark", R"({"root": {}})"), "\"trash\"");
    ExpectRefused(Fernctl(folder, write + "bookmark", R"({"root": {"type": 1}, "trash": {}})"), "root.type");
    ExpectRefused(Fernctl(folder, write + "bookmark",
                          R"({"root": {"children": [{"type": 2, "children": [{"name": "x"}]}]}, "trash": {}})"),
                  "root.children[0].children[0]: missing field 'type'");
    ExpectRefused(Fernctl(folder, write + "bookmark",
                          R"({"root": {"children": [{"type": 1, "children": []}]}, "trash": {}})"),
                  "only a folder");
    ExpectRefused(Fernctl(folder, write + "bookmark",
                          R"({"root": {"children": [{"type": 3}]}, "trash": {}})"), "0 to 2");
    ExpectRefused(Fernctl(folder, write + "bookmark",
                          R"({"root": {"children": [{"type": 1, "name": "a\rb"}]}, "trash": {}})"),
                  "line break");
    EXPECT_EQ(ReadBytes(file), kept);

    ExpectRefused(Fernctl(folder, "list write '" + folder.File("no/such.fbl") + "' --kind urls", "[]"),
                  "cannot write");
    ExpectRefused(Fernctl(folder, "list write '" + folder.Path() + "' --kind urls", "[]"), "cannot write");
    EXPECT_FALSE(std::filesystem::exists(folder.File("no")));
}

TEST(FernctlList, HandlesTreesNestedOneHundredThousandDeep) {
    TempFolder folder;
    const int depth = 100000;
    std::string input = R"({"trash": {}, "root": )";
    for (int i = 0; i < depth; ++i) input += R"({"type": 2, "name": "d", "children": [)";
    input += R"({"type": 1, "name": "leaf"})";
    for (int i = 0; i < depth; ++i) input += "]}";
    input += "}";
    std::string file = folder.File("deep.fbl");
    Outcome write = Fernctl(folder, "list write '" + file + "' --kind bookmark", input);
    ASSERT_EQ(write.status, 0) << write.err;
    Outcome dump = Fernctl(folder, "list dump '" + file + "' --kind bookmark");
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"name\": \"leaf\""), std::string::npos);
    // The dump is valid JSON; its nesting is counted without building it.
    int deepest = 0;
    int level = 0;
    EXPECT_TRUE(json::accept(dump.out));
    for (char c : dump.out) {
        if (c == '[') deepest = std::max(deepest, ++level);
        if (c == ']') --level;
    }
    EXPECT_EQ(deepest, depth);
}
