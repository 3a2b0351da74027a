#include "lists/SearchStrings.h"

#include <gtest/gtest.h>

#include <string>

using namespace fern;

namespace {

std::string Section(const std::vector<std::string>& entries) {
    std::string bytes = "#FOLDER\r\n\tNAME=typedws\r\n\r\n";
    for (const std::string& e : entries) bytes += "#URL\r\n\tURL=" + e + "\r\n\r\n";
    return bytes + "-\r\n\r\n";
}

TEST(SearchStrings, NewestFirstWithoutRepeatsAtMost64) {
    SearchStrings strings{"typedws", {}, true};
    for (int i = 0; i < 70; ++i) strings.Push("word" + std::to_string(i));
    strings.Push("word65");
    strings.Push("");
    ASSERT_EQ(strings.entries.size(), 64u);
    EXPECT_EQ(strings.entries[0], "word65");
    EXPECT_EQ(strings.entries[1], "word69");
    EXPECT_EQ(std::count(strings.entries.begin(), strings.entries.end(), "word65"), 1);
}

TEST(SearchStrings, ReadsAtMost64AndWritesOnlyWhenKept) {
    std::vector<std::string> many;
    for (int i = 0; i < 80; ++i) many.push_back("検索語" + std::to_string(i));
    SearchStrings read{"typedws", {}, true};
    SearchStrings after{"next", {}, true};
    ParseSections(Section(many) + "#FOLDER\r\n\tNAME=next\r\n\r\n#URL\r\n\tURL=after\r\n\r\n-\r\n\r\n",
                  {SearchStringsReader(read), SearchStringsReader(after)});
    ASSERT_EQ(read.entries.size(), 64u);
    EXPECT_EQ(read.entries[63], "検索語63");
    EXPECT_EQ(after.entries, std::vector<std::string>{"after"});

    read.entries = many;
    std::string kept = SerializeSections({SearchStringsWriter(read)});
    EXPECT_NE(kept.find("URL=検索語63\r\n"), std::string::npos);
    EXPECT_EQ(kept.find("URL=検索語64\r\n"), std::string::npos);
    read.keep = false;
    std::string none = SerializeSections({SearchStringsWriter(read)});
    EXPECT_NE(none.find("NAME=typedws\r\n\r\n-\r\n"), std::string::npos);
    EXPECT_EQ(none.find("#URL"), std::string::npos);
}

}  // namespace
