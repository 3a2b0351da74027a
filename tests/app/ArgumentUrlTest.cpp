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
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/host.lnk"), "file:///etc/hostname");
    // The engine opens files only by URI; a shortcut named by its URI works too.
    ASSERT_TRUE(WriteFileAtomic(dir + "/page.html", "<p>"));
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/page.html"), "file://" + dir + "/page.html");
    EXPECT_EQ(ConvertArgumentToUrl("file://" + dir + "/site.URL"), "http://site/");
    EXPECT_EQ(ConvertArgumentToUrl("/no/such/page.html"), "/no/such/page.html");
    ASSERT_TRUE(WriteFileAtomic(dir + "/binary.lnk", std::string("L\0\0\0\x01\x14\x02", 7)));
    EXPECT_EQ(ConvertArgumentToUrl(dir + "/binary.lnk"), dir + "/binary.lnk");
}

TEST(OpenSpecialUrl, MailtoAndListFiles) {
    fern::testing::TempFolder tmp;
    const std::string& dir = tmp.Path();
    std::vector<std::string> opened, mailed;
    SpecialUrlActions actions;
    actions.launchMailer = [&](const std::string& t) {
        mailed.push_back(t);
        return true;
    };
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
                                          "#URL\r\n\tURL=" + self + "\r\n\r\n" +
                                          "#URL\r\n\tURL=http://two/\r\n\r\n-\r\n"));
    // The list names itself: opened as the frame would, it is not opened again.
    actions.openUrl = [&](const std::string& u) {
        if (!OpenSpecialUrl(u, actions)) opened.push_back(u);
    };
    EXPECT_TRUE(OpenSpecialUrl("file://" + dir + "/My%20List.fbl", actions));
    EXPECT_EQ(opened, (std::vector<std::string>{"http://one/", "http://two/"}));

    // Not taken over: a folder, a missing file, a list without URLs.
    ASSERT_TRUE(WriteFileAtomic(dir + "/empty.fbl", kListHeader));
    EXPECT_FALSE(OpenSpecialUrl(dir + "/empty.fbl", actions));
    EXPECT_FALSE(OpenSpecialUrl(dir + "/none.fbl", actions));
    mkdir((dir + "/dir.fbl").c_str(), 0700);
    EXPECT_FALSE(OpenSpecialUrl(dir + "/dir.fbl", actions));
}

// Lists that name each other, through any of their names, open each list once,
// and a chain of lists ends at a depth.
TEST(OpenSpecialUrl, ListsNamingEachOtherOpenEachListOnce) {
    fern::testing::TempFolder tmp;
    const std::string& dir = tmp.Path();
    auto writeList = [&](const std::string& name, std::vector<std::string> urls) {
        std::string bytes = kListHeader;
        for (const std::string& url : urls) bytes += "#URL\r\n\tURL=" + url + "\r\n\r\n";
        ASSERT_TRUE(WriteFileAtomic(dir + "/" + name, bytes + "-\r\n"));
    };
    ASSERT_EQ(symlink((dir + "/a.fbl").c_str(), (dir + "/link.fbl").c_str()), 0);
    writeList("a.fbl", {"http://a/", dir + "/b.fbl"});
    writeList("b.fbl", {"http://b/", "file://" + dir + "/./a.fbl", dir + "/link.fbl", dir + "/c.fbl"});
    writeList("c.fbl", {"http://c/", dir + "/b.fbl", dir + "/a.fbl"});

    std::vector<std::string> opened;
    int lists = 0;
    SpecialUrlActions actions;
    actions.openUrl = [&](const std::string& u) {
        if (u.ends_with(".fbl")) ++lists;
        if (!OpenSpecialUrl(u, actions)) opened.push_back(u);
    };
    EXPECT_TRUE(OpenSpecialUrl(dir + "/a.fbl", actions));
    EXPECT_EQ(opened, (std::vector<std::string>{"http://a/", "http://b/", "http://c/"}));
    EXPECT_EQ(lists, 6);  // b, a, link, c from b; b and a from c: each skipped or opened once

    // Twenty lists in a chain: nesting stops, nothing runs away.
    for (int i = 0; i < 20; ++i)
        writeList("n" + std::to_string(i) + ".fbl",
                  {"http://n" + std::to_string(i) + "/", dir + "/n" + std::to_string(i + 1) + ".fbl"});
    opened.clear();
    EXPECT_TRUE(OpenSpecialUrl(dir + "/n0.fbl", actions));
    EXPECT_GE(opened.size(), 8u);
    EXPECT_LT(opened.size(), 20u);
    EXPECT_TRUE(OpenSpecialUrl(dir + "/a.fbl", actions));  // all lists were left again

    // Each list naming the next one twice: still each list once, not 2^depth times.
    for (int i = 0; i < 20; ++i) {
        std::string next = dir + "/d" + std::to_string(i + 1) + ".fbl";
        writeList("d" + std::to_string(i) + ".fbl", {next, "http://d" + std::to_string(i) + "/", next});
    }
    opened.clear();
    EXPECT_TRUE(OpenSpecialUrl(dir + "/d0.fbl", actions));
    EXPECT_LE(opened.size(), 20u);
}

TEST(ArgumentText, FilesBecomeUrisAndAddressesKeepTheirCharacters) {
    fern::testing::TempFolder tmp;
    const std::string& dir = tmp.Path();
    std::string cafe = dir + "/caf\xC3\xA9.html";
    ASSERT_TRUE(WriteFileAtomic(cafe, "<p>"));
    EXPECT_EQ(ArgumentText(cafe), "file://" + dir + "/caf%C3%A9.html");
    EXPECT_EQ(ArgumentText("http://a/wiki/Caf\xC3\xA9"), "http://a/wiki/Caf%C3%A9");
    EXPECT_EQ(ArgumentText("\xE3\x82\xBD.url"), "ソ.url");  // no such file: text
    EXPECT_EQ(ArgumentText(std::string(65536, 'a')), std::string(65536, 'a'));
    EXPECT_EQ(ArgumentText(""), "");
}

TEST(FirstPageGuess, TheFirstArgumentThatOpensWhenItIsAPage) {
    fern::testing::TempFolder tmp;
    const std::string& dir = tmp.Path();
    EXPECT_EQ(FirstPageGuess({}), "");
    EXPECT_EQ(FirstPageGuess({"", "https://example.jp/", "http://second/"}), "https://example.jp/");
    ASSERT_TRUE(WriteUrlShortcut(dir + "/site.url", "HTTP://Site/"));
    EXPECT_EQ(FirstPageGuess({dir + "/site.url"}), "HTTP://Site/");
    ASSERT_TRUE(WriteFileAtomic(dir + "/page.html", "<p>"));
    EXPECT_EQ(FirstPageGuess({dir + "/page.html"}), "file://" + dir + "/page.html");
    // What opens no page of its own, or another kind of page, first: no guess.
    ASSERT_TRUE(
        WriteFileAtomic(dir + "/list.fbl", std::string(kListHeader) + "#URL\r\n\tURL=http://one/\r\n"));
    EXPECT_EQ(FirstPageGuess({dir + "/list.fbl", "http://later/"}), "");
    ASSERT_TRUE(WriteUrlShortcut(dir + "/to-list.url", "file://" + dir + "/list.fbl"));
    EXPECT_EQ(FirstPageGuess({dir + "/to-list.url"}), "");
    EXPECT_EQ(FirstPageGuess({"mailto:someone@example.jp", "http://later/"}), "");
    EXPECT_EQ(FirstPageGuess({"about:blank"}), "");
    EXPECT_EQ(FirstPageGuess({"example.jp"}), "");
}
