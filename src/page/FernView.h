#pragma once
// The page of one tab: owns the tab's browser control, turns its events into
// tab state (text, icon, address, status, progress) and decides on every
// navigation whether it is allowed, sent to a new tab, or whether the whole
// tab is closed as an unwanted pop-up.
#include <cstdint>
#include <memory>
#include <string>

#include "page/PageHost.h"
#include "page/WebBrowser2Base.h"
#include "platform/shell/TimerService.h"

namespace fern {

class CFernView : public CWebBrowser2Base {
public:
    static constexpr unsigned kAutoRefreshTimer = 901;
    static constexpr unsigned kPendingBlankTimer = 902;
    static constexpr unsigned kPendingBlankDelayMs = 300;
    static constexpr unsigned kAutoRefreshMinimumMs = 5000;

    CFernView(IPageHost& host, ITimerService& timers, std::unique_ptr<IBrowserEngine> engine);
    ~CFernView() override;
    CFernView(const CFernView&) = delete;
    CFernView& operator=(const CFernView&) = delete;

    IBrowserEngine* Engine() const { return m_engine.get(); }

    // State read and set by the tab manager.
    int TabIndex() const { return m_tabIndex; }
    void SetTabIndex(int index) { m_tabIndex = index; }
    bool IsClosing() const { return m_closing; }
    bool CloseRequested() const { return m_closeRequested; }
    void SetCloseRequested() { m_closeRequested = true; }
    bool IsNavigateLocked() const { return m_navigateLock; }
    bool InsertPending() const { return m_insertPending; }
    void SetInsertPending(bool on) { m_insertPending = on; }
    bool FirstNavigation() const { return m_firstNavigation; }
    void SetFirstNavigation(bool on) { m_firstNavigation = on; }
    bool PendingBlank() const { return m_pendingBlank; }
    void SetPendingBlank(bool on) { m_pendingBlank = on; }
    bool BlankSelect() const { return m_blankSelect; }
    void SetBlankSelect(bool on) { m_blankSelect = on; }
    bool FirstTab() const { return m_firstTab; }
    void SetFirstTab(bool on) { m_firstTab = on; }
    bool FocusRequested() const { return m_focusRequest; }
    bool FocusDone() const { return m_focusDone; }
    void RequestFocus();
    int Icon() const { return m_icon; }
    int ProgressPercent() const { return m_percent; }
    int SecureLockLevel() const { return m_secureLock; }
    const std::string& PendingUrl() const { return m_pendingUrl; }
    void SetPendingUrl(const std::string& url) { m_pendingUrl = url; }
    const std::string& StoredTitle() const { return m_title; }
    void StoreTitle(const std::string& title) { m_title = title; }
    bool OpenedForHomePage() const { return m_homePage; }
    void SetOpenedForHomePage() { m_homePage = true; }

    // The title, falling back to the control's location name.
    std::string Title() const;
    std::string Url() const;
    // The committed address, or the one on its way before the first commit.
    std::string KnownUrl() const;

    // Set title: the close-title filter first, then tab text and caption.
    void SetTitle(const std::string& title);
    // Closing by the filters: counted, flagged, and the frame asked to close.
    void CloseByFilter();
    // While the tab still waits for the tab bar: inserted now, titled
    // "Loading..", and selected as a new tab is. Done at the first allowed
    // navigation, or at once for a tab whose page is made later.
    void EnterTabBar();

    // Navigation commands of the tab menu; all ignored while locked.
    void GoBack();
    void GoForward();
    void GoHome();
    void Refresh(bool completely);
    void Stop();
    bool ToggleNavigateLock();
    void Navigate(const std::string& url);

    // Auto refresh: seconds from the dialog; below 5 s no timer runs.
    void StartAutoRefresh(int seconds);
    void StopAutoRefresh();
    int AutoRefreshIntervalMs() const { return m_autoRefreshMs; }
    bool AutoRefreshRunning() const { return m_autoRefreshTimer != 0; }

    // Find in page with a text from the clipboard (trimmed); nothing while
    // the page is busy or a find runs. The last text is shared by all tabs.
    void FindInPage(const std::string& clipboardText);
    bool FindRunning() const { return *m_findRunning; }

    // A page command of the menus (ids in PageCommandIds.h); false when the
    // id is not a page command.
    bool OnPageCommand(int id);
    // The text-size item that is checked: the control's zoom level.
    bool IsTextSizeChecked(int id) const;
    // One text size larger (+1) or smaller (-1), within the five sizes.
    void StepTextSize(int step);

    // The first navigation to `url` passes the close-URL filter: the user
    // opened a refused pop-up's address on purpose.
    void SetFilterExemptUrl(const std::string& url) { m_filterExemptUrl = url; }

    // The tab became (or stopped being) the selected one.
    void OnSelected();

    // Browser events.
    void StatusTextChange(const std::string& text) override;
    void ProgressChange(long progress, long max) override;
    void TitleChange(const std::string& title) override;
    void BeforeNavigate2(const std::string& url, long flags, const std::string& targetFrame,
                         const std::string& postData, const std::string& headers, bool& cancel) override;
    void NewWindow2(IBrowserEngine*& newWindow, bool& cancel) override;
    void NewWindow3(IBrowserEngine*& newWindow, bool& cancel, const std::string& url) override;
    void NavigateComplete2(const std::string& url) override;
    void WindowClosing(bool isChildWindow, bool& cancel) override;
    void SetSecureLockIcon(long level) override;
    bool ShowMessage(const std::string& caption, const std::string& message) override;
    void ScriptError(const std::string& message, const std::string& url, long line) override;

protected:
    void OnDownloadBegin() override;
    void OnDownloadComplete() override;
    void OnDocumentComplete(const std::string& url, bool topLevel) override;

private:
    IPageHost& m_host;
    ITimerService& m_timers;
    std::unique_ptr<IBrowserEngine> m_engine;

    int m_tabIndex = -1;
    int m_icon = kIconNone;
    int m_percent = 0;
    int m_secureLock = -1;
    bool m_closing = false;
    bool m_closeRequested = false;
    bool m_closeThird = false;
    bool m_navigateLock = false;
    bool m_insertPending = true;
    bool m_firstNavigation = false;
    bool m_pendingBlank = false;
    bool m_pendingBlankTimerStarted = false;
    bool m_blankSelect = false;
    bool m_firstTab = false;
    bool m_focusRequest = false;
    bool m_focusDone = true;
    bool m_homePage = false;
    TimerId m_pendingBlankTimer = 0;
    TimerId m_autoRefreshTimer = 0;
    int m_autoRefreshMs = 0;
    std::string m_title;
    std::string m_deferredTitle;
    std::string m_pendingUrl;
    bool m_findHasPosition = false;
    // Shared with the engine's answer, which may come after the view is gone.
    std::shared_ptr<bool> m_findRunning = std::make_shared<bool>(false);
    std::string m_filterExemptUrl;
    // This view while it lives, and the page that opened this one as its new
    // window (null once that page is gone): refusals are told to the opener.
    std::shared_ptr<CFernView*> m_alive = std::make_shared<CFernView*>(this);
    std::shared_ptr<CFernView*> m_opener;

    bool Selected() const { return m_host.IsSelected(this); }
    void SetIcon(int icon);
    void IconAfterLoad();
    const TabBarSettings& TabBar() const { return m_host.Settings().tabBar; }
    const BrowserSettings& Browser() const { return m_host.Settings().browser; }
    // Steps 4 to 6 of the navigation filter; returns the cancel decision.
    bool AllowOrRedirect(const std::string& url);
    void InsertIntoTabBar();
    void CheckPendingBlank(const std::string* titleOverride);
    // Closed by the close-URL list as a new window: the opener hears of it.
    void CloseRefusedWindow(const std::string& url);
    void StopPendingBlankTimer();
};

}  // namespace fern
