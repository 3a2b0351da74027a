#pragma once
// The history panel's tree: the visited pages by the day of their last visit
// (today, yesterday, the five days before by their weekday, then whole
// weeks back) and within a day by site, each level read from the store only
// when it is opened.
#include <functional>
#include <string>
#include <vector>

#include "platform/store/HistoryDb.h"

namespace fern {

struct HistoryDayGroup {
    std::string label;     // "今日", "昨日", "月曜日" .., "先週", "2 週間前" ..
    HistoryTime from = 0;  // [from, to) in seconds, local midnights
    HistoryTime to = 0;
};

// The local day `daysAgo` days before the day of `now`: [midnight, next midnight).
HistoryDayGroup LocalDay(HistoryTime now, int daysAgo);

// Every group from today back to the one holding `oldest`. Today's group
// also holds visits dated after now (a clock set back).
std::vector<HistoryDayGroup> HistoryDayGroups(HistoryTime now, HistoryTime oldest);

// The text of a site's node: its host, or "ローカル ファイル" for files.
std::string HistorySiteLabel(const std::string& site);

// A page's title as the lists show it: the stored title, or when that is
// empty the part of the address after its last "/" (or "\" when it has no
// "/"), or the whole address when it has neither.
std::string HistoryTitleOf(const std::string& title, const std::string& url);

// The tree's top items: the history, then, when `HistoryStyle` asks for
// them, the favorites (bit 14: "Favorites" in the data folder) and the
// desktop (bit 13), whose ".url" files the panel shows as they are
// (ImportFavorites reads such a folder).
struct HistoryRoot {
    enum Kind { History, Favorites, Desktop } kind;
    std::string label;   // "履歴", "お気に入り", "デスクトップ"
    std::string folder;  // the file system's bytes; empty for the history
};
std::vector<HistoryRoot> HistoryRoots(int historyStyle, const std::string& dataFolder,
                                      const std::string& desktopFolder);

class CHistoryTree {
public:
    using Clock = std::function<HistoryTime()>;
    // `reader` gives the connection to read through (null: no history).
    CHistoryTree(std::function<HistoryDb*()> reader, Clock clock)
        : m_reader(std::move(reader)), m_clock(std::move(clock)) {}

    // The groups that hold any page, newest first.
    std::vector<HistoryDayGroup> Days();
    std::vector<HistoryDb::SiteCount> Sites(const HistoryDayGroup& day);
    // Most recent first.
    std::vector<HistoryPage> Pages(const HistoryDayGroup& day, const std::string& site);

private:
    std::function<HistoryDb*()> m_reader;
    Clock m_clock;
};

}  // namespace fern
