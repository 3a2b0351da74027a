#pragma once
// Settings sections of the side bar: FernBar, History, HistorySearch and
// WebSearch.
#include <string>

#include "settings/SettingsStore.h"

namespace fern {

struct FernBarSettings {
    int style = 0;                  // FBStyle
    bool tabsAtBottom = false;      // "タブを下に表示(&B)"
    bool focusPageOnOpen = false;   // "ナビゲート時はページにフォーカス移動(&N)"
    bool showTabTitles = false;     // "タブのタイトルを表示(&D)"
    bool infoTips = false;          // "インフォチップ(&I)"
    bool focusPanelOnShow = false;  // "表示時にフォーカス移動(&S)"
    int panelIndex = 0;             // FBIndex as stored; the side bar maps values outside 0..3 to 0
    // In wnds.ini, the bar's own section (named after its switch, 32933).
    std::string sizes;  // DefaultSize: "%d,%d,%d,%d,%d,%d", the sizing bar's three sizes
    int visible = 0;    // Visible: the bar was shown when the program ended

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct HistorySettings {
    int style = 0;              // HistoryStyle
    bool openInNewTab = false;  // "ファーンバーの履歴は新規タブ(&H)"
    bool infoTips = false;
    bool addDesktop = false;    // "デスクトップの追加(&D)"
    bool addFavorites = false;  // "お気に入りの追加(&F)"
    // What the history keeps of the pages for the search in them.
    int pageTexts = 1;       // HistoryPageTexts: 0 keeps none
    int pageLimitKb = 2048;  // HistoryPageLimit, per page
    int cacheLimitMb = 256;  // HistoryCacheLimit, in all before the oldest go

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct HistorySearchSettings {
    int style = 0;              // HSHStyle
    bool openInNewTab = false;  // "ファーンバーの履歴検索は新規タブ(&F)"
    bool infoTips = false;
    bool keepSearchStrings = false;
    bool caseSensitive = false;
    bool useUrlFilter = false;  // "%sフィルタを使う(&F)"
    bool searchCache = false;
    int charCode = 0;          // -1 automatic, 0..6 a fixed code
    std::string columnWidths;  // "%d,%d,%d"
    int sort = 0;              // HSHSort: low word the column, bit 16 ascending
    bool sortAscending = false;
    int filterStyle = 0;  // 1 today only, else all
    std::string filter;
    std::string dateFormat;

    int SortColumn() const { return sort & 0xFFFF; }

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct WebSearchSettings {
    int style = 0;                   // WSHStyle
    bool useSearchIni = false;       // engines read from and written to search.ini
    bool keepSearchStrings = false;  // "検索文字列の保存(&Y)"
    int columnWidth = 0;             // -1 leaves the list's own width

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

}  // namespace fern
