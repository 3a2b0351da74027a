#include <gtest/gtest.h>

#include "platform/text/Encoding.h"

using namespace fern;

TEST(Encoding, FromUtf8ExactRefusesWhatWouldBecomeAQuestionMark) {
    struct Case {
        const char* utf8;
        std::optional<std::string> sjis;
    } cases[] = {
        {"", std::string()},
        {"plain ? text", std::string("plain ? text")},
        {"\xE3\x82\xBD\xE8\xA1\xA8", std::string("ソ表")},  // trail bytes 0x5C
        {"caf\xC3\xA9", std::nullopt},                      // no é in code page 932
        {"a\xF0\x9F\x98\x80", std::nullopt},                // nor emoji
        {"x\x80y", std::nullopt},                           // not UTF-8
        {"cut \xE3\x82", std::nullopt},                     // cut off mid-character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(FromUtf8Exact(c.utf8), c.sjis);
    }
    std::string longText(10000, 'a');
    longText += "\xE3\x81\x82";
    EXPECT_EQ(FromUtf8Exact(longText), std::string(10000, 'a') + "あ");  // past one buffer
}
