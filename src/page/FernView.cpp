#include "page/FernView.h"

#include "commands/CommandIds.h"
#include "page/UpOneLevel.h"
#include "page/WildcardMatch.h"
#include "platform/engine/LazyEngine.h"
#include "platform/text/SjisByteClass.h"
#include "platform/text/TextCut.h"

namespace fern {

CFernView::CFernView(IPageHost& host, ITimerService& timers, std::unique_ptr<IBrowserEngine> engine)
    : CWebBrowser2Base(DefaultDownloadControl(host.Settings())),
      m_host(host),
      m_timers(timers),
      m_engine(std::move(engine)) {
    if (m_engine) m_engine->SetEventSink(this);
}

CFernView::~CFernView() {
    *m_alive = nullptr;
    *m_findRunning = false;
    StopPendingBlankTimer();
    StopAutoRefresh();
    if (m_engine) m_engine->SetEventSink(nullptr);
}

void CFernView::RequestFocus() {
    if (!Browser().focusPage) return;
    m_focusRequest = true;
    m_focusDone = false;
}

std::string CFernView::Title() const {
    if (!m_title.empty()) return m_title;
    return m_engine ? m_engine->LocationName() : std::string();
}

std::string CFernView::Url() const { return m_engine ? m_engine->LocationURL() : std::string(); }

std::string CFernView::KnownUrl() const {
    std::string url = Url();
    return url.empty() ? m_pendingUrl : url;
}

void CFernView::SetTitle(const std::string& title) {
    m_title = title;
    if (m_host.MatchesCloseTitle(title)) {
        // A tab already on its way out is not counted twice.
        if (!m_closing) CloseByFilter();
        return;
    }
    if (m_navigateLock || m_tabIndex == -1 || m_closing) return;
    m_host.SetTabText(this, title);
    m_host.SetCaption(this, ShortenText(title, kCaptionLimit));
}

void CFernView::CloseByFilter() {
    m_host.CountClosedWindow();
    m_closeRequested = m_closing = m_closeThird = true;
    m_insertPending = false;
    m_host.PostClose(this);
}

void CFernView::CloseRefusedWindow(const std::string& url) {
    CloseByFilter();
    if (CFernView* opener = m_opener ? *m_opener : nullptr) m_host.NewWindowRefused(opener, url);
}

void CFernView::SetIcon(int icon) {
    m_icon = icon;
    if (m_tabIndex != -1) m_host.SetTabImage(this, icon);
}

void CFernView::IconAfterLoad() { SetIcon(Selected() ? kIconNone : kIconFinishedUnseen); }

// Navigation commands --------------------------------------------------------

void CFernView::GoBack() {
    if (!m_navigateLock && m_engine) m_engine->GoBack();
}

void CFernView::GoForward() {
    if (!m_navigateLock && m_engine) m_engine->GoForward();
}

void CFernView::GoHome() {
    if (m_navigateLock || !m_engine) return;
    if (Browser().useHomePageUrl) Navigate(HomePageUrl(m_host.Settings()));
    else m_engine->GoHome();
}

void CFernView::Refresh(bool completely) {
    if (m_navigateLock || !m_engine) return;
    if (completely) m_engine->Refresh2(3);
    else m_engine->Refresh();
}

void CFernView::Stop() {
    if (!m_engine) return;
    m_engine->Stop();
    m_percent = 0;
    if (m_tabIndex != -1 && !m_navigateLock) {
        if (Selected()) SetIcon(kIconNone);
        else if (m_icon != kIconNone) SetIcon(kIconFinishedUnseen);
    }
}

bool CFernView::ToggleNavigateLock() {
    m_navigateLock = !m_navigateLock;
    SetIcon(m_navigateLock ? kIconLocked : kIconNone);
    return m_navigateLock;
}

void CFernView::Navigate(const std::string& url) {
    if (m_engine) m_engine->Navigate2(url, 0, "", "", "");
}

// Find in page ------------------------------------------------------------------

namespace {
// One search text for the whole program, as the find command remembers it.
std::string& LastFindText() {
    static std::string text;
    return text;
}
}  // namespace

void CFernView::FindInPage(const std::string& clipboardText) {
    std::size_t first = clipboardText.find_first_not_of(" \t\r\n");
    if (first == std::string::npos || !m_engine || m_engine->Busy() || *m_findRunning) return;
    std::size_t last = clipboardText.find_last_not_of(" \t\r\n");
    std::string text = clipboardText.substr(first, last - first + 1);
    if (text != LastFindText()) {
        LastFindText() = text;
        m_findHasPosition = false;
    }
    *m_findRunning = true;
    std::shared_ptr<bool> running = m_findRunning;
    bool fromTop = !m_findHasPosition;
    m_engine->FindText(text, fromTop, [this, running](bool found) {
        if (!*running) return;  // the view went away meanwhile
        *running = false;
        m_findHasPosition = found;
        if (!found) m_host.SetStatusText("指定した文字列は見つかりませんでした");
    });
}

// Page commands -----------------------------------------------------------------

bool CFernView::OnPageCommand(int id) {
    if (id >= ID_TEXT_LARGEST && id <= ID_TEXT_SMALLEST) {
        if (m_engine) m_engine->SetZoom(4 - (id - ID_TEXT_LARGEST));
        return true;
    }
    if (id >= ID_BACK_LIST_FIRST && id <= ID_BACK_LIST_LAST) {
        for (int i = 0; i < id - 34286; ++i) GoBack();
        return true;
    }
    if (id >= ID_FORWARD_LIST_FIRST && id <= ID_FORWARD_LIST_LAST) {
        for (int i = 0; i < id - 34291; ++i) GoForward();
        return true;
    }
    if (!m_engine)
        return id == ID_PAGE_FIND || id == ID_PAGE_SOURCE || id == ID_PAGE_PROPERTIES ||
               id == ID_PAGE_PRINT_PREVIEW || id == ID_FILE_PRINT || id == ID_PAGE_SETUP ||
               id == ID_PAGE_SHORTCUT || id == ID_PAGE_REFRESH_LATEST || id == ID_PAGE_FOCUS ||
               id == ID_PAGE_UP || id == ID_PAGE_OPEN_SELECTION || id == ID_PAGE_COMMENTS;
    switch (id) {
        case ID_PAGE_FIND: m_engine->ExecCommand(PageCommand::Find); return true;
        case ID_PAGE_SOURCE: m_engine->ExecCommand(PageCommand::ViewSource); return true;
        case ID_PAGE_PROPERTIES: m_engine->ExecCommand(PageCommand::Properties); return true;
        case ID_PAGE_PRINT_PREVIEW: m_engine->ExecCommand(PageCommand::PrintPreview); return true;
        case ID_FILE_PRINT: m_engine->ExecCommand(PageCommand::Print); return true;
        case ID_PAGE_SETUP: m_engine->ExecCommand(PageCommand::PageSetup); return true;
        case ID_PAGE_SHORTCUT: m_engine->ExecCommand(PageCommand::CreateShortcut); return true;
        case ID_PAGE_REFRESH_LATEST:
            if (!m_navigateLock) m_engine->Refresh2(0x2004);
            return true;
        case ID_PAGE_FOCUS: m_engine->Focus(); return true;
        case ID_PAGE_OPEN_SELECTION:
            if (!m_engine->Busy()) {
                // The answer may come later; the host outlives the engine,
                // which drops its answers when it goes.
                IPageHost* host = &m_host;
                m_engine->SelectedText([host](std::string text) {
                    if (!text.empty()) host->OpenUrl(text, 3, DefaultDownloadControl(host->Settings()), 0);
                });
            }
            return true;
        case ID_PAGE_COMMENTS:
            if (!m_engine->Busy()) m_engine->ExecCommand(PageCommand::ShowComments);
            return true;
        case ID_PAGE_UP:
            if (!m_engine->Busy())
                if (auto up = UpOneLevelUrl(Url())) Navigate(*up);
            return true;
        default: return false;
    }
}

void CFernView::StepTextSize(int step) {
    if (!m_engine) return;
    int level = m_engine->Zoom() + step;
    if (level >= 0 && level <= 4) m_engine->SetZoom(level);
}

bool CFernView::IsTextSizeChecked(int id) const {
    return m_engine && id >= ID_TEXT_LARGEST && id <= ID_TEXT_SMALLEST &&
           m_engine->Zoom() == 4 - (id - ID_TEXT_LARGEST);
}

// Auto refresh ---------------------------------------------------------------

void CFernView::StartAutoRefresh(int seconds) {
    StopAutoRefresh();
    m_autoRefreshMs = seconds > 0 ? seconds * 1000 : 0;
    if (m_autoRefreshMs >= static_cast<int>(kAutoRefreshMinimumMs)) {
        m_autoRefreshTimer = m_timers.Start(static_cast<unsigned>(m_autoRefreshMs), [this] {
            if (!m_navigateLock && !m_closing && m_engine) m_engine->Refresh2(3);
        });
    }
}

void CFernView::StopAutoRefresh() {
    if (m_autoRefreshTimer) m_timers.Stop(m_autoRefreshTimer);
    m_autoRefreshTimer = 0;
    m_autoRefreshMs = 0;
}

void CFernView::OnSelected() {
    if (m_icon == kIconFinishedUnseen || m_icon == kIconNavigated) SetIcon(kIconNone);
    m_host.SetProgress(m_percent);
}

// Events -----------------------------------------------------------------------

void CFernView::StatusTextChange(const std::string& text) {
    if (Selected()) m_host.SetStatusText(text);
}

void CFernView::ProgressChange(long progress, long max) {
    int percent = 0;
    // A zero or negative maximum cannot give a share; it counts as none.
    if (progress == -1 || max <= 0) percent = 0;
    else if (progress >= max) percent = 100;
    else percent = static_cast<int>(static_cast<long long>(progress) * 100 / max);
    if (percent > 100) percent = 100;
    if (percent < 0) percent = 0;
    m_percent = percent;
    if (Selected()) m_host.SetProgress(percent);
}

void CFernView::OnDownloadBegin() {
    m_host.UpdateOfflineIndicator();
    SetIcon(kIconLoading);
}

void CFernView::OnDownloadComplete() {
    if (m_pendingBlank && !m_pendingBlankTimerStarted) {
        m_pendingBlankTimerStarted = true;
        m_pendingBlankTimer = m_timers.Start(kPendingBlankDelayMs, [this] {
            StopPendingBlankTimer();
            if (!m_closing) CheckPendingBlank(nullptr);
        });
    }
    if (m_pendingBlank && m_host.IsOffline() && SjisToLower(Url()) == "about:blank") {
        static const std::string blank = "about:blank";
        CheckPendingBlank(&blank);
    }
    if (m_tabIndex != -1 && !m_navigateLock) IconAfterLoad();
}

void CFernView::TitleChange(const std::string& title) {
    if (m_pendingBlank) m_deferredTitle = title;
    SetTitle(title);
}

void CFernView::BeforeNavigate2(const std::string& url, long, const std::string&, const std::string&,
                                const std::string&, bool& cancel) {
    if (m_closing || !m_engine) {
        cancel = true;
        return;
    }
    if (!m_filterExemptUrl.empty()) {
        const bool exempt = url == m_filterExemptUrl;
        m_filterExemptUrl.clear();
        if (exempt) {
            m_firstNavigation = m_pendingBlank = false;
            cancel = AllowOrRedirect(url);
            return;
        }
    }
    if (m_firstNavigation) {
        m_firstNavigation = false;
        if (WildcardMatch("about:blank*", SjisToLower(url))) {
            m_pendingBlank = true;
            return;
        }
        const bool listed = m_host.MatchesCloseUrl(url);
        if ((listed || m_host.OpenSpecialUrl(url)) && !m_closeRequested) {
            cancel = true;
            if (listed) CloseRefusedWindow(url);
            else CloseByFilter();
            return;
        }
        cancel = AllowOrRedirect(url);
        return;
    }
    if (m_host.CloseUrlNewTabsOnly()) {
        if (m_pendingBlank) {
            m_pendingBlank = false;
            if (m_host.MatchesCloseUrl(url) && !m_closeRequested) {
                cancel = true;
                CloseRefusedWindow(url);
                return;
            }
        }
        if (m_host.OpenSpecialUrl(url)) {
            cancel = true;
            m_insertPending = false;
            return;
        }
    } else if (m_host.MatchesCloseUrl(url)) {
        cancel = true;
        m_insertPending = false;
        if (m_pendingBlank) {
            m_pendingBlank = false;
            if (!m_closeRequested) CloseRefusedWindow(url);
        }
        return;
    } else {
        m_pendingBlank = false;
        if (m_host.OpenSpecialUrl(url)) {
            cancel = true;
            m_insertPending = false;
            return;
        }
    }
    cancel = AllowOrRedirect(url);
}

void CFernView::InsertIntoTabBar() {
    m_tabIndex = m_host.InsertTab(kLoadingTitle, this);
    SetTitle(kLoadingTitle);
}

void CFernView::EnterTabBar() {
    if (!m_insertPending) return;
    InsertIntoTabBar();
    if (TabBar().selectNewTab) {
        m_host.ActivateTab(this);
    } else if (m_blankSelect) {
        m_blankSelect = false;
        m_host.ActivateTab(this);
    }
    m_insertPending = false;
}

bool CFernView::AllowOrRedirect(const std::string& url) {
    // A tab locked before its first page came (a restored tab gets its page
    // late) still loads the address it was opened with.
    IBrowserEngine* page = RealEngine(m_engine.get());
    bool opening = !m_pendingUrl.empty() && url == m_pendingUrl && page && page->LocationURL().empty();
    const bool elsewhere = m_navigateLock && !opening;
    // Known before the tab enters the bar, whose selection shows the address.
    if (!elsewhere) m_pendingUrl = url;
    EnterTabBar();
    if (elsewhere) {
        if (!TabBar().noNewTabsFromLocked) {
            std::uint32_t flags = Browser().inheritParentSecurity ? DownloadControlFlags()
                                                                  : DefaultDownloadControl(m_host.Settings());
            m_host.OpenUrl(url, 0x1, flags, 0);
        }
        return true;
    }
    return false;
}

void CFernView::NewWindow2(IBrowserEngine*& newWindow, bool& cancel) { NewWindow3(newWindow, cancel, {}); }

void CFernView::NewWindow3(IBrowserEngine*& newWindow, bool& cancel, const std::string& url) {
    if (m_navigateLock && TabBar().noNewTabsFromLocked) {
        cancel = true;
        return;
    }
    CFernView* view = m_host.CreateTabForNewWindow(this);
    if (!view || !view->Engine()) {
        cancel = true;
        m_host.NewWindowRefused(this, url);
        return;
    }
    view->m_opener = m_alive;
    view->m_firstNavigation = true;
    view->m_title = kLoadingTitle;
    // The engine shows the window in its own control, not in the tab's wrapper.
    newWindow = RealEngine(view->Engine());
    if (Browser().inheritParentSecurity) view->SetDownloadControlFlags(DownloadControlFlags());
    // The new control starts as a copy of the opener's; it must follow the
    // new tab's own flags either way.
    view->Engine()->OnDownloadControlChanged(view->DownloadControlFlags());
    if (Browser().focusPage) {
        view->m_focusDone = false;
        view->m_focusRequest = true;
    }
}

void CFernView::NavigateComplete2(const std::string& url) {
    if (Selected()) {
        m_host.SetAddress(url);
        m_host.ShowZoneOf(url);
    }
    SetIcon(kIconNavigated);
}

void CFernView::OnDocumentComplete(const std::string&, bool topLevel) {
    if (!topLevel) return;
    m_findHasPosition = false;
    if (m_pendingBlank && SjisToLower(Url()) == "about:blank") {
        static const std::string blank = "about:blank";
        CheckPendingBlank(&blank);
    }
    if (m_tabIndex != -1 && !m_navigateLock) IconAfterLoad();
    if (m_focusRequest) {
        if (Selected() && m_engine) m_engine->Focus();
        m_focusRequest = false;
        m_focusDone = true;
    }
}

void CFernView::WindowClosing(bool, bool& cancel) {
    if (m_navigateLock) {
        cancel = true;
        return;
    }
    // The page closed its own window (window.close()): the tab goes with it.
    m_closeRequested = true;
    m_host.PostClose(this);
}

void CFernView::SetSecureLockIcon(long level) {
    m_secureLock = static_cast<int>(level);
    if (Selected()) m_host.SetSecureLock(m_secureLock);
}

bool CFernView::ShowMessage(const std::string& caption, const std::string& message) {
    return m_host.PageMessageBoxHandled(caption, message);
}

void CFernView::ScriptError(const std::string& message, const std::string& url, long line) {
    if (!m_closing) m_host.PageScriptError(this, message, url, line);
}

// Pending blank ----------------------------------------------------------------

void CFernView::StopPendingBlankTimer() {
    if (m_pendingBlankTimer) m_timers.Stop(m_pendingBlankTimer);
    m_pendingBlankTimer = 0;
}

void CFernView::CheckPendingBlank(const std::string* titleOverride) {
    if (!m_pendingBlank) return;
    StopPendingBlankTimer();
    if (m_host.MatchesCloseUrl(Url())) {
        if (!m_closeRequested) CloseRefusedWindow(Url());
        return;
    }
    m_pendingBlank = false;
    if (m_tabIndex == -1) m_tabIndex = m_host.InsertTab(kLoadingTitle, this);
    SetTitle(titleOverride ? *titleOverride : m_deferredTitle);
    if (m_closing) return;
    SetIcon(kIconNavigated);
    bool activated = false;
    if (TabBar().selectNewTab) {
        m_host.ActivateTab(this);
        activated = true;
    }
    m_insertPending = false;
    if (!activated && !Selected()) SetIcon(m_host.TabCount() == 1 ? kIconNone : kIconFinishedUnseen);
}

}  // namespace fern
