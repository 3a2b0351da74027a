#pragma once
// The running browser: the platform it runs on, the settings, the frame with
// its command router, keys and window, and every feature, made in this order
// (each feature installs its commands, menus entries, options pages, exit
// steps and settings subscriptions as it is made) and ended in reverse.
#include <memory>
#include <string>

#include "addressbar/gtk/AddressBarFeature.h"
#include "app/DataPaths.h"
#include "app/FirstPageGate.h"
#include "app/StartupDeferrals.h"
#include "app/gtk/ProgramStart.h"
#include "app/gtk/Screenshot.h"
#include "bookmarks/gtk/BookmarksFeature.h"
#include "bookmarks/gtk/BrowserImportPart.h"
#include "chrome/gtk/ToolBarFeature.h"
#include "commands/CommandRouter.h"
#include "commands/KeySettings.h"
#include "commands/gtk/KeyCommandPart.h"
#include "content/OfflineMode.h"
#include "content/gtk/ContentFeature.h"
#include "downloads/gtk/DownloadsFeature.h"
#include "downloads/gtk/PopupBlockBars.h"
#include "filters/CloseFilter.h"
#include "filters/gtk/FilterFeature.h"
#include "frame/MainFrame.h"
#include "frame/SessionLists.h"
#include "frame/gtk/BandsFeature.h"
#include "frame/gtk/MainFrameWindow.h"
#include "frame/gtk/TabBarFeature.h"
#include "history/gtk/HistoryFeature.h"
#include "lists/gtk/ListEditorFeature.h"
#include "options/gtk/OptionsCommandPart.h"
#include "platform/gtk/GtkShell.h"
#include "platform/gtk/SessionEnd.h"
#include "platform/gtk/WebKitContext.h"
#include "platform/gtk/WebKitEngineFactory.h"
#include "platform/shell/HandOff.h"
#include "privacy/PrivacyIniFile.h"
#include "privacy/gtk/PrivacyFeature.h"
#include "privacy/gtk/WebKitCookieEngine.h"
#include "session/gtk/SessionRecovery.h"
#include "settings/IniProfile.h"
#include "settings/SettingsService.h"
#include "sidebar/gtk/SideBarFeature.h"
#include "sidebar/gtk/SideBarPanelsFeature.h"
#include "tools/dde/DdeFrameService.h"
#include "tools/extract/gtk/UrlExtractFeature.h"
#include "tools/proxy/gtk/ProxyFeature.h"
// The window's placement, full screen and task tray; the mailer.
#include "frame/gtk/FramePlacementPart.h"
#include "frame/gtk/FullScreen.h"
#include "frame/gtk/TrayFeature.h"
#include "tools/gtk/MailerFeature.h"

namespace fern {

class Browser {
public:
    explicit Browser(const ProgramStart& start);
    ~Browser();
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;

    // Opens the arguments and what the start-up settings ask for, shows the
    // window and runs until it closes; the exit status.
    int Run();

private:
    const ProgramStart& m_start;
    // Files and settings.
    DataPaths m_paths;
    IniProfile m_profile, m_windows;
    SettingsStore m_store;
    CSettingsService m_settings;
    std::string m_tempFolder;
    // The platform.
    WebKitContext m_context;
    COfflineMode m_offline;
    PrivacyIniFile m_privacyFile;
    WebKitCookieEngine m_cookieEngine;
    WebKitEngineFactory m_engines;
    // The first web process starts here, while the rest is built.
    bool m_webProcessStarted = StartWebProcess();
    GlibTimers m_timers;
    GlibMessageQueue m_queue;
    GtkClipboardText m_clipboard;
    GtkMessageBox m_messageBox;
    // The frame, its commands, keys and window.
    CCloseFilter m_filter;
    CMainFrame m_frame;
    CCommandRouter m_router;
    CKeySettings m_keys;
    PopupBlockBars m_popupBars;
    MainFrameWindow m_window;
    COptionsPages m_optionsPages;
    // The features.
    KeyCommandPart m_keyPart;
    OptionsCommandPart m_optionsPart;
    ContentFeature m_content;
    PrivacyFeature m_privacy;
    TabBarFeature m_tabBar;
    FilterFeature m_filters;
    AddressBarFeature m_addressBar;
    CSessionLists m_session;
    DownloadsFeature m_downloads;
    SessionRecovery m_recovery;
    HistoryFeature m_history;
    BookmarksFeature m_bookmarks;
    // The side bar and the panels of ours in it.
    SideBarFeature m_sideBar;
    SideBarPanelsFeature m_sideBarPanels;
    ProxyFeature m_proxy;
    // The window's placement, full screen and task tray; the mailer.
    FramePlacementPart m_placement;
    FullScreen m_fullScreen;
    TrayFeature m_tray;
    MailerFeature m_mailer;
    ToolBarFeature m_toolBar;
    BandsFeature m_bands;
    UrlExtractFeature m_urlExtract;
    BrowserImportPart m_browserImport;
    ListEditorFeature m_listEditor;
    SignalConnection m_addressShown;
    SettingsSubscription m_homePage;
    // The channels of other programs and of the desktop.
    std::unique_ptr<DdeFrameService> m_dde;
    CHandOffServer m_handOff;
    std::unique_ptr<SessionEndWatcher> m_sessionEnd;
    std::unique_ptr<ScreenshotWhenLoaded> m_screenshot;
    // What the first page does not need, run after it.
    CStartupDeferrals m_deferred{m_timers, m_queue};
    // The window appears with the first page.
    CFirstPageGate m_reveal{m_timers, [this] { ShowWindow(); }};

    FrameServices MakeFrameServices();
    // What every web process needs from the start, then the first of them.
    bool StartWebProcess();
    GtkWidget* PageWidget(CFernView* view);
    bool OpenSpecialUrl(const std::string& text);
    int OpenFlags() const { return m_settings.Live().browser.focusPage ? 3 : 1; }
    void OpenArguments();
    void StartChannels();
    void DeferUntilFirstPage();
    void ShowWindow();
    bool FirstPageLoading();
};

}  // namespace fern
