#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/ListTestText.h"
#include "lists/SectionFile.h"
#include "lists/TempFolder.h"

using namespace fern;
using namespace fern::testing;

namespace {

const char kCloseFile[] =
    "#INFO\n\tENCODE=SHIFT_JIS\n\tVERSION=1\n\n"
    "#FOLDER\n\tNAME=closeurl\n\n"
    "#URL\n\tURL=http://ads.*\n\n"
    "#URL\n\tURL=*ソ*\n\n"
    "-\n\n"
    "#FOLDER\n\tNAME=closetitle\n\n"
    "-\n\n";

SectionReader Into(std::vector<std::string>& entries, std::size_t limit = SIZE_MAX) {
    return [&entries, limit](ListLineReader& lines) { return ReadSectionEntries(lines, entries, limit); };
}

SectionWriter From(const char* name, const std::vector<std::string>& entries) {
    return [name, &entries](ListTextWriter& out) { WriteSectionEntries(out, name, entries); };
}

}  // namespace

TEST(SectionFile, WritesTheExactBytesAndReadsEachSectionInItsPlace) {
    std::vector<std::string> urls{"http://ads.*", "*ソ*"}, titles;
    std::string bytes = SerializeSections({From("closeurl", urls), From("closetitle", titles)});
    EXPECT_EQ(bytes, Crlf(kCloseFile));

    std::vector<std::string> readUrls, readTitles{"kept"};
    ParseSections(bytes, {Into(readUrls), Into(readTitles)});
    EXPECT_EQ(readUrls, urls);
    EXPECT_EQ(readTitles, (std::vector<std::string>{"kept"}));
    // Sections are found by place, not by name.
    std::vector<std::string> first;
    ParseSections(bytes, {Into(first)});
    EXPECT_EQ(first, urls);
}

TEST(SectionFile, AReaderWithALimitStillConsumesItsSection) {
    std::string typed = SerializeSections(
        {From("typedurl", {"u1", "u2", "u3", "u4"}), From("typedhs", {"h1"}), From("typedws", {"w1", "w2"})});
    std::vector<std::string> urls, hs, ws;
    ParseSections(typed, {Into(urls, 2), Into(hs), Into(ws)});
    EXPECT_EQ(urls, (std::vector<std::string>{"u1", "u2"}));
    EXPECT_EQ(hs, (std::vector<std::string>{"h1"}));
    EXPECT_EQ(ws, (std::vector<std::string>{"w1", "w2"}));

    // The last section missing: its list stays empty and no reader is
    // called after the end of the file.
    std::vector<std::string> a, b, c;
    int calls = 0;
    ParseSections("#FOLDER\n\tNAME=typedurl\n#URL\n\tURL=x\n-\n",
                  {Into(a), Into(b), [&](ListLineReader&) { return ++calls, true; }});
    EXPECT_EQ(a, (std::vector<std::string>{"x"}));
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(calls, 0);
    // No "-" at all: the first section takes what is there.
    a.clear();
    ParseSections("#FOLDER\n#URL\n\tURL=x\n#FOLDER\n#URL\n\tURL=y\n", {Into(a), Into(b)});
    EXPECT_EQ(a, (std::vector<std::string>{"x", "y"}));
}

TEST(SectionFile, ReadsAnyNumberOfSectionsForTools) {
    std::vector<ListSection> sections = ParseAllSections(Crlf(kCloseFile) + "junk after the end\n");
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].name, "closeurl");
    EXPECT_EQ(sections[0].entries, (std::vector<std::string>{"http://ads.*", "*ソ*"}));
    EXPECT_EQ(sections[1].name, "closetitle");
    EXPECT_TRUE(sections[1].entries.empty());
    // An unclosed last section counts; a NAME inside a record is not the section's.
    sections = ParseAllSections("#FOLDER\n\tNAME=s\n#URL\n\tNAME=not it\n\tURL=e\n");
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].name, "s");
    EXPECT_EQ(sections[0].entries, (std::vector<std::string>{"e"}));
    EXPECT_TRUE(ParseAllSections(std::string("\0\0\n\x83\n", 5)).empty());
}

TEST(SectionFile, FilesThatCannotBeOpenedCallNoReader) {
    TempFolder folder;
    int calls = 0;
    SectionReader counting = [&](ListLineReader&) { return ++calls, true; };
    EXPECT_FALSE(ReadSections(folder.File("none.fbl"), {counting}).ok);
    EXPECT_FALSE(ReadSections(folder.Path(), {counting}).ok);
    EXPECT_EQ(calls, 0);

    std::string path = folder.File("close.fbl");
    std::vector<std::string> urls{"http://ads.*", "*ソ*"}, titles;
    ASSERT_TRUE(WriteSections(path, {From("closeurl", urls), From("closetitle", titles)}).ok);
    EXPECT_EQ(ReadBytes(path), Crlf(kCloseFile));
    std::vector<std::string> readUrls;
    EXPECT_TRUE(ReadSections(path, {Into(readUrls)}).ok);
    EXPECT_EQ(readUrls, urls);
    EXPECT_FALSE(WriteSections(folder.File("no/such.fbl"), {From("closeurl", urls)}).ok);
}
