#include "history/HistoryTree.h"

#include <gtest/gtest.h>

#include "history/LocalZone.h"
#include "history/PageTextCodec.h"
#include "lists/TempFolder.h"

using namespace fern;
using fern::testing::LocalZone;

namespace {

std::vector<std::string> Labels(const std::vector<HistoryDayGroup>& groups) {
    std::vector<std::string> labels;
    for (const auto& g : groups) labels.push_back(g.label);
    return labels;
}

TEST(HistoryDayGroups, TodayYesterdayWeekdaysThenWeeks) {
    LocalZone zone("Asia/Tokyo");
    HistoryTime now = LocalZone::At(2026, 12, 9, 12, 0);  // a Wednesday
    auto groups = HistoryDayGroups(now, LocalZone::At(2026, 11, 9, 8, 0));
    EXPECT_EQ(Labels(groups),
              (std::vector<std::string>{"今日", "昨日", "月曜日", "日曜日", "土曜日", "金曜日", "木曜日",
                                        "先週", "2 週間前", "3 週間前", "4 週間前"}));
    EXPECT_EQ(groups[1].from, LocalZone::At(2026, 12, 8, 0, 0));
    EXPECT_EQ(groups[1].to, LocalZone::At(2026, 12, 9, 0, 0));
    // Last week: the seven days before the last weekday shown.
    EXPECT_EQ(groups[7].from, LocalZone::At(2026, 11, 26, 0, 0));
    EXPECT_EQ(groups[7].to, groups[6].from);
    EXPECT_EQ(groups[8].to, groups[7].from);
    EXPECT_EQ(Labels(HistoryDayGroups(now, now)), std::vector<std::string>{"今日"});
    EXPECT_EQ(Labels(HistoryDayGroups(now, now + 86400 * 3)), std::vector<std::string>{"今日"});
}

TEST(HistoryDayGroups, DaysFollowTheLocalCalendarAcrossClockChanges) {
    LocalZone zone("America/New_York");
    // The clocks went back an hour on 2026-11-01: that day had 25 hours.
    HistoryTime now = LocalZone::At(2026, 11, 2, 0, 30);
    HistoryDayGroup yesterday = LocalDay(now, 1);
    EXPECT_EQ(yesterday.from, LocalZone::At(2026, 11, 1, 0, 0));
    EXPECT_EQ(yesterday.to - yesterday.from, 25 * 3600);
    EXPECT_EQ(Labels(HistoryDayGroups(now, LocalZone::At(2026, 10, 31, 23, 59))),
              (std::vector<std::string>{"今日", "昨日", "土曜日"}));
}

TEST(HistoryTitleOf, FallsBackToTheLastPartOfTheAddress) {
    struct Case {
        const char* title;
        const char* url;
        const char* shown;
    } cases[] = {
        {"題名", "http://a/b.html", "題名"},
        {"", "http://a/dir/page.html", "page.html"},
        {"", "http://a/dir/", ""},
        {"", "C:\\dir\\file.txt", "file.txt"},
        {"", "about", "about"},
        // "ソ" ends in a byte that looks like "\".
        {"", "file:ソ", "file:ソ"},
    };
    for (const Case& c : cases) EXPECT_EQ(HistoryTitleOf(c.title, c.url), c.shown) << c.url;
}

TEST(HistoryRoots, FavoritesAndDesktopByTheirBits) {
    auto labels = [](int style) {
        std::vector<std::string> out;
        for (const HistoryRoot& root : HistoryRoots(style, "/data", "/home/u/Desktop"))
            out.push_back(root.label);
        return out;
    };
    EXPECT_EQ(labels(2), std::vector<std::string>{"履歴"});
    EXPECT_EQ(labels(0x6000), (std::vector<std::string>{"履歴", "お気に入り", "デスクトップ"}));
    EXPECT_EQ(labels(0x2000), (std::vector<std::string>{"履歴", "デスクトップ"}));
    EXPECT_EQ(HistoryRoots(0x4000, "/data", "")[1].folder, "/data/Favorites");
}

TEST(HistoryTree, ShowsOnlyDaysAndSitesThatHoldPages) {
    LocalZone zone("Asia/Tokyo");
    fern::testing::TempFolder folder;
    HistoryDb db;
    db.SetCodec(MakePageTextCodec());
    ASSERT_EQ(db.Open(folder.File("history.db"), HistoryDb::Mode::Write), HistoryDb::OpenResult::Ok);
    HistoryTime now = LocalZone::At(2026, 12, 9, 12, 0);
    ASSERT_TRUE(db.RecordVisit("http://127.0.0.1:8080/a.html", LocalZone::At(2026, 12, 9, 0, 0)));
    ASSERT_TRUE(db.RecordVisit("http://127.0.0.1:8080/b.html", LocalZone::At(2026, 12, 9, 11, 0)));
    ASSERT_TRUE(db.RecordVisit("file:///tmp/c.html", LocalZone::At(2026, 12, 9, 10, 0)));
    // Yesterday at 23:59 is not today.
    ASSERT_TRUE(db.RecordVisit("http://late.example/", LocalZone::At(2026, 12, 8, 23, 59)));
    ASSERT_TRUE(db.RecordVisit("http://old.example/", LocalZone::At(2026, 11, 20, 9, 0)));
    CHistoryTree tree([&] { return &db; }, [&] { return now; });
    auto days = tree.Days();
    EXPECT_EQ(Labels(days), (std::vector<std::string>{"今日", "昨日", "2 週間前"}));
    auto sites = tree.Sites(days[0]);
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(HistorySiteLabel(sites[0].site), "ローカル ファイル");
    EXPECT_EQ(sites[1].site, "127.0.0.1");
    EXPECT_EQ(sites[1].pages, 2);
    auto pages = tree.Pages(days[0], "127.0.0.1");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].url, "http://127.0.0.1:8080/b.html");
    EXPECT_EQ(tree.Pages(days[1], "late.example").size(), 1u);
    CHistoryTree none([] { return nullptr; }, [&] { return now; });
    EXPECT_TRUE(none.Days().empty());
}

}  // namespace
