#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "addressbar/TypedUrlFile.h"
#include "lists/TempFolder.h"

using namespace fern;
using fern::testing::ReadBytes;
using fern::testing::TempFolder;
using fern::testing::WriteBytes;

namespace {

// typed.fbl as the program writes it: CR LF, the three sections in order.
const std::string kTypedFile =
    "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n"
    "#FOLDER\r\n\tNAME=typedurl\r\n\r\n"
    "#URL\r\n\tURL=http://a/\r\n\r\n"
    "#URL\r\n\tURL=http://b/\r\n\r\n"
    "#URL\r\n\tURL=http://c/ソース\r\n\r\n"
    "-\r\n\r\n"
    "#FOLDER\r\n\tNAME=typedhs\r\n\r\n"
    "#URL\r\n\tURL=履歴の検索語\r\n\r\n"
    "#URL\r\n\tURL=\r\n\r\n"
    "-\r\n\r\n"
    "#FOLDER\r\n\tNAME=typedws\r\n\r\n"
    "#URL\r\n\tURL=ウェブ検索\r\n\r\n"
    "-\r\n\r\n";

// Parses the three sections, keeping at most `limit` typed addresses.
TypedHistory Parse(const std::string& bytes, int limit) {
    TypedHistory h;
    ParseSections(bytes, {[&](ListLineReader& lines) { return ReadTypedUrls(lines, h.urls, limit); },
                          SearchStringsReader(h.historySearch), SearchStringsReader(h.webSearch)});
    return h;
}

std::string SectionsAfterTypedUrl(const std::string& bytes) {
    return bytes.substr(bytes.find("#FOLDER\r\n\tNAME=typedhs"));
}

}  // namespace

TEST(TypedUrlFile, RoundTripKeepsTheSearchSectionsByteForByte) {
    TempFolder dir;
    std::string path = dir.File("typed.fbl");
    WriteBytes(path, kTypedFile);
    TypedHistory history;
    ASSERT_TRUE(ReadTypedHistory(path, history, 128).ok);
    EXPECT_EQ(history.urls, (std::vector<std::string>{"http://a/", "http://b/", "http://c/ソース"}));
    EXPECT_EQ(history.historySearch.entries, (std::vector<std::string>{"履歴の検索語", ""}));
    EXPECT_EQ(history.webSearch.entries, (std::vector<std::string>{"ウェブ検索"}));
    ASSERT_TRUE(WriteTypedHistory(path, history, 128).ok);
    EXPECT_EQ(ReadBytes(path), kTypedFile);

    // A new address at the top changes only the first section.
    history.urls.insert(history.urls.begin(), "http://new/");
    ASSERT_TRUE(WriteTypedHistory(path, history, 128).ok);
    std::string written = ReadBytes(path);
    EXPECT_EQ(SectionsAfterTypedUrl(written), SectionsAfterTypedUrl(kTypedFile));
    EXPECT_NE(written.find("#FOLDER\r\n\tNAME=typedurl\r\n\r\n#URL\r\n\tURL=http://new/\r\n\r\n"),
              std::string::npos);
}

TEST(TypedUrlFile, ALowerLimitStopsAddingButReadsOnToTheNextSections) {
    TypedHistory history = Parse(kTypedFile, 1);
    EXPECT_EQ(history.urls, (std::vector<std::string>{"http://a/"}));
    EXPECT_EQ(history.historySearch.entries.size(), 2u);
    EXPECT_EQ(history.webSearch.entries, (std::vector<std::string>{"ウェブ検索"}));

    // The writer never writes more than the limit; below 1 it writes none.
    history.urls = {"1", "2", "3"};
    std::string two = SerializeTypedHistory(history, 2);
    EXPECT_NE(two.find("URL=2\r\n"), std::string::npos);
    EXPECT_EQ(two.find("URL=3\r\n"), std::string::npos);
    std::string none = SerializeTypedHistory(history, 0);
    EXPECT_NE(none.find("#FOLDER\r\n\tNAME=typedurl\r\n\r\n-\r\n\r\n#FOLDER\r\n\tNAME=typedhs"),
              std::string::npos);
}

TEST(TypedUrlFile, OtherWritersAndTruncation) {
    // LF only, no blank lines, NAME lines in the search sections.
    std::string lf =
        "#FOLDER\n\tNAME=typedurl\n#URL\n\tURL=http://x\n-\n"
        "#FOLDER\n\tNAME=typedhs\n#URL\n\tNAME=ignored\n\tURL=word\n-\n";
    TypedHistory history = Parse(lf, 128);
    EXPECT_EQ(history.urls, (std::vector<std::string>{"http://x"}));
    EXPECT_EQ(history.historySearch.entries, (std::vector<std::string>{"word"}));
    EXPECT_TRUE(history.webSearch.entries.empty());
    // Written back in the program's own form, with the sections in order.
    std::string out = SerializeTypedHistory(history, 128);
    EXPECT_LT(out.find("NAME=typedhs"), out.find("NAME=typedws"));
    EXPECT_NE(out.find("#URL\r\n\tURL=word\r\n\r\n-\r\n"), std::string::npos);

    // Cut inside the second section: the first is whole, the rest as far
    // as it goes.
    TempFolder dir;
    std::string path = dir.File("typed.fbl");
    WriteBytes(path, kTypedFile.substr(0, kTypedFile.find("#URL\r\n\tURL=\r\n")));
    TypedHistory cut;
    EXPECT_TRUE(ReadTypedHistory(path, cut, 128).ok);
    EXPECT_EQ(cut.urls.size(), 3u);
    EXPECT_EQ(cut.historySearch.entries, (std::vector<std::string>{"履歴の検索語"}));
    EXPECT_TRUE(cut.webSearch.entries.empty());
}

TEST(TypedUrlFile, MissingFileIsEmptyAndAnUnreadableOneIsNotReplaced) {
    TempFolder dir;
    std::string path = dir.File("typed.fbl");
    TypedHistory history;
    EXPECT_FALSE(ReadTypedHistory(path, history, 128).ok);
    EXPECT_FALSE(history.unreadable);
    EXPECT_TRUE(history.urls.empty());
    history.urls = {"http://a"};
    ASSERT_TRUE(WriteTypedHistory(path, history, 128).ok);
    std::string written = ReadBytes(path);
    EXPECT_EQ(written.rfind("#INFO\r\n", 0), 0u);
    EXPECT_NE(written.find("NAME=typedws"), std::string::npos);

    // Something that is there but cannot be read as a file stays as it is
    // (a FIFO: a write would replace it, unlike a folder).
    std::string blocked = dir.File("fifo.fbl");
    fern::testing::FifoInPlace fifo(blocked);
    ASSERT_TRUE(fifo.Made());
    TypedHistory fromFifo;
    ReadTypedHistory(blocked, fromFifo, 128);
    EXPECT_TRUE(fromFifo.unreadable);
    fromFifo.urls = {"http://b"};
    ListFileStatus status = WriteTypedHistory(blocked, fromFifo, 128);
    EXPECT_FALSE(status.ok);
    EXPECT_FALSE(status.error.empty());
    EXPECT_TRUE(fifo.StillThere());
}
