#include <gtest/gtest.h>

#include "options/EditedList.h"
#include "options/OptionsText.h"

using namespace fern;

TEST(OptionsText, ListInputSplitsLinesDropsControlsAndRefusesLongEntries) {
    struct Case {
        std::string text;
        std::vector<std::string> entries;
        bool split, cleaned;
        int refused;
    } cases[] = {
        {"http://a/*", {"http://a/*"}, false, false, 0},
        {"", {}, false, false, 0},
        {"http://a\r\n", {"http://a"}, false, false, 0},  // a trailing line break is no second entry
        {"a\nb\r\n\r\nc", {"a", "b", "c"}, true, false, 0},
        {"a\tb\x01\x7f", {"ab"}, false, true, 0},
        // "ソ" ends in 0x5C and "ア" in 0x41: trail bytes survive whole.
        {"ソア\tx", {"ソアx"}, false, true, 0},
        {std::string(kMaxListEntryBytes, 'x'), {std::string(kMaxListEntryBytes, 'x')}, false, false, 0},
        {std::string(100 * 1024, '*') + "\nok", {"ok"}, true, false, 1},
    };
    for (const Case& c : cases) {
        ListInput input = ParseListInput(c.text);
        EXPECT_EQ(input.entries, c.entries) << c.text.substr(0, 40);
        EXPECT_EQ(input.split, c.split) << c.text.substr(0, 40);
        EXPECT_EQ(input.cleaned, c.cleaned) << c.text.substr(0, 40);
        EXPECT_EQ(input.refused, c.refused) << c.text.substr(0, 40);
        EXPECT_EQ(ListInputMessage(input).empty(), !c.split && !c.cleaned && c.refused == 0);
    }
}

TEST(OptionsText, ManyPastedLinesBecomeManyEntries) {
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "http://host" + std::to_string(i) + "/*\n";
    ListInput input = ParseListInput(text);
    ASSERT_EQ(input.entries.size(), 10000u);
    EXPECT_EQ(input.entries.back(), "http://host9999/*");
    EXPECT_NE(ListInputMessage(input).find("10000"), std::string::npos);
}

TEST(OptionsText, UserAgentLosesControlsBeforeItIsCutTo255BytesOnACharacterBoundary) {
    EXPECT_EQ(CleanUserAgent("Fern/1.0\r\nX-Evil: 1"), "Fern/1.0X-Evil: 1");
    // The controls go first, so they do not use up the room.
    std::string text = std::string(10, '\n') + std::string(255, 'a');
    EXPECT_EQ(CleanUserAgent(text), std::string(255, 'a'));
    // 254 bytes, then a double-byte character that would end at byte 256.
    EXPECT_EQ(CleanUserAgent(std::string(254, 'a') + "ア"), std::string(254, 'a'));
    EXPECT_EQ(CleanUserAgent(std::string(253, 'a') + "ア"), std::string(253, 'a') + "ア");
}

TEST(EditedList, EntriesRegisteredWhileThePageWasOpenFollowTheEdit) {
    using V = std::vector<std::string>;
    struct Case {
        V edited, loaded, now, expected;
    } cases[] = {
        {{"b"}, {"a", "b"}, {"a", "b"}, {"b"}},                      // nothing registered
        {{"b"}, {"a", "b"}, {"a", "b", "c", "d"}, {"b", "c", "d"}},  // two registered
        {{}, {}, {"x"}, {"x"}},
        {{"b"}, {"a", "b"}, {"z"}, {"b"}},  // replaced some other way: the page wins
        {{"b"}, {"a", "b"}, {"a"}, {"b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(WithEntriesAppendedSince(c.edited, c.loaded, c.now), c.expected);
}
