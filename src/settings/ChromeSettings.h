#pragma once
// Settings sections of the window chrome: LinkBar and StatusBar (fern.ini),
// ReBar and FernBars (wnds.ini).
#include <string>

#include "settings/SettingsStore.h"

namespace fern {

struct LinkBarSettings {
    int style = 0;                // LBStyle; bits 0x1 and 0x10 are kept as loaded
    bool openInNewTab = false;    // "新規タブで開く(&N)"
    bool showIcons = false;       // "アイコンを表示(&I)"
    bool fixedWidth = false;      // "ボタンの横幅を指定(&S)"
    bool menuAddHere = false;     // "メニューに「ここに追加」を追加(&A)"
    bool menuOpenFolder = false;  // "メニューに「フォルダのURLを開く」を追加(&O)"
    bool hidden = false;          // 0x1: the View menu's "リンク バー" is off
    int fixedSize = 0;            // LBFixBtnSize: packed pair, used as read

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct StatusBarSettings {
    int downloadControlStrip = 0;  // SBDLCStyle: 1 collapsed, 2 expanded

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

// wnds.ini
struct ReBarSettings {
    int bandCount = 0;
    std::string bandStyle;  // "%d,%d,%d" per band (id, width, style), read whole

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

// wnds.ini
struct FernBarsSettings {
    int toolbarStyle = 0;     // TBStyle: 0 docked bar, 1 rebar band
    std::string buttons;      // TBBtnCount: row numbers, -1 a separator
    std::string buttonStyle;  // TBBtnStyle: "%d,%d,%d,%d"

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

}  // namespace fern
