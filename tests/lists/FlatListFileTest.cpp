#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/ItemListFile.h"
#include "lists/ListTestText.h"
#include "lists/TempFolder.h"
#include "lists/UrlListFile.h"

using namespace fern;
using namespace fern::testing;

namespace {

UrlItem Item(std::string name, std::string url, std::uint32_t style = 112) {
    UrlItem item;
    item.name = std::move(name);
    item.url = std::move(url);
    item.style = style;
    return item;
}

const char kItemFile[] =
    "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"
    "#FOLDER\n\tNAME=laststate\n\n"
    "#URL\n\tNAME=名前ソ\n\tURL=http://a/表\n\tSTYLE=112\n\n"
    "#URL\n\tURL=http://b/\n\tSTYLE=5\n\n"
    "#URL\n\tNAME=only a name\n\n"
    "-\n";

const char kUrlFile[] =
    "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"
    "#FOLDER\n\tNAME=urls\n\n"
    "#URL\n\tURL=http://a/表\n\n\n"
    "#URL\n\tURL=\n\n\n"
    "-\n";

}  // namespace

TEST(ItemListFile, WritesTheExactBytesAndReadsNameUrlAndStyleBack) {
    std::vector<UrlItem> items{Item("名前ソ", "http://a/表"), Item("", "http://b/", 5),
                               Item("only a name", "", 9)};
    items[0].exstyle = 2;  // not stored
    items[0].created = 99;
    std::string bytes = SerializeItemList("laststate", items);
    EXPECT_EQ(bytes, Crlf(kItemFile));

    std::vector<UrlItem> read{Item("kept", "http://kept/")};  // the reader appends
    ParseItemList(bytes, read);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_EQ(read[0].name, "kept");
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read[i + 1].name, items[i].name);
        EXPECT_EQ(read[i + 1].url, items[i].url);
        EXPECT_EQ(read[i + 1].type, 0);
        EXPECT_EQ(read[i + 1].exstyle, 1u);
        EXPECT_EQ(read[i + 1].created, 0u);
    }
    EXPECT_EQ(read[1].style, 112u);
    EXPECT_EQ(read[2].style, 5u);
    EXPECT_EQ(read[3].style, 112u);  // no STYLE line without a url
}

TEST(ItemListFile, ReadsOnlyTheFirstFolderAndSkipsWhatItDoesNotKnow) {
    std::vector<UrlItem> items;
    ParseItemList(
        "\tURL=before any item\n#FOLDER\n\tNAME=list\n#URL\n\tURL=u1\n\tDESC=x\n\tEXSTYLE=2\n"
        "\tSTYLE=-1\n#SEP\n#URL\n\tNAME=n2\n#FOLDER\n#URL\n\tURL=second folder\n",
        items);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].url, "u1");
    EXPECT_EQ(items[0].exstyle, 1u);
    EXPECT_EQ(items[0].style, 4294967295u);
    EXPECT_EQ(items[1].name, "n2");

    items.clear();
    ParseItemList("#FOLDER\n#URL\n\tURL=a\n-\n#URL\n\tURL=after the end\n", items);
    ASSERT_EQ(items.size(), 1u);
    // Binary junk and NULs read without harm.
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 131 + i / 7) & 0xFF);
    ParseItemList(junk, items);
    ParseItemList(std::string("#URL\n\tNAME=\0\n\t\0\n#\0", 18), items);
    EXPECT_EQ(items.back().name, "");
}

TEST(UrlListFile, BothFlatFormsReadBackToTheSameUrls) {
    std::vector<std::string> urls{"http://a/表", ""};
    std::string bytes = SerializeUrlList("urls", urls);
    EXPECT_EQ(bytes, Crlf(kUrlFile));
    std::vector<std::string> read;
    ParseUrlList(bytes, read);
    EXPECT_EQ(read, urls);

    // The item writer's form (one blank line fewer, NAME and STYLE lines).
    read.clear();
    ParseUrlList(SerializeItemList("x", {Item("n", "u1"), Item("m", "u2")}), read);
    EXPECT_EQ(read, (std::vector<std::string>{"u1", "u2"}));
    // Bare LF, no blank lines at all, no "-".
    read.clear();
    ParseUrlList("#FOLDER\n\tNAME=x\n#URL\n\tURL=u1\n#URL\n\tURL=u2", read);
    EXPECT_EQ(read, (std::vector<std::string>{"u1", "u2"}));
    read.clear();
    ParseUrlList("#FOLDER\n#URL\n\tURL=u1\n#FOLDER\n\tURL=u2\n", read);
    EXPECT_EQ(read, (std::vector<std::string>{"u1"}));
}

TEST(FlatListFiles, FilesThatCannotBeOpenedLeaveTheListAsItIs) {
    TempFolder folder;
    std::vector<UrlItem> items{Item("a", "b")};
    std::vector<std::string> urls{"c"};
    EXPECT_FALSE(ReadItemList(folder.File("none.fbl"), items).ok);
    EXPECT_FALSE(ReadItemList(folder.Path(), items).ok);
    EXPECT_FALSE(ReadUrlList(folder.Path(), urls).ok);
    EXPECT_EQ(items.size(), 1u);
    EXPECT_EQ(urls.size(), 1u);

    std::string path = folder.File("state.fbl");
    ASSERT_TRUE(
        WriteItemList(path, "laststate",
                      {Item("名前ソ", "http://a/表"), Item("", "http://b/", 5), Item("only a name", "", 9)})
            .ok);
    EXPECT_EQ(ReadBytes(path), Crlf(kItemFile));
    EXPECT_TRUE(ReadItemList(path, items).ok);
    EXPECT_EQ(items.size(), 4u);

    ASSERT_TRUE(WriteUrlList(path, "urls", {"http://a/表", ""}).ok);
    EXPECT_EQ(ReadBytes(path), Crlf(kUrlFile));
    EXPECT_TRUE(ReadUrlList(path, urls).ok);
    EXPECT_EQ(urls, (std::vector<std::string>{"c", "http://a/表", ""}));

    ListFileStatus failed = WriteUrlList(folder.File("no/such.fbl"), "urls", urls);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.empty());
    EXPECT_EQ(ReadBytes(path), Crlf(kUrlFile));
}
