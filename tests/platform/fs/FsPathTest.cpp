#include <gtest/gtest.h>

#include <string>

#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"
#include "platform/fs/FsPath.h"
#include "platform/text/Encoding.h"
#include "platform/text/UrlText.h"

using namespace fern;

// Characters code page 932 cannot hold keep naming the same resource.
TEST(UrlFromUtf8, EscapesOnlyWhatShiftJisCannotHold) {
    struct Case {
        const char* utf8;
        std::string sjis;
    } cases[] = {
        {"http://a/b?c=d#e", "http://a/b?c=d#e"},
        {"https://ja.wikipedia.org/wiki/Caf\xC3\xA9", "https://ja.wikipedia.org/wiki/Caf%C3%A9"},
        {"http://a/\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88", "http://a/ソフト"},  // kept as text
        {"http://a/\xF0\x9F\x98\x80", "http://a/%F0%9F%98%80"},                // an emoji
        {"http://a/\xFF\x80x", "http://a/%FF%80x"},                            // not UTF-8
        {"http://a/\xE3\x82", "http://a/%E3%82"},                              // cut short
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(UrlFromUtf8(c.utf8), c.sjis) << c.utf8;
    // What is kept converts back to the very same bytes.
    EXPECT_EQ(ToUtf8(UrlFromUtf8("http://a/\xE3\x82\xBD")), "http://a/\xE3\x82\xBD");
}

TEST(FsPath, StoredTextNamesTheSameFileEvenWhereShiftJisCannot) {
    const std::string cafe = "/home/jos\xC3\xA9/b.fbl";       // é: no Shift-JIS form
    const std::string japanese = "/home/\xE3\x82\xBD/b.fbl";  // ソ
    const std::string raw = "/tmp/\xFF\xFE";                  // not UTF-8 at all
    EXPECT_EQ(PathToText(japanese), "/home/ソ/b.fbl");        // plain, as other programs write it
    EXPECT_EQ(PathToText(cafe), "file:///home/jos%C3%A9/b.fbl");
    for (const std::string& path : {cafe, japanese, raw, std::string("/plain/x.fbl")})
        EXPECT_EQ(PathFromText(PathToText(path)), path);

    EXPECT_EQ(PathForDisplay(cafe), "/home/jos?/b.fbl");
    EXPECT_EQ(PathFromText("http://not-a-file/"), "http://not-a-file/");
    EXPECT_EQ(PathFromText("file://remote-host/x"), "");
    EXPECT_EQ(FileUriOfPath("/a b/%.html"), "file:///a%20b/%25.html");
    EXPECT_EQ(FileUriOfPath("rel.html").rfind("file:///", 0), 0u);
    EXPECT_EQ(FileUriOfPath(""), "");
}

TEST(FileIo, ReadsOnlyRegularFilesAndNeverWaitsOnAPipe) {
    fern::testing::TempFolder folder;
    std::string fifo = folder.File("pipe.fbl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_EQ(ReadWholeFile(fifo, &error), std::nullopt);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadWholeFile("/dev/zero"), std::nullopt);
    // A name no Shift-JIS text can hold is still a file like any other.
    std::string cafe = folder.File("caf\xC3\xA9.fbl");
    ASSERT_TRUE(WriteFileAtomic(cafe, "bytes"));
    EXPECT_EQ(fern::testing::ReadBytes(cafe), "bytes");
    EXPECT_EQ(ReadWholeFile(cafe), "bytes");
}
