#include "history/HistoryTree.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "bookmarks/DatePicture.h"
#include "platform/text/SjisByteClass.h"

namespace fern {

namespace {

std::tm LocalTm(HistoryTime t) {
    std::time_t time = static_cast<std::time_t>(t);
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

// Local midnight of the day `offset` days after the day of `local`.
HistoryTime Midnight(const std::tm& local, int offset) {
    std::tm day{};
    day.tm_year = local.tm_year;
    day.tm_mon = local.tm_mon;
    day.tm_mday = local.tm_mday + offset;
    day.tm_isdst = -1;
    return static_cast<HistoryTime>(std::mktime(&day));
}

// Whole calendar days from the day of `earlier` to the day of `later`.
int DaysBetween(HistoryTime earlier, HistoryTime later) {
    HistoryTime a = Midnight(LocalTm(earlier), 0), b = Midnight(LocalTm(later), 0);
    // Days of 23 or 25 hours round to whole ones.
    return static_cast<int>(std::lround(static_cast<double>(b - a) / 86400.0));
}

}  // namespace

HistoryDayGroup LocalDay(HistoryTime now, int daysAgo) {
    std::tm today = LocalTm(now);
    return {std::string(), Midnight(today, -daysAgo), Midnight(today, -daysAgo + 1)};
}

std::vector<HistoryDayGroup> HistoryDayGroups(HistoryTime now, HistoryTime oldest) {
    std::vector<HistoryDayGroup> groups;
    std::tm today = LocalTm(now);
    int span = oldest < now ? DaysBetween(oldest, now) : 0;
    for (int d = 0; d <= 6 && d <= span; ++d) {
        HistoryDayGroup day = LocalDay(now, d);
        if (d == 0) {
            day.label = "今日";
            day.to = INT64_MAX;
        } else if (d == 1) {
            day.label = "昨日";
        } else {
            day.label = FormatDatePicture("dddd", LocalTm(day.from));
        }
        groups.push_back(day);
    }
    for (int week = 1; week * 7 <= span; ++week) {
        HistoryDayGroup group;
        if (week == 1) {
            group.label = "先週";
        } else {
            char text[32];
            std::snprintf(text, sizeof text, "%d 週間前", week);
            group.label = text;
        }
        group.from = Midnight(today, -(week * 7 + 6));
        group.to = Midnight(today, -(week * 7) + 1);
        groups.push_back(group);
    }
    return groups;
}

std::string HistorySiteLabel(const std::string& site) { return site.empty() ? "ローカル ファイル" : site; }

std::string HistoryTitleOf(const std::string& title, const std::string& url) {
    if (!title.empty()) return title;
    std::size_t cut = SjisFindLast(url, '/');
    if (cut == std::string::npos) cut = SjisFindLast(url, '\\');
    return cut == std::string::npos ? url : url.substr(cut + 1);
}

std::vector<HistoryRoot> HistoryRoots(int historyStyle, const std::string& dataFolder,
                                      const std::string& desktopFolder) {
    std::vector<HistoryRoot> roots{{HistoryRoot::History, "履歴", std::string()}};
    if (historyStyle & 0x4000)
        roots.push_back({HistoryRoot::Favorites, "お気に入り", dataFolder + "/Favorites"});
    if (historyStyle & 0x2000) roots.push_back({HistoryRoot::Desktop, "デスクトップ", desktopFolder});
    return roots;
}

std::vector<HistoryDayGroup> CHistoryTree::Days() {
    std::vector<HistoryDayGroup> days;
    HistoryDb* db = m_reader();
    if (!db) return days;
    std::optional<HistoryTime> oldest = db->OldestVisit();
    if (!oldest) return days;
    for (HistoryDayGroup& group : HistoryDayGroups(m_clock(), *oldest))
        if (db->AnyVisitIn(group.from, group.to)) days.push_back(std::move(group));
    return days;
}

std::vector<HistoryDb::SiteCount> CHistoryTree::Sites(const HistoryDayGroup& day) {
    HistoryDb* db = m_reader();
    return db ? db->Sites(day.from, day.to) : std::vector<HistoryDb::SiteCount>();
}

std::vector<HistoryPage> CHistoryTree::Pages(const HistoryDayGroup& day, const std::string& site) {
    std::vector<HistoryPage> pages;
    HistoryDb* db = m_reader();
    if (!db) return pages;
    HistoryScope scope{day.from, day.to, site, {}, {}};
    db->ForEachPage(scope, [&](const HistoryPage& page) {
        pages.push_back(page);
        return true;
    });
    return pages;
}

}  // namespace fern
