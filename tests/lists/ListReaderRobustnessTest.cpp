// Every reader on arbitrary bytes: no crash (the sanitizer build checks the
// memory), and what was read writes out to bytes that read back the same.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lists/BookmarkFile.h"
#include "lists/ItemListFile.h"
#include "lists/SectionFile.h"
#include "lists/UrlListFile.h"

using namespace fern;

namespace {

// Bytes made mostly of the format's own pieces, so the readers get deep into
// their states, mixed with NULs, lone CRs and arbitrary bytes.
std::string RandomListBytes(std::uint32_t& seed) {
    static const char* const kPieces[] = {
        "#FOLDER\n",  "#URL\r\n", "#SEP\n",   "#INFO\n",  "-\n",        "\n",         "\r\n",
        "\tNAME=",    "\tURL=",   "\tDESC=",  "\tSTYLE=", "\tEXSTYLE=", "\tCREATED=", "-12",
        "4294967296", "ソ",       "\x02\x02", "\r",       "#",          "\t",         "\x83",
    };
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    std::string bytes;
    std::size_t pieces = next() % 200;
    for (std::size_t i = 0; i < pieces; ++i) {
        std::uint32_t pick = next() % 30;
        if (pick < std::size(kPieces)) bytes += kPieces[pick];
        else if (pick < 27) bytes += static_cast<char>(next() & 0xFF);
        else bytes += '\0';  // a char, not a "\0" C string, which would add nothing
    }
    return bytes;
}

std::string Rewritten(std::string_view bytes) {
    BookmarkReadOptions options{"Fern Browser BookMark", 77, 2};
    BookmarkFileContents tree = ParseBookmarkFile(bytes, options);
    return SerializeBookmarkFile(*tree.root, *tree.trash);
}

}  // namespace

TEST(ListReaders, ReadAnyBytesAndWriteWhatTheyReadStably) {
    std::uint32_t seed = 12345;
    int roundsWithNul = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = RandomListBytes(seed);
        roundsWithNul += bytes.find('\0') != std::string::npos;

        std::string once = Rewritten(bytes);
        ASSERT_EQ(Rewritten(once), once) << "round " << round;

        std::vector<UrlItem> items;
        ParseItemList(bytes, items);
        std::string itemsOnce = SerializeItemList("x", items);
        std::vector<UrlItem> itemsAgain;
        ParseItemList(itemsOnce, itemsAgain);
        ASSERT_EQ(SerializeItemList("x", itemsAgain), itemsOnce) << "round " << round;

        std::vector<std::string> urls;
        ParseUrlList(bytes, urls);
        std::vector<std::string> urlsAgain;
        ParseUrlList(SerializeUrlList("x", urls), urlsAgain);
        ASSERT_EQ(urlsAgain.size(), urls.size()) << "round " << round;

        std::vector<std::string> a, b;
        ParseSections(bytes, {[&](ListLineReader& lines) { return ReadSectionEntries(lines, a, 3); },
                              [&](ListLineReader& lines) { return ReadSectionEntries(lines, b); }});
        EXPECT_LE(a.size(), 3u);
        ParseAllSections(bytes);
    }
    // The NULs are really there (a line is cut at its first NUL).
    EXPECT_GT(roundsWithNul, 1500);
}
