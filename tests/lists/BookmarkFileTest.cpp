#include <gtest/gtest.h>

#include <string>

#include "lists/BookmarkFile.h"
#include "lists/ListTestText.h"
#include "lists/ListTextWriter.h"
#include "lists/TempFolder.h"

using namespace fern;
using namespace fern::testing;

namespace {

BookmarkReadOptions Options(std::uint32_t timeStamp = 500, std::uint32_t addStyle = 1) {
    BookmarkReadOptions options;
    options.rootName = "Fern Browser BookMark";
    options.timeStamp = timeStamp;
    options.defaultAddStyle = addStyle;
    return options;
}

// Root: a URL whose name and url hold trail bytes 0x5C and whose memo has a
// line break, a separator, a folder with a URL and an empty folder. Trash:
// one URL.
struct SampleTree {
    std::unique_ptr<BookmarkNode> root =
        MakeBookmarkNode(kItemFolder, "Fern Browser BookMark", "", 112, 1, 1000);
    std::unique_ptr<BookmarkNode> trash = MakeBookmarkNode(kItemFolder, "ゴミ箱", "", 112, 1, 7);
    SampleTree() {
        BookmarkNode* url =
            AddBookmarkNode(*root, kItemUrl, "ソフト表示", "http://example.jp/ソ", 0x90, 0, 1234);
        url->desc = "一行目\x02\x02二行目";
        AddBookmarkNode(*root, kItemSeparator, "", "", 112, 1, 3);
        BookmarkNode* folder = AddBookmarkNode(*root, kItemFolder, "フォルダ", "", 112, 1, 5);
        folder->desc = "memo";
        AddBookmarkNode(*folder, kItemUrl, "inner", "http://i/", 112, 2, 0);
        AddBookmarkNode(*folder, kItemFolder, "empty", "", 112, 1, 6);
        AddBookmarkNode(*trash, kItemUrl, "old", "http://old/", 112, 1, 8);
    }
};

const char kSampleFile[] =
    "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"
    "#FOLDER\n\tNAME=Fern Browser BookMark\n\tCREATED=1000\n\n"
    "#URL\n\tNAME=ソフト表示\n\tURL=http://example.jp/ソ\n\tDESC=一行目\x02\x02二行目\n"
    "\tSTYLE=144\n\tEXSTYLE=0\n\tCREATED=1234\n\n"
    "#SEP\n\n"
    "#FOLDER\n\tNAME=フォルダ\n\tDESC=memo\n\tCREATED=5\n\n"
    "#URL\n\tNAME=inner\n\tURL=http://i/\n\tDESC=\n\tSTYLE=112\n\tEXSTYLE=2\n\tCREATED=0\n\n"
    "#FOLDER\n\tNAME=empty\n\tDESC=\n\tCREATED=6\n\n"
    "-\n\n"
    "-\n\n"
    "-\n\n"
    "#FOLDER\n\tNAME=ゴミ箱\n\tCREATED=7\n\n"
    "#URL\n\tNAME=old\n\tURL=http://old/\n\tDESC=\n\tSTYLE=112\n\tEXSTYLE=1\n\tCREATED=8\n\n"
    "-\n\n";

}  // namespace

TEST(BookmarkFile, WritesTheExactBytesAndReadsThemBackUnchanged) {
    SampleTree tree;
    std::string bytes = SerializeBookmarkFile(*tree.root, *tree.trash);
    EXPECT_EQ(bytes, Crlf(kSampleFile));

    // The separator's created is not stored: it gets the reader's time stamp.
    BookmarkFileContents read = ParseBookmarkFile(bytes, Options(3));
    EXPECT_TRUE(read.rootRead);
    EXPECT_EQ(DescribeTree(*read.root), DescribeTree(*tree.root));
    EXPECT_EQ(DescribeTree(*read.trash), DescribeTree(*tree.trash));
    EXPECT_EQ(SerializeBookmarkFile(*read.root, *read.trash), bytes);

    // Bare LF line ends read the same.
    BookmarkFileContents lf = ParseBookmarkFile(kSampleFile, Options(3));
    EXPECT_EQ(DescribeTree(*lf.root), DescribeTree(*tree.root));
}

TEST(BookmarkFile, FillsWhatTheFileLeavesOut) {
    // No NAME, no CREATED, no STYLE: the defaults of a new node, with the
    // reader's time stamp and the default add style for URLs only.
    BookmarkFileContents read =
        ParseBookmarkFile("#FOLDER\n#URL\n#FOLDER\n-\n\tNAMEX=abc\n#URL\n-\n", Options(500, 2));
    // After a nested folder, field lines set the item before it again: here
    // the first URL, whose name becomes "=abc" as values start at fixed places.
    EXPECT_EQ(DescribeTree(*read.root),
              "2|Fern Browser BookMark|<フォルダ>||112|1|500\n"
              " 1|=abc|||112|2|500\n"
              " 2|unknown dir|<フォルダ>||112|1|500\n"
              " 1|unknown url|||112|2|500\n");
    EXPECT_EQ(read.trash->name, "ゴミ箱");
    EXPECT_EQ(read.trash->FirstChild(), nullptr);

    // A file with only the header has no folder: both roots stay empty and
    // no "リンク" folder is added.
    BookmarkFileContents empty = ParseBookmarkFile(Crlf(std::string(kListFileHeader)), Options());
    EXPECT_FALSE(empty.rootRead);
    EXPECT_EQ(empty.root->FirstChild(), nullptr);
    EXPECT_EQ(empty.trash->FirstChild(), nullptr);
}

TEST(BookmarkFile, MergesEveryLaterTopLevelFolderIntoTheTrash) {
    BookmarkFileContents read = ParseBookmarkFile(
        "junk #FOLDER junk\n\tNAME=R\n#URL\n\tNAME=a\n-\n"
        "#URL\n\tNAME=ignored at top level\n"
        "#FOLDER\n\tNAME=Trash\n#URL\n\tNAME=b\n-\n"
        "#FOLDER\n\tNAME=Third\n\tCREATED=9\n#URL\n\tNAME=c\n#SEP\n-\n",
        Options(1));
    EXPECT_EQ(DescribeTree(*read.root), "2|R|<フォルダ>||112|1|1\n 1|a|||112|1|1\n");
    // The third folder's fields land on the trash itself.
    EXPECT_EQ(DescribeTree(*read.trash),
              "2|Third|<フォルダ>||112|1|9\n"
              " 1|b|||112|1|1\n"
              " 1|c|||112|1|1\n"
              " 0|<セパレータ>|<セパレータ>||112|1|1\n");
}

TEST(BookmarkFile, SurvivesTruncatedJunkAndHugeInput) {
    // A cut file keeps what came before the cut (any bytes at all: ListReaderRobustnessTest).
    std::string sample = Crlf(kSampleFile);
    BookmarkFileContents cutInMemo = ParseBookmarkFile(sample.substr(0, sample.find("二行目")), Options());
    EXPECT_EQ(cutInMemo.root->FirstChild()->desc, "一行目\x02\x02");

    // NUL bytes end a line's text; a stray "-" at the top level is ignored.
    std::string withNul("-\n#FOLDER\n\tNAME=a\0b\n#URL\n\tURL=\0\n\0#URL\n-\n", 40);
    BookmarkFileContents nul = ParseBookmarkFile(withNul, Options());
    EXPECT_EQ(nul.root->name, "a");
    ASSERT_NE(nul.root->FirstChild(), nullptr);
    EXPECT_EQ(nul.root->FirstChild()->url, "");
    EXPECT_EQ(nul.root->FirstChild(), nul.root->LastChild());

    // Values far beyond the 2338-byte line buffer are read whole.
    auto root = MakeBookmarkNode(kItemFolder, "R", "", 112, 1, 0);
    auto trash = MakeBookmarkNode(kItemFolder, "T", "", 112, 1, 0);
    std::string longUrl = "http://x/" + std::string(10000, 'q');
    AddBookmarkNode(*root, kItemUrl, "long", longUrl, 112, 1, 0);
    BookmarkFileContents big = ParseBookmarkFile(SerializeBookmarkFile(*root, *trash), Options());
    EXPECT_EQ(big.root->FirstChild()->url, longUrl);

    // 100,000 nested folders: reading, writing and freeing never recurse.
    const int depth = 100000;
    std::string deep = "#FOLDER\n\tNAME=R\n";
    for (int i = 0; i < depth; ++i) deep += "#FOLDER\n\tNAME=d\n";
    deep += "#URL\n\tNAME=leaf\n";
    BookmarkFileContents nested = ParseBookmarkFile(deep, Options());  // no "-" at all
    const BookmarkNode* node = nested.root.get();
    for (int level = 0; level < depth; ++level)
        ASSERT_TRUE((node = node->FirstChild()) && node->IsFolder()) << level;
    EXPECT_EQ(node->FirstChild()->name, "leaf");
    std::string written = SerializeBookmarkFile(*nested.root, *nested.trash);
    BookmarkFileContents again = ParseBookmarkFile(written, Options());
    EXPECT_EQ(SerializeBookmarkFile(*again.root, *again.trash), written);
}

TEST(BookmarkFile, FilesThatCannotBeOpenedGiveTheLinksFolderAndFailedSavesSaySo) {
    TempFolder folder;
    BookmarkFileContents missing = ReadBookmarkFile(folder.File("none.fbl"), Options(42));
    EXPECT_FALSE(missing.status.ok);
    EXPECT_FALSE(missing.rootRead);
    EXPECT_EQ(DescribeTree(*missing.root),
              "2|Fern Browser BookMark|<フォルダ>||112|1|42\n 2|リンク|<フォルダ>||112|1|42\n");
    EXPECT_EQ(missing.trash->FirstChild(), nullptr);
    BookmarkFileContents isFolder = ReadBookmarkFile(folder.Path(), Options());
    EXPECT_FALSE(isFolder.status.ok);
    EXPECT_EQ(isFolder.root->FirstChild()->name, "リンク");

    // An existing empty file is read: no "リンク" folder.
    std::string path = folder.File("bookmark.fbl");
    WriteBytes(path, "");
    BookmarkFileContents emptyFile = ReadBookmarkFile(path, Options());
    EXPECT_TRUE(emptyFile.status.ok);
    EXPECT_EQ(emptyFile.root->FirstChild(), nullptr);

    SampleTree tree;
    ASSERT_TRUE(WriteBookmarkFile(path, *tree.root, *tree.trash).ok);
    EXPECT_EQ(ReadBytes(path), Crlf(kSampleFile));
    BookmarkFileContents read = ReadBookmarkFile(path, Options(3));
    EXPECT_TRUE(read.status.ok);
    EXPECT_EQ(DescribeTree(*read.root), DescribeTree(*tree.root));

    ListFileStatus intoMissingFolder = WriteBookmarkFile(folder.File("no/such.fbl"), *tree.root, *tree.trash);
    EXPECT_FALSE(intoMissingFolder.ok);
    EXPECT_FALSE(intoMissingFolder.error.empty());
    // A folder in the file's place stays what it was.
    std::string blocked = folder.File("blocked.fbl");
    ASSERT_EQ(mkdir(blocked.c_str(), 0700), 0);
    EXPECT_FALSE(WriteBookmarkFile(blocked, *tree.root, *tree.trash).ok);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(ReadBytes(path), Crlf(kSampleFile));
}
