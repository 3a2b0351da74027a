#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/ArgumentUrl.h"
#include "bookmarks/UrlShortcut.h"
#include "lists/TempFolder.h"
#include "platform/fs/FileIo.h"

using namespace fern;

namespace {

const char kListHeader[] = "#INFO\r\n\tENCODE=SHIFT_JIS\r\n\tVERSION=1\r\n\r\n#FOLDER\r\n\tNAME=x\r\n\r\n";

}  // namespace

TEST(ConvertArgumentToUrl, ResolvesShortcutsAndLeavesTheRest) {
    fern::testing::TempFolder tmp;
    const std::string& dir = tmp.Path();
    EXPECT_EQ(ConvertArgumentToUrl("HTTP://Example/"), "HTTP://Example/");
    EXPECT_EQ(ConvertArgumentToUrl("ftp.example.com"), "ftp.example.com");
    ASSERT_TRUE(WriteUrlShortcut(dir + "/site.URL", "http://site/"));
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/site.URL"), "http://site/");
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/missing.url"), dir + "/missing.url");
    // A shortcut without the key gives its own path; binary junk never crashes.
    ASSERT_TRUE(WriteFileAtomic(dir + "/junk.url", std::string("\0\xff[\n=\x83", 6)));
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/junk.url"), dir + "/junk.url");
    // A lone CR in the value would make a shortcut that cannot be written again.
    ASSERT_TRUE(WriteFileAtomic(dir + "/cr.url", "[InternetShortcut]\r\nURL=http://a/\rb\r\n"));
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/cr.url"), "http://a/ b");
    ASSERT_TRUE(WriteFileAtomic(dir + "/page.desktop",
                                "[Desktop Entry]\nType=Link\nName=Page\nURL=http://linked/\n"));
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/page.desktop"), "http://linked/");
    ASSERT_EQ(symlink("/etc/hostname", (dir + "/host.lnk").c_str()), 0);
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/host.lnk"), "/etc/hostname");
    ASSERT_TRUE(WriteFileAtomic(dir + "/binary.lnk", std::string("L\0\0\0\x01\x14\x02", 7)));
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/binary.lnk"), dir + "/binary.lnk");
}

TEST(OpenSpecialUrl, MailtoAndListFiles) {
    fern::testing::TempFolder tmp;
    const std::string& dir = tmp.Path();
    std::vector<std::string> opened, mailed;
    SpecialUrlActions actions;
    actions.launchMailer = [&](const std::string& t) { mailed.push_back(t); return true; };
    actions.openUrl = [&](const std::string& u) { opened.push_back(u); };

    EXPECT_TRUE(OpenSpecialUrl("  MAILTO:a@example.com", actions));
    EXPECT_EQ(mailed, std::vector<std::string>{"  MAILTO:a@example.com"});
    actions.ignoreMailto = true;
    EXPECT_TRUE(OpenSpecialUrl("mailto:b@example.com", actions));
    EXPECT_EQ(mailed.size(), 1u);
    EXPECT_FALSE(OpenSpecialUrl("http://a/", actions));

    std::string list = dir + "/My List.fbl";
    std::string self = "file://" + dir + "/My%20List.fbl";
    ASSERT_TRUE(WriteFileAtomic(list, std::string(kListHeader) + "#URL\r\n\tURL=http://one/\r\n\r\n" +
                                          "#URL\r\n\tURL=" + dir + "/my list.fbl\r\n\r\n" +
                                          "#URL\r\n\tURL=" + self + "\r\n\r\n" +
                                          "#URL\r\n\tURL=http://two/\r\n\r\n-\r\n"));
    EXPECT_TRUE(OpenSpecialUrl("file://" + dir + "/My%20List.fbl", actions));
    EXPECT_EQ(opened, (std::vector<std::string>{"http://one/", "http://two/"}));

    // Not taken over: a folder, a missing file, a list without URLs.
    ASSERT_TRUE(WriteFileAtomic(dir + "/empty.fbl", kListHeader));
    EXPECT_FALSE(OpenSpecialUrl(dir + "/empty.fbl", actions));
    EXPECT_FALSE(OpenSpecialUrl(dir + "/none.fbl", actions));
    mkdir((dir + "/dir.fbl").c_str(), 0700);
    EXPECT_FALSE(OpenSpecialUrl(dir + "/dir.fbl", actions));
}
