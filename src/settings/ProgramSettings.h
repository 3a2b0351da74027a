#pragma once
// Every feature section in one place, for the start-up load and for checks
// that walk all of them. Features may also load and save their own section
// alone.
#include "settings/AddressBarSettings.h"
#include "settings/AppSettings.h"
#include "settings/BookmarkSettings.h"
#include "settings/BrowserSettings.h"
#include "settings/ChromeSettings.h"
#include "settings/DownloadSettings.h"
#include "settings/FrameSettings.h"
#include "settings/SideBarSettings.h"
#include "settings/ToolSettings.h"

namespace fern {

struct ProgramSettings {
    BrowserSettings browser;
    TabBarSettings tabBar;
    AddressBarSettings addressBar;
    BookmarkSettings bookmark;
    FernBarSettings fernBar;
    LinkBarSettings linkBar;
    MailSettings mail;
    TaskTraySettings taskTray;
    CloseUrlSettings closeUrl;
    KillMsgDlgSettings killMsgDlg;
    RecentCloseUrlSettings recentCloseUrl;
    AutoSaveSettings autoSave;
    StartupSettings startup;
    StatusBarSettings statusBar;
    FileDlgSettings fileDlg;
    OptionDlgSettings optionDlg;
    ProxySettings proxy;
    HistorySettings history;
    HistorySearchSettings historySearch;
    WebSearchSettings webSearch;
    UrlExtractSettings urlExtract;
    MainFrameSettings mainFrame;
    ReBarSettings reBar;
    FernBarsSettings fernBars;
    ListEditDlgSettings listEditDlg;
    DownloadSettings download;

    void LoadAll(const SettingsStore& store);
    // Saves every section even when one fails; false when any did.
    bool SaveAll(SettingsStore& store);
};

}  // namespace fern
