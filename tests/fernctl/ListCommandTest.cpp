// Runs the real fernctl binary: list dump / list write.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "fernctl/FernctlRunner.h"
#include "lists/ListTestText.h"
#include "lists/TempFolder.h"
#include "platform/text/Encoding.h"

using namespace fern::testing;
using fern::test::ExpectRefused;
using fern::test::FernctlRun;
using nlohmann::json;

namespace {

// Literals here are Shift-JIS like all program text; JSON is UTF-8.
std::string U8(const std::string& sjis) { return fern::ToUtf8(sjis); }

// "fernctl list ACTION 'FILE' --kind KIND" with `input` on standard input.
FernctlRun List(const char* action, const std::string& file, const std::string& kind,
                const std::string& input = "") {
    return fern::test::RunFernctlWords(std::string("list ") + action + " '" + file + "' --kind " + kind,
                                       input);
}

json Dump(const std::string& file, const std::string& kind) {
    FernctlRun run = List("dump", file, kind);
    EXPECT_EQ(run.status, 0) << run.err;
    return json::parse(run.out, nullptr, false);
}

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
    FernctlRun write = List("write", file, "bookmark", U8(kBookmarkJson));
    ASSERT_EQ(write.status, 0) << write.err;
    // Each field reaches its own line (the byte layout itself is the list writer's).
    std::string bytes = ReadBytes(file);
    EXPECT_NE(bytes.find(Crlf("\tDESC=行1\x02\x02行2\n\tSTYLE=144\n\tEXSTYLE=0\n\tCREATED=4294967295\n")),
              std::string::npos);
    EXPECT_NE(bytes.find(Crlf("-\n\n#FOLDER\n\tNAME=ゴミ箱\n\tCREATED=14\n")), std::string::npos);
    json dumped = Dump(file, "bookmark"), expected = json::parse(U8(kBookmarkJson));
    // The separator's date is not stored; the reader dates it now.
    dumped["root"]["children"][1].erase("created");
    expected["root"]["children"][1].erase("created");
    EXPECT_EQ(dumped, expected);

    // Fields may be left out; a memo's line breaks are stored as 0x02 0x02.
    ASSERT_EQ(List("write", file, "bookmark", R"({"root": {"children": [{"type": 1, "desc": "a\r\nb\nc"}]},
                                                   "trash": {}})")
                  .status,
              0);
    dumped = Dump(file, "bookmark");
    EXPECT_EQ(dumped["root"]["name"], "Fern Browser BookMark");
    EXPECT_EQ(dumped["trash"]["name"], U8("ゴミ箱"));
    EXPECT_EQ(dumped["root"]["children"][0]["desc"], "a\u0002\u0002b\u0002\u0002c");
    EXPECT_EQ(dumped["root"]["children"][0]["style"], 112);
}

TEST(FernctlList, FlatListsAndSectionsRoundTrip) {
    TempFolder folder;
    std::string file = folder.File("list.fbl");
    const std::string items =
        U8(R"([{"type": 0, "style": 5, "exstyle": 1, "name": "名前ソ", "url": "http://a/", "created": 0},
                                     {"type": 0, "style": 112, "exstyle": 1, "name": "", "url": "http://b/", "created": 0}])");
    const std::string urls = U8(R"(["http://x/表", ""])");
    const std::string sections = U8(R"([{"name": "typedurl", "entries": ["http://a/", "ソ"]},
                                        {"name": "typedhs", "entries": []}, {"name": "typedws", "entries": ["w"]}])");
    // Each kind reads back what it wrote, under the list name the program uses.
    for (auto [kind, input, name] : {std::tuple{"items", items, "UrlList"},
                                     {"items --name laststate", items, "laststate"},
                                     {"urls", urls, "urls"},
                                     {"sections", sections, "typedurl"}}) {
        SCOPED_TRACE(kind);
        ASSERT_EQ(List("write", file, kind, input).status, 0);
        EXPECT_NE(ReadBytes(file).find(std::string("\tNAME=") + name + "\r\n"), std::string::npos);
        EXPECT_EQ(Dump(file, std::string(kind).substr(0, std::string(kind).find(' '))), json::parse(input));
    }

    // A missing file reads as the program reads it.
    std::string missing = folder.File("missing.fbl");
    for (const char* kind : {"items", "urls", "sections"})
        EXPECT_EQ(Dump(missing, kind), json::array()) << kind;
    json tree = Dump(missing, "bookmark");
    EXPECT_EQ(tree["root"]["name"], "Fern Browser BookMark");
    ASSERT_EQ(tree["root"]["children"].size(), 1u);
    EXPECT_EQ(tree["root"]["children"][0]["name"], U8("リンク"));
    EXPECT_EQ(tree["trash"]["children"], json::array());
}

TEST(FernctlList, BadInputIsRefusedWithOneLineAndNoFile) {
    TempFolder folder;
    std::string file = folder.File("keep.fbl");
    ASSERT_EQ(List("write", file, "urls", R"(["kept"])").status, 0);
    std::string kept = ReadBytes(file);

    ExpectRefused(List("dump", folder.Path(), "items"), "is a folder");
    ExpectRefused(List("dump", file, "nonsense"), "unknown kind");
    ExpectRefused(fern::test::RunFernctlWords("list dump '" + file + "'"), "missing --kind");
    ExpectRefused(List("dump", file, "urls --verbose"), "unknown option");
    ExpectRefused(fern::test::RunFernctlWords("list frob '" + file + "' --kind urls"), "unknown action");
    auto refuse = [&](const char* kind, const char* input, const char* says) {
        SCOPED_TRACE(input);
        ExpectRefused(List("write", file, kind, input), says);
    };
    refuse("bookmark --name x", "{}", "--name");
    refuse("urls", "[\"a\"", "not valid JSON");
    refuse("urls", "", "not valid JSON");
    refuse("urls", R"({"a": 1})", "expected an array");
    refuse("urls", R"(["a\nb"])", "line break");
    refuse("urls --name 'a\nb'", R"([])", "line break");
    // Text that Shift-JIS cannot hold would come back as "?"; the field is named.
    refuse("urls", R"(["ok", "caf\u00e9"])", "the input[1]: holds a character that Shift-JIS cannot store");
    refuse("urls --name 'caf\xC3\xA9'", R"([])", "--name holds a character that Shift-JIS cannot store");
    refuse("items", R"([{"name": "\ud83d\ude00"}])", "[0].name: holds a character");
    refuse("sections", R"([{"name": "s", "entries": ["\uac00"]}])", "[0].entries[0]: holds a character");
    refuse("bookmark", R"({"root": {"children": [{"type": 1, "desc": "a\u00e9"}]}, "trash": {}})",
           "root.children[0].desc: holds a character");
    refuse("items", R"([{"style": "112"}])", "[0].style");
    refuse("items", R"([{"style": 4294967296}])", "0 to 4294967295");
    refuse("items", R"([{"created": -1}])", "[0].created");
    refuse("items", R"([{"exstyle": 1.5}])", "[0].exstyle");
    refuse("items", R"([{"type": 65536}])", "[0].type");
    refuse("items", R"([{"nmae": "typo"}])", "unknown field 'nmae'");
    refuse("items", R"([{"name": "a\u0000b"}])", "NUL");
    refuse("sections", R"([{"entries": []}])", "missing field 'name'");
    refuse("sections", R"([{"name": "s", "entries": [1]}])", "[0].entries[0]");
    refuse("bookmark", R"({"root": {}})", "\"trash\"");
    refuse("bookmark", R"({"root": {"type": 1}, "trash": {}})", "root.type");
    refuse("bookmark", R"({"root": {"children": [{"type": 2, "children": [{"name": "x"}]}]}, "trash": {}})",
           "root.children[0].children[0]: missing field 'type'");
    refuse("bookmark", R"({"root": {"children": [{"type": 1, "children": []}]}, "trash": {}})",
           "only a folder");
    refuse("bookmark", R"({"root": {"children": [{"type": 3}]}, "trash": {}})", "0 to 2");
    refuse("bookmark", R"({"root": {"children": [{"type": 1, "name": "a\rb"}]}, "trash": {}})", "line break");
    EXPECT_EQ(ReadBytes(file), kept);
    ExpectRefused(List("write", folder.File("no/such.fbl"), "urls", "[]"), "cannot write");
    ExpectRefused(List("write", folder.Path(), "urls", "[]"), "cannot write");
    EXPECT_FALSE(std::filesystem::exists(folder.File("no")));
}

TEST(FernctlList, HandlesTreesNestedOneHundredThousandDeep) {
    TempFolder folder;
    const int depth = 100000;
    std::string input = R"({"trash": {}, "root": )";
    for (int i = 0; i < depth; ++i) input += R"({"type": 2, "name": "d", "children": [)";
    input += R"({"type": 1, "name": "leaf"})";
    for (int i = 0; i < depth; ++i) input += "]}";
    std::string file = folder.File("deep.fbl");
    FernctlRun write = List("write", file, "bookmark", input + "}");
    ASSERT_EQ(write.status, 0) << write.err;
    FernctlRun dump = List("dump", file, "bookmark");
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"name\": \"leaf\""), std::string::npos);
    // The dump is valid JSON; its nesting is counted without building it.
    EXPECT_TRUE(json::accept(dump.out));
    int deepest = 0, level = 0;
    for (char c : dump.out) {
        if (c == '[') deepest = std::max(deepest, ++level);
        if (c == ']') --level;
    }
    EXPECT_EQ(deepest, depth);
}
