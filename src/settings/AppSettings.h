#pragma once
// Settings sections read by the application start: Startup, AutoSave, and
// the options sheet's last page (OptionDlg).
#include "settings/SettingsStore.h"

namespace fern {

struct StartupSettings {
    int style = 0;                     // SUStyle
    bool saveStateAtExit = false;      // "終了時にタブのURLをログに保存(&S)"
    bool restoreStateAtStart = false;  // "起動時にログに保存してあるURLを復元(&R)"
    bool dedupeOnRestore = false;      // "復元時にログ内の重複をチェック(&D)"
    bool noRestoreWithArguments = false;  // "起動時にパラメータが渡された場合は復元を無効(&P)"
    bool openStartupUrls = false;         // "起動時に以下のURLを開く(&S)"
    bool dedupeStartupAgainstLog = false;  // "ログ内容と重複チェック(&R)"

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct AutoSaveSettings {
    int style = 0;  // ASStyle
    bool enabled = false;
    int intervalMinutes = 0;  // 0 = no timer

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

struct OptionDlgSettings {
    int pageIndex = 0;  // ODIndex: the page shown last

    void Load(const SettingsStore& store);
    bool Save(SettingsStore& store);
};

}  // namespace fern
