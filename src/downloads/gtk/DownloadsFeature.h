#pragma once
// Downloads, as the main window serves them: the download list on the
// engine's downloads, its questions, the downloads window (33150, opened
// also when a download starts while DLStyle says so), the status bar's note
// of running downloads, the question before the browser closes on them,
// and "名前をつけて保存" (33117) of the active page.
#include <gtkmm.h>
#include <webkit2/webkit2.h>

#include <memory>

#include "commands/CommandRouter.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/TimerService.h"
#include "settings/SettingsService.h"

namespace fern {

class CDownloadList;
class CMainFrame;
class DownloadQuestions;
class DownloadShell;
class DownloadStatusButton;
class DownloadsWindow;
class MainFrameWindow;
class PageSaver;
class WebKitDownloads;

struct DownloadServices {
    MainFrameWindow& window;
    CMainFrame& frame;  // its active page is the one "名前をつけて保存" saves
    WebKitWebContext* context;
    CSettingsService& settings;
    IMessageBox& messageBox;
    ITimerService& timers;
};

class DownloadsFeature {
public:
    explicit DownloadsFeature(DownloadServices services);
    // Ends running downloads and removes their part files.
    ~DownloadsFeature();
    DownloadsFeature(const DownloadsFeature&) = delete;
    DownloadsFeature& operator=(const DownloadsFeature&) = delete;

    void RegisterCommands(CCommandRouter& router);

    // Before the user closes the browser: true when it may close at once (no
    // download runs); else the user is asked, and the window closes when
    // they agree to end the downloads.
    bool ConfirmClose();
    void ShowWindow();

private:
    class Watcher;

    DownloadServices m_s;
    std::string m_openFolder;
    std::unique_ptr<WebKitDownloads> m_engine;
    std::unique_ptr<DownloadShell> m_shell;
    std::unique_ptr<CDownloadList> m_list;
    std::unique_ptr<DownloadQuestions> m_questions;
    std::unique_ptr<DownloadsWindow> m_window;
    std::unique_ptr<DownloadStatusButton> m_status;
    std::unique_ptr<Watcher> m_watcher;
    std::unique_ptr<PageSaver> m_saver;

    std::string OpenFolder();
    // The web view of the active page; null when none.
    WebKitWebView* ActiveWebView() const;
};

}  // namespace fern
