// What the URL extraction writes: the list file, the two job files and the
// clipboard text, byte for byte; and the folder's separator rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../lists/TempFolder.h"
#include "tools/extract/JobFiles.h"

namespace fern {
namespace {

const std::vector<std::string> kUrls = {"http://例え.jp/ファイル.zip", "ftp://files.example/a b.lzh"};
const char kStamp[] = "2026-12-07(月)08-30-05-42";

TEST(JobFiles, IriGoldenBytes) {
    EXPECT_EQ(SerializeIriJob(kUrls, "C:\\ダウンロード", kStamp),
              "Url=http://例え.jp/ファイル.zip\r\n"
              "Folder=C:\\ダウンロード\\\r\n"
              "Date=2026-12-07(月)08-30-05-42\r\n"
              "ID=0\r\n"
              "\r\n"
              "Url=ftp://files.example/a b.lzh\r\n"
              "Folder=C:\\ダウンロード\\\r\n"
              "Date=2026-12-07(月)08-30-05-42\r\n"
              "ID=0\r\n"
              "\r\n");
}

TEST(JobFiles, WrgGoldenBytes) {
    std::string one =
        ";\r\nInfo=\r\nRefererStr=http://例え.jp/index.html\r\nStoreIn=/home/ユーザー/dl/\r\nSaveAs=\r\n"
        "Advanced=0\r\nLogin=0\r\nPassword=\r\nUserName=\r\n_RemoteFileSize=-1\r\n_State=2\r\n";
    EXPECT_EQ(SerializeWrgJob(kUrls, "http://例え.jp/index.html", "/home/ユーザー/dl/"),
              one + "Url=http://例え.jp/ファイル.zip\r\n" + one + "Url=ftp://files.example/a b.lzh\r\n");
    std::string two = SerializeWrgJob(kUrls, "", "");
    std::size_t lines = 0;
    for (std::size_t at = two.find("\r\n"); at != std::string::npos; at = two.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 24u);
    EXPECT_EQ(two.substr(0, 10), ";\r\nInfo=\r\n");
}

TEST(JobFiles, ListFileGoldenBytes) {
    EXPECT_EQ(SerializeExtractList(kUrls),
              "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n"
              "#FOLDER\r\n\tNAME=urls\r\n\r\n"
              "#URL\r\n\tURL=http://例え.jp/ファイル.zip\r\n\r\n\r\n"
              "#URL\r\n\tURL=ftp://files.example/a b.lzh\r\n\r\n\r\n"
              "-\r\n");
}

TEST(JobFiles, ClipboardTextAndNames) {
    EXPECT_EQ(ExtractClipboardText(kUrls), "http://例え.jp/ファイル.zip\r\nftp://files.example/a b.lzh\r\n");
    EXPECT_EQ(JobDefaultName(JobKind::List, kStamp), "2026-12-07(月)08-30-05-42.fbl");
    EXPECT_EQ(JobDefaultName(JobKind::Iria, kStamp), "urllist.iri");
    EXPECT_EQ(JobDefaultName(JobKind::ReGet, kStamp), "urllist.wrg");
    EXPECT_STREQ(JobFileTypeOf(JobKind::ReGet).filterName, "ReGet ファイル (*.wrg)");
}

TEST(JobFiles, FolderSeparatorIsAddedOnlyWhenMissing) {
    struct Case {
        std::string typed, written;
    } cases[] = {
        {"C:\\dl", "C:\\dl\\"},
        {"C:\\dl\\", "C:\\dl\\"},
        {"/home/me/dl/", "/home/me/dl/"},
        {"C:\\ソ", "C:\\ソ\\"},  // "ソ" ends in the byte of "\"
        {"D:\\表", "D:\\表\\"},  // so does "表"
        {"", ""},
        {"a\r\nb", "a  b\\"},  // a line break cannot start a line of its own
    };
    for (const Case& c : cases) EXPECT_EQ(JobFolderText(c.typed), c.written) << c.typed;
}

TEST(JobFiles, ValuesCannotAddLines) {
    std::string iri = SerializeIriJob({"http://x/\r\nID=9"}, "f", kStamp);
    EXPECT_EQ(iri.find("\r\nID=9"), std::string::npos);
    EXPECT_NE(iri.find("Url=http://x/%0D%0AID=9\r\n"), std::string::npos);
    std::string wrg = SerializeWrgJob({"u"}, "http://r/\nUrl=evil", "f");
    EXPECT_EQ(wrg.find("\nUrl=evil"), std::string::npos);
}

TEST(JobFiles, AFolderThatDoesNotExistWritesNothing) {
    testing::TempFolder folder;
    std::string error;
    EXPECT_FALSE(WriteJobFile(folder.File("missing/urllist.iri"), "x", &error));
    EXPECT_FALSE(error.empty());
    ASSERT_TRUE(WriteJobFile(folder.File("urllist.iri"), "old", &error));
    ASSERT_TRUE(WriteJobFile(folder.File("urllist.iri"), "new", &error));
    EXPECT_EQ(testing::ReadBytes(folder.File("urllist.iri")), "new");
}

}  // namespace
}  // namespace fern
