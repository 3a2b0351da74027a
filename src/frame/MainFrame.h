#pragma once
// The tab manager of the main frame: turns open requests into tabs, applies
// the tab settings (limit, position, next active tab), selects, swaps and
// closes tabs, keeps the closed set of the last bulk close, and serves the
// pages as their host.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame/FrameUi.h"
#include "frame/TabBarModel.h"
#include "frame/TabRules.h"
#include "frame/TabSleeper.h"
#include "frame/ViewScheduler.h"
#include "lists/UrlItem.h"
#include "page/FernView.h"
#include "page/PageHost.h"
#include "page/PopupFilter.h"
#include "platform/Signal.h"
#include "platform/engine/EngineFactory.h"
#include "platform/shell/Clipboard.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/MessageQueue.h"
#include "platform/shell/TimerService.h"

namespace fern {

class CCommandRouter;

// Open flags of an open request.
enum OpenFlags : int {
    kOpenNewTab = 0x1,
    kOpenFocus = 0x2,
    kOpenAddTyped = 0x4,
    kOpenMoveTyped = 0x8,
    kOpenNoNavigate = 0x10,
};

struct FrameServices {
    IEngineFactory& engines;
    ITimerService& timers;
    IMessageQueue& queue;
    IClipboard& clipboard;
    IMessageBox& messageBox;
    IPopupFilter& filter;
    // Argument or typed text to an address (shortcut files resolved).
    std::function<std::string(const std::string&)> convertArgument;
    // "mailto:" and list files: true when taken over.
    std::function<bool(const std::string&)> openSpecialUrl;
    std::function<bool()> isOffline;
};

// The save steps at exit, in their order; a feature not built yet leaves its
// step empty.
// What is saved at the end (and by auto-save), step by step in this order;
// features add themselves to their step.
struct ExitSteps {
    Signal<> bookmarks;
    Signal<> stateLog;  // only with "終了時にタブのURLをログに保存(&S)"
    Signal<> typedLists;
    Signal<> placementAndBars;
    Signal<> removeTrayIcon;  // only when the program ends
    Signal<> closeCount;
    Signal<> proxyAndRecent;
};

class CMainFrame : public IPageHost {
public:
    // `settings` is the program's live copy: the frame reads it at each use.
    CMainFrame(FrameServices services, const ProgramSettings& settings);
    ~CMainFrame() override;
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    void SetUi(IFrameUi* ui) { m_ui = ui; }
    // An open was carried out (a new tab was asked for, or the active page
    // navigates): the address bar's typed-list step for the flags 0x4, 0x8.
    Signal<const std::string&, int> opened;
    // The active tab refused the address (filters, special addresses).
    Signal<> openRefused;
    // A tab's page is about to go (not when the frame itself ends): the
    // record of closed tabs.
    Signal<const CFernView&> viewDestroyed;
    // A page was refused a new window (the pop-up bar).
    Signal<CFernView*, const std::string&> newWindowRefused;
    // Maps an address to its security zone (-1 none) for the status bar.
    void SetZoneRule(std::function<int(const std::string&)> zoneOfUrl) { m_zoneOfUrl = std::move(zoneOfUrl); }
    ExitSteps& Exit() { return m_exitSteps; }

    // Set while the program starts; hand-offs are ignored meanwhile.
    void SetStarting(bool on) { m_starting = on; }
    bool Starting() const { return m_starting; }
    // A later start's argument: false when ignored (still starting).
    bool OnCopyData(std::uint32_t data, const std::string& text);

    // exiting: the window closes; bookmarksOnly: the auto-save tick.
    void SaveOnExit(bool exiting, bool bookmarksOnly);
    bool Saved() const { return m_saved; }
    // Timer 4096: every `minutes` while on; off or 0 stops it.
    void StartAutoSave(bool on, int minutes);
    static constexpr unsigned kAutoSaveTimer = 4096;

    // The open operation of the program.
    CFernView* OpenUrl(const std::string& text, int openFlags, std::uint32_t dlc, int securityMode) override;
    CFernView* OpenUrlInNewTab(const std::string& text, bool noNavigate, bool focus, std::uint32_t dlc,
                               int securityMode);
    // `siteUrl`: the address the tab is made for, so it may share its site's process.
    CFernView* CreateTab(IBrowserEngine* relatedTo = nullptr, const std::string& siteUrl = {});
    int InsertTab(const std::string& text, CFernView* view) override;

    // While one lives (restoring a log or a list), each new tab enters the
    // tab bar at once, in the order of the opens, and gets its page later:
    // the selected tab's first, the others in the background. Tabs opened
    // before it that still wait for their first navigation enter the bar
    // first, so the order stays that of the opens.
    class DeferredViews {
    public:
        explicit DeferredViews(CMainFrame& frame);
        ~DeferredViews();
        DeferredViews(const DeferredViews&) = delete;
        DeferredViews& operator=(const DeferredViews&) = delete;

    private:
        CMainFrame& m_frame;
    };
    // False while the view's page is not made yet, or while it sleeps.
    bool PageMade(const CFernView* view) const { return !m_scheduler.IsWaiting(view); }
    // The tab gave its page up to save memory; selecting it brings it back.
    bool Asleep(const CFernView* view) const { return m_scheduler.IsAsleep(view); }
    // Gives a background tab's page up now, keeping its address, title and
    // history; false for the selected tab or one without a page.
    bool PutToSleep(CFernView* view);
    // "タブを休止": the page is asked first, and the user told when it may not.
    void SleepOnRequest(CFernView& view);
    // The memory the browser and its page processes use, in bytes (0 when
    // unknown), for the sleeping tabs' budget.
    void SetMemoryProbe(std::function<std::uint64_t()> probe) { m_memoryProbe = std::move(probe); }
    TabSleeper& Sleeper() { return m_sleeper; }
    std::size_t PagesWaiting() const { return m_scheduler.WaitingCount(); }

    void SelectTab(int index);
    void SelectByOffset(int offset);
    void CloseTab(int index);
    void CloseAll();
    void CloseOthers(int index);
    void CloseReadTabs();
    void RestoreClosed();
    bool SwapTabs(int a, int b);

    // The frame's commands (tabs, new tabs) and the active page's commands.
    void RegisterCommands(CCommandRouter& router);

    // Mouse actions on tab `index` (-1: no tab hit).
    void OnTabDoubleClick(int index);
    void OnTabWheelClick(int index);
    void OnTabRightClick(int index);

    int TabCount() const override { return m_tabs.Count(); }
    CFernView* ViewAt(int index) const;
    CFernView* ActiveView() const { return m_active; }
    // The right-clicked tab while a tab menu is open, else the selected one.
    int TargetTab() const;
    void SetRightClicked(int index) { m_tabs.SetRightClicked(index); }
    const CTabBarModel& Tabs() const { return m_tabs; }
    const std::vector<UrlItem>& ClosedSet() const { return m_closedSet; }
    std::size_t ViewCount() const { return m_views.size(); }
    // Tabs opened by the user that wait for their first allowed navigation
    // to enter the tab bar, in the order of the opens.
    std::vector<CFernView*> ViewsWaitingForTabBar() const;

    // The tab's frame closes: next-active rule, then the view goes.
    void DestroyView(CFernView* view);
    void ActivateView(CFernView* view);

    // IPageHost
    const ProgramSettings& Settings() const override { return m_settings; }
    void ActivateTab(CFernView* view) override { ActivateView(view); }
    bool IsSelected(const CFernView* view) const override { return view && view == m_active; }
    void SetTabText(CFernView* view, const std::string& text) override;
    void SetTabImage(CFernView* view, int image) override;
    void SetCaption(CFernView* view, const std::string& caption) override;
    void SetStatusText(const std::string& text) override;
    void SetProgress(int percent) override;
    void SetAddress(const std::string& url) override;
    void ShowZoneOf(const std::string& url) override;
    void SetSecureLock(int level) override;
    void UpdateOfflineIndicator() override {
        if (m_ui) m_ui->SetOffline(IsOffline());
    }
    void PostClose(CFernView* view) override;
    CFernView* CreateTabForNewWindow(CFernView* opener) override;
    bool MatchesCloseUrl(const std::string& url) override { return m_services.filter.MatchesCloseUrl(url); }
    bool MatchesCloseTitle(const std::string& title) override {
        return m_services.filter.MatchesCloseTitle(title);
    }
    bool CloseUrlNewTabsOnly() const override { return m_services.filter.NewTabsOnly(); }
    void CountClosedWindow() override { m_services.filter.CountClosed(); }
    void NewWindowRefused(CFernView* opener, const std::string& url) override {
        newWindowRefused.Emit(opener, url);
    }
    bool OpenSpecialUrl(const std::string& url) override;
    bool PageMessageBoxHandled(const std::string& caption, const std::string& message) override {
        return m_pageDialogs && m_pageDialogs->MessageBoxHandled(caption, message);
    }
    void PageScriptError(CFernView*, const std::string& message, const std::string& url, long line) override {
        if (m_pageDialogs) m_pageDialogs->ScriptError(message, url, line);
    }
    void SetPageDialogFilter(IPageDialogFilter* filter) { m_pageDialogs = filter; }
    bool IsOffline() const override { return m_services.isOffline && m_services.isOffline(); }

private:
    FrameServices m_services;
    const ProgramSettings& m_settings;
    std::optional<int> m_nextActiveOverride;  // `TabNextActive` while closing read tabs
    IFrameUi* m_ui = nullptr;
    std::function<int(const std::string&)> m_zoneOfUrl;
    int ZoneOf(const std::string& url) const;
    IPageDialogFilter* m_pageDialogs = nullptr;
    CTabBarModel m_tabs;
    std::vector<std::unique_ptr<CFernView>> m_views;  // creation order
    std::vector<CFernView*> m_activation;             // most recent last
    CFernView* m_active = nullptr;
    std::vector<UrlItem> m_closedSet;
    ExitSteps m_exitSteps;
    bool m_starting = false;
    bool m_saved = false;
    TimerId m_autoSaveTimer = 0;
    int m_deferViews = 0;
    ViewScheduler m_scheduler;
    std::function<std::uint64_t()> m_memoryProbe;
    TabSleeper m_sleeper;

    std::string Convert(const std::string& text) const;
    CFernView* OpenInActiveTab(const std::string& text, std::uint32_t dlc, int securityMode);
    void Renumber();
    void CloseRequest(CFernView* view);
    bool Closable(const CFernView* view) const;
    void RecordClosed(const CFernView* view);
    void TabAction(TabMouseAction action, int index);
    void NewTabCommand(int id);
    // Runs `action` on the target tab's view (the right-clicked one while its
    // menu is open), then forgets the right click.
    void OnTargetTab(const std::function<void(CFernView&, int index)>& action);
    void CopyTargetTitle();
    void TabsChanged();
    void MakePage(CFernView* view);
    void ShowAsleep(CFernView* view, bool asleep);
    TabSleeper::Hooks SleeperHooks();
    std::uint64_t MemoryBudget() const;
    // Unknown memory (no probe, or it failed) is never over.
    bool OverMemoryBudget() const;
};

}  // namespace fern
