#pragma once
// Settings sections of the bookmarks: Bookmark (fern.ini) and the list
// editor's placement, ListEditDlg (wnds.ini).
#include <optional>
#include <string>

#include "settings/SettingsStore.h"
#include "settings/WindowPlacement.h"

namespace fern {

struct BookmarkSettings {
    int style = 0;                // BKStyle
    bool openInNewTab = false;    // "新規タブで開く(&N)"
    bool focusPage = false;       // "ナビゲート時はページにフォーカス移動(&F)"
    bool autoSave = false;        // "自動保存(&A)" / "ブックマーク"
    bool saveHtmlToo = false;     // "Htmlでも保存(&H)"
    bool limitMenuText = false;   // "メニューの文字数制限(&L)"
    bool menuAddHere = false;     // "メニューに「ここに追加」を追加(&A)"
    bool menuOpenFolder = false;  // "メニューに「フォルダのURLを開く」を追加(&O)"

    int menuTextLimit = 0;
    int defaultAddStyle = 0;
    std::string bookmarkPath;  // empty until the first start fills it
    std::string dateFormat;

    int barStyle = 0;              // BKBarStyle
    bool barOpenInNewTab = false;  // "開くの切り替え(&S)"
    bool barInfoTips = false;      // "インフォチップ(&I)"
    bool barUseTrash = false;      // "ゴミ箱を使う(&R)"
    bool barDoubleClick = false;   // "ダブルクリックモード(&D)"

    int infotipStyle = 0;  // BKBarInfotipStyle: what a node's tool tip shows
    bool tipName = false;
    bool tipUrl = false;
    bool tipMemo = false;
    bool tipCreated = false;

    int splitStyle = 0;            // BKBarSplitStyle
    bool splitSearch = false;      // "検索(&S)"
    bool splitSideBySide = false;  // "左右に分割(&V)"
    int splitPos = 0;              // two pane sizes, low and high word

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

// wnds.ini
struct ListEditDlgSettings {
    std::string placement;  // LEDWndPlac as stored

    std::optional<WindowPlacement> Placement() const { return ParseWindowPlacement(placement); }
    void SetPlacement(const WindowPlacement& p) { placement = FormatWindowPlacement(p); }

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

}  // namespace fern
