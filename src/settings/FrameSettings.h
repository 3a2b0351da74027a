#pragma once
// Settings sections of the main frame: TabBar, Mail, TaskTray, RecentCloseUrl
// (fern.ini) and MainFrame (wnds.ini). Each bit word is kept whole as loaded
// beside its named switches; Save writes the switches over it.
#include <optional>
#include <string>

#include "settings/SettingsStore.h"
#include "settings/WindowPlacement.h"

namespace fern {

struct TabBarSettings {
    int style = 0;                 // TabStyle
    bool useColours = false;       // "文字色、背景色を指定(&C)"
    bool selectBlankPage = false;  // "空白ページは選択する(&B)"
    bool selectNewTab = false;     // "新規タブは選択する(&A)"
    bool limitTabCount = false;    // "タブの数を制限(&L)"
    bool noNewTabsFromLocked = false;  // "ナビゲートロックしたタブから新規タブは作らない(&L)"
    bool multiLine = false;            // "複数行表示(&M)"
    bool fixedWidth = false;           // "タブの横幅を指定(&W)"
    bool limitText = false;            // "タブの文字数制限(&T)"
    bool wrapAround = false;           // next/previous tab wraps at the ends
    bool barBelowPages = false;  // "タブバーを下に表示(&B)"

    int exStyle = 0;      // TabExStyle
    bool ownBar = false;  // off: "タブバーをClient側に表示 [再起動] (&D)"

    int createNew = 0;
    int createLimit = 0;
    int insertPosition = 0;
    int nextActive = 0;
    int textLimit = 0;
    int fixedSize = 0;  // TabFixBtnSize, width held to 20..256 at load
    int wheelClick = 0;
    int rightClick = 0;
    int leftDoubleClick = 0;
    int selectedTextColour = 0;
    int unselectedTextColour = 0;
    int selectedBackColour = 0;
    int unselectedBackColour = 0;

    int fontStyle = 0;  // TabBtnStyle
    bool selectedBold = false;
    bool selectedItalic = false;
    bool selectedUnderline = false;
    bool unselectedBold = false;
    bool unselectedItalic = false;
    bool unselectedUnderline = false;

    // Sleeping tabs: minutes unselected before a tab gives its page up (0 =
    // never by time), and the memory budget in MB (0 = a quarter of the machine's).
    int sleepMinutes = 30;
    int sleepMemoryMB = 0;

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct MailSettings {
    int style = 0;               // MLStyle
    bool ignoreMailto = false;   // "mailto:は無視(&I)"
    bool useMailerPath = false;  // "メーラーを指定(&M)"
    std::string mailerPath;

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct TaskTraySettings {
    int style = 0;                // TTStyle
    bool trayOnMinimize = false;  // "最小化時にタスク トレイ(&M)"
    bool customIcon = false;      // "アイコンとツールチップを指定(&I)"
    std::string iconPath;
    int iconIndex = 0;
    std::string infoTip;
    int hotKey = 0;  // high word virtual key, low word modifiers; 0 = none

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct RecentCloseUrlSettings {
    int style = 0;  // RCUStyle; bit 0x4 is always written set
    bool readAtStart = false;
    bool saveAtExit = false;  // "保存する(&S)"

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

// wnds.ini
struct MainFrameSettings {
    std::string placement;    // MFWndPlac as stored
    int fullScreenState = 0;  // MFFullScrState
    bool fullScreen = false;
    bool bar1Shown = false;  // the two bars' visibility when full screen was entered
    bool bar2Shown = false;

    std::optional<WindowPlacement> Placement() const { return ParseWindowPlacement(placement); }
    void SetPlacement(const WindowPlacement& p) { placement = FormatWindowPlacement(p); }

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

}  // namespace fern
