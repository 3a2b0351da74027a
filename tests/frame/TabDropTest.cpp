#include <gtest/gtest.h>

#include "frame/TabDrop.h"

using namespace fern;
using Kind = TabDropAction::Kind;

namespace {

constexpr std::uint32_t kDefault = 0x70;

// Stands in for the address conversion: marks what it converted, and turns
// "nothing" into an empty address.
std::string Convert(const std::string& s) { return s == "nothing" ? std::string() : "<" + s + ">"; }

TabDropAction New(const std::string& url, std::uint32_t dlc = kDefault, int mode = 0) {
    return {Kind::OpenNewTab, url, 3, dlc, mode};
}
TabDropAction Nav(int tab, const std::string& url, bool setFlags = false, std::uint32_t dlc = 0) {
    return {Kind::NavigateTab, url, 0, dlc, 0, tab, setFlags};
}
TabDropData Text(const std::string& text) { return {TabDropData::Kind::Text, {}, text, {}}; }
TabDropData Files(std::vector<std::string> files) {
    return {TabDropData::Kind::Files, {}, {}, std::move(files)};
}
TabDropData Marks(std::vector<DroppedBookmark> marks) {
    return {TabDropData::Kind::Bookmarks, std::move(marks), {}, {}};
}

std::vector<TabDropAction> Drop(const TabDropData& d, int hit, bool shift = false, bool alt = false) {
    return TabDropActions(d, hit, shift, alt, kDefault, Convert);
}

}  // namespace

TEST(TabDrop, TextGoesToANewTabOffTheButtonsOrWithShiftElseToTheTabHit) {
    struct Case {
        int hit;
        bool shift, alt;
        std::vector<TabDropAction> expected;
    };
    const Case cases[] = {
        {-1, false, false, {New("<a.jp>")}},           {2, true, false, {New("<a.jp>")}},
        {2, false, false, {Nav(2, "<a.jp>")}},         {2, false, true, {Nav(2, "view-source:<a.jp>")}},
        {-1, true, true, {New("view-source:<a.jp>")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Drop(Text(" \t a.jp \r\n"), c.hit, c.shift, c.alt), c.expected)
            << "hit " << c.hit << " shift " << c.shift << " alt " << c.alt;

    // Trimmed before conversion; nothing to open gives nothing.
    EXPECT_TRUE(Drop(Text(" \r\n "), -1).empty());
    EXPECT_TRUE(Drop(Text("nothing"), 1).empty());
    // Japanese text ending in a character whose second byte is a letter.
    EXPECT_EQ(Drop(Text(" ソフト "), -1), std::vector<TabDropAction>{New("<ソフト>")});
}

TEST(TabDrop, TwoFilesAlwaysOpenNewTabsOneFileNavigatesTheTabHit) {
    EXPECT_EQ(Drop(Files({"/a.html", "/b.html"}), 1),
              (std::vector<TabDropAction>{New("</a.html>"), New("</b.html>")}));
    EXPECT_EQ(Drop(Files({"/a.html"}), 1), std::vector<TabDropAction>{Nav(1, "</a.html>")});
    EXPECT_EQ(Drop(Files({"/a.html"}), 1, false, true),
              std::vector<TabDropAction>{Nav(1, "view-source:</a.html>")});
    EXPECT_EQ(Drop(Files({"/a.html"}), 1, true), std::vector<TabDropAction>{New("</a.html>")});
    EXPECT_EQ(Drop(Files({"/a.html"}), -1), std::vector<TabDropAction>{New("</a.html>")});
    // A file that converts to nothing is skipped, the others keep their order.
    EXPECT_EQ(Drop(Files({"nothing", "/c.txt", "/d.txt"}), 0, false, true),
              (std::vector<TabDropAction>{New("view-source:</c.txt>"), New("view-source:</d.txt>")}));
    EXPECT_TRUE(Drop(Files({}), 0).empty());
}

TEST(TabDrop, BookmarksCarryTheirFlagsAndSecurityMode) {
    DroppedBookmark a{"http://a.jp/", 0x30, 2};
    DroppedBookmark b{"http://b.jp/", 0x70, 0};
    DroppedBookmark folder{"", 0x70, 1};
    // New tab: OpenUrl with the bookmark's flags and mode, no conversion.
    EXPECT_EQ(Drop(Marks({a}), -1), std::vector<TabDropAction>{New("http://a.jp/", 0x30, 2)});
    // On a tab: the tab takes the bookmark's flags and navigates.
    EXPECT_EQ(Drop(Marks({a}), 3), std::vector<TabDropAction>{Nav(3, "http://a.jp/", true, 0x30)});
    EXPECT_EQ(Drop(Marks({a}), 3, false, true),
              std::vector<TabDropAction>{Nav(3, "view-source:http://a.jp/", true, 0x30)});
    // Several on one tab would leave only the last page: each gets a new tab.
    EXPECT_EQ(Drop(Marks({a, folder, b}), 3),
              (std::vector<TabDropAction>{New("http://a.jp/", 0x30, 2), New("http://b.jp/", 0x70, 0)}));
}

TEST(TabDrop, UriListGivesFileNamesOrTheFirstAddress) {
    TabDropData files = TabDropDataFromUriList(
        "# comment\r\nfile:///tmp/a%20b.html\r\nhttp://x.jp/\r\nfile:///tmp/%E3%82%BD.txt\r\n"
        "file:///tmp/caf%C3%A9.html\r\n");
    EXPECT_EQ(files.kind, TabDropData::Kind::Files);
    // Kept as URIs: "café" has no Shift-JIS form, and a "?" would name another file.
    EXPECT_EQ(files.files, (std::vector<std::string>{"file:///tmp/a%20b.html", "file:///tmp/%E3%82%BD.txt",
                                                     "file:///tmp/caf%C3%A9.html"}));

    TabDropData text = TabDropDataFromUriList("http://x.jp/a\r\nfile:///tmp/x.url\r\n");
    EXPECT_EQ(text.kind, TabDropData::Kind::Text);
    EXPECT_EQ(text.text, "http://x.jp/a");

    TabDropData empty = TabDropDataFromUriList("\r\n# only a comment\r\n");
    EXPECT_EQ(empty.kind, TabDropData::Kind::Text);
    EXPECT_EQ(empty.text, "");
}

TEST(TabDragOut, UrlAndShortcutFile) {
    EXPECT_EQ(TabDragUrl("  http://a.jp/a%20b%2%20 \r\n"), "http://a.jp/a b%2 ");
    EXPECT_EQ(TabDragUrl(" \t"), "");

    EXPECT_EQ(InternetShortcutContent("http://a.jp/"), "[InternetShortcut]\r\nURL=http://a.jp/\r\n");

    EXPECT_EQ(InternetShortcutFileName("a/b:c*d?\"e<f>g|h\\i", ""), "a_b_c_d__e_f_g_h_i.url");
    // Second bytes that look like "\" or "|" belong to their characters.
    EXPECT_EQ(InternetShortcutFileName("ソ表ポ\\", ""), "ソ表ポ_.url");
    EXPECT_EQ(InternetShortcutFileName("", "http://a.jp/"), "http___a.jp_.url");
    EXPECT_EQ(InternetShortcutFileName("..", ""), "_...url");
    EXPECT_EQ(InternetShortcutFileName("", ""), "_.url");
    // Long titles are cut without splitting a character.
    std::string longTitle = "a";
    for (int i = 0; i < 100; ++i) longTitle += "表";
    std::string cut = InternetShortcutFileName(longTitle, "");
    EXPECT_EQ(cut.size(), 159u + 4u);  // 1 + 79 characters of 2 bytes, no half character
    EXPECT_EQ(cut.substr(cut.size() - 6), "表.url");
}
