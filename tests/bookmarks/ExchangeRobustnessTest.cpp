// The exchange readers on bytes they were not made for: every test file cut
// at many places, every reader on every file, random bytes, deep nesting.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "TestData.h"
#include "bookmarks/BookmarkTestTree.h"
#include "bookmarks/exchange/HotList.h"
#include "bookmarks/exchange/HtmlList.h"
#include "bookmarks/exchange/Netscape.h"
#include "lists/TempFolder.h"

namespace fern {
namespace {

using testing::MakeTestTree;

void ParseWithEveryReader(std::string_view bytes) {
    BookmarkTree tree = MakeTestTree();
    ParseNetscapeBookmarks(bytes, tree, tree.Root());
    ParseHotList(bytes, tree, tree.Root());
    ParseHtmlList(bytes, tree, tree.Root());
    // Whatever came in can go out again.
    SerializeNetscape(tree.Root(), true);
    SerializeHtmlList(tree.Root(), &tree.Trash());
}

std::vector<std::string> FilesIn(const std::string& top) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(top))
        if (entry.is_regular_file()) files.push_back(entry.path().string());
    return files;
}

void EveryReaderOnEveryFileCutAnywhere(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::string bytes = testing::ReadBytes(file);
        ASSERT_FALSE(bytes.empty()) << file;
        ParseWithEveryReader(bytes);
        // Cut at 97 places spread over the file, and at every one of the
        // first 300 bytes, where the headers and markers are.
        for (std::size_t i = 1; i <= 97; ++i)
            ParseWithEveryReader(std::string_view(bytes).substr(0, bytes.size() * i / 98));
        for (std::size_t n = 0; n < 300 && n < bytes.size(); ++n)
            ParseWithEveryReader(std::string_view(bytes).substr(0, n));
    }
}

TEST(ExchangeRobustness, EveryReaderOnEveryFixtureCutAnywhere) {
    std::vector<std::string> files = FilesIn(testing::Fixture("bookmarks"));
    ASSERT_GE(files.size(), 10u);
    EveryReaderOnEveryFileCutAnywhere(files);
}

TEST(ExchangeRobustness, EveryReaderOnEveryRealFileCutAnywhere) {
    FERN_NEEDS_CORPUS();
    std::vector<std::string> files = FilesIn(testing::Corpus("bookmarks"));
    ASSERT_GE(files.size(), 20u);
    EveryReaderOnEveryFileCutAnywhere(files);
}

TEST(ExchangeRobustness, RandomAndMarkerSoupBytes) {
    std::mt19937 random(7);
    // The pieces are string_views: a NUL given as a C string would be empty.
    const std::string_view nul("\0", 1);
    const std::string_view pieces[] = {"<DL>",
                                       "</DL>",
                                       "<HR>",
                                       "<DT><A",
                                       "HREF=\"",
                                       "\" ADD_DATE",
                                       "\">",
                                       "</A>",
                                       "<DT><H3",
                                       "</H3>",
                                       "<UL>",
                                       "</UL>",
                                       "<LI",
                                       "><A",
                                       "=\"",
                                       "<LI ID=",
                                       "VALUE=",
                                       "#URL",
                                       "#FOLDER",
                                       "-",
                                       "NAME=",
                                       "URL=",
                                       "options encoding utf8",
                                       "charset=UTF-8",
                                       "\n",
                                       "\r\n",
                                       "\x81",
                                       "\xEF\xBB\xBF",
                                       nul,
                                       "\xFF"};
    std::size_t nulPieces = 0;
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) {
            if (random() % 3 == 0) {
                bytes += static_cast<char>(random() % 256);
            } else {
                std::string_view piece = pieces[random() % std::size(pieces)];
                nulPieces += piece == nul;
                bytes += piece;
            }
        }
        ParseWithEveryReader(bytes);
    }
    EXPECT_GT(nulPieces, 100u);  // the NUL piece was really put in
}

TEST(ExchangeRobustness, DeepNestingNeedsNoStack) {
    const int depth = 100000;
    std::string netscape = "<DL><p>\n", html = "<UL>\n", hot = "#FOLDER\n";
    for (int i = 0; i < depth; ++i) {
        netscape += "<DT><H3>f</H3>\n<DL><p>\n";
        html += "<LI>f<UL>\n";
        hot += "#FOLDER\n\tNAME=f\n";
    }
    BookmarkTree tree = MakeTestTree();
    ParseNetscapeBookmarks(netscape, tree, tree.Root());
    EXPECT_EQ(testing::CountType(tree.Root(), kItemFolder), static_cast<std::size_t>(depth));
    // Indents stop at 100 levels: the outputs stay linear in size.
    EXPECT_LT(SerializeNetscape(tree.Root(), false).size(), 2000u * depth);
    EXPECT_LT(SerializeHtmlList(tree.Root(), nullptr).size(), 300u * depth);
    BookmarkTree second = MakeTestTree();
    ParseHtmlList(html, second, second.Root());
    ParseHotList(hot, second, second.Root());
    EXPECT_EQ(testing::CountType(second.Root(), kItemFolder), 2u * depth + 1);
}

TEST(ExchangeRobustness, ImportsOfFoldersAndEmptyFiles) {
    testing::TempFolder folder;
    testing::WriteBytes(folder.File("empty"), "");
    BookmarkTree tree = MakeTestTree();
    EXPECT_TRUE(ImportNetscape(folder.File("empty"), tree, nullptr).ok);
    EXPECT_TRUE(ImportHotList(folder.File("empty"), tree, nullptr).ok);
    EXPECT_TRUE(ImportHtmlList(folder.File("empty"), tree, nullptr).ok);
    EXPECT_EQ(tree.Root().FirstChild(), nullptr);
    EXPECT_FALSE(ImportNetscape(folder.Path(), tree, nullptr).ok);
    EXPECT_FALSE(ImportHotList("/dev/zero", tree, nullptr).ok);  // never ends: refused
    EXPECT_FALSE(ImportHtmlList(folder.File("none"), tree, nullptr).ok);
}

}  // namespace
}  // namespace fern
