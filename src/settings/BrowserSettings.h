#pragma once
// Settings sections of the browser pages: Browser, CloseUrl and the indexed
// message-box filter family of KillMsgDlg.
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace fern {

struct BrowserSettings {
    int style = 0;                // BOStyle
    bool customHostSite = false;  // clear: "ページへのドロップを受け付ける [IE4-5.01] [再起動] (&F)"
    bool showScriptErrors = false;
    bool resolveTargetNames = false;  // "リンクのターゲット名を解決(&T)"
    bool silent = false;
    bool eraseBackgroundWhileBusy = false;
    bool loadHelperObjects = false;      // "Browser Helper Objectsをロード [再起動] (&B)"
    bool inheritParentSecurity = false;  // "親タブのセキュリティを継承(&U)"
    bool useHomePageUrl = false;         // "ホーム ページを指定(&H)"
    bool focusPage = false;              // "ナビゲート、タブ選択時のフォーカス移動(&F)"
    bool reloadAfterFlagChange = false;  // "マルチメディア、セキュリティ変更後にリロード(&R)"
    bool dialogSweep = false;            // "警告ダイアログは閉じる(&K)"

    int downloadControl = 0;  // BODLCDefault: flags of new tabs
    int securityTemplate1 = 0;
    int securityTemplate2 = 0;
    int securityTemplate3 = 0;
    int securityTemplate4 = 0;
    int hostUiFlags = 0;
    int hostUiDoubleClick = 0;
    std::string homePageUrl;
    int cookie = 0;
    int inetCpl = 0;
    std::string userAgent;
    std::string ddeServerName;

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct CloseUrlSettings {
    int urlStyle = 0;             // COUStyle
    bool closeUrlFilter = false;  // "以下のURLは読み込まない [ワイルドカード(*)有効] (&U)"
    bool newTabsOnly = false;     // "新規タブのみ閉じる(&N)"
    bool closeOnRegister = false;   // "登録時にタブを閉じる(&C)"
    int titleStyle = 0;             // COTStyle
    bool closeTitleFilter = false;  // "以下のタイトルは閉じる(&C)"
    int count = 0;                  // COCount: windows the filters have closed

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct KillMsgDlgItem {
    int style = 1;  // 0 = off
    std::string name;
    std::string caption;
    std::string text;  // comma-separated texts the message must all contain

    bool operator==(const KillMsgDlgItem&) const = default;
};

struct KillMsgDlgSettings {
    static constexpr int kMaxItems = 10;
    // Read in index order until a KMDItemStyle is missing; with none stored,
    // the one built-in item.
    std::vector<KillMsgDlgItem> items;

    static KillMsgDlgItem DefaultItem();
    void Load(const SettingsStore& store);
    // Writes the items (at most kMaxItems), then removes the keys of the
    // indexes no longer used, so a shorter list reads back as saved.
    bool Save(SettingsStore& store);
};

}  // namespace fern
