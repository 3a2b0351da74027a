#include "frame/MainFrame.h"

#include <algorithm>

#include "commands/CommandIds.h"
#include "page/WildcardMatch.h"
#include "platform/engine/LazyEngine.h"
#include "platform/shell/ProcessMemory.h"
#include "platform/text/SjisByteClass.h"
#include "platform/text/TextCut.h"

namespace fern {

namespace {

const char kBlank[] = "about:blank";

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n\v\f";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// Addresses that show at once because they open no network page: local
// paths, file addresses and shell folders ("/" for paths on this system).
bool IsLocalAddress(const std::string& url) {
    return WildcardMatch("\\*", url) || WildcardMatch("file:/*", url) || WildcardMatch("::*", url) ||
           WildcardMatch("/*", url);
}

}  // namespace

CMainFrame::CMainFrame(FrameServices services, const ProgramSettings& settings)
    : m_services(std::move(services)),
      m_settings(settings),
      m_scheduler(m_services.timers, {[this] { return m_active; }, [this](CFernView* v) { MakePage(v); },
                                      [this] { return !OverMemoryBudget(); }}),
      m_sleeper(m_services.timers, SleeperHooks()) {}

TabSleeper::Hooks CMainFrame::SleeperHooks() {
    TabSleeper::Hooks hooks;
    hooks.tabs = [this] {
        std::vector<CFernView*> tabs;
        for (int i = 0; i < m_tabs.Count(); ++i) tabs.push_back(ViewAt(i));
        return tabs;
    };
    hooks.active = [this] { return m_active; };
    hooks.awake = [this](CFernView* view) {
        auto* lazy = dynamic_cast<LazyEngine*>(view->Engine());
        return lazy && lazy->Materialised() && PageMade(view);
    };
    hooks.rest = [this](CFernView* view) { PutToSleep(view); };
    hooks.rules = [this] {
        TabSleepRules rules;
        rules.minutes = m_settings.tabBar.sleepMinutes;
        rules.budgetBytes = MemoryBudget();
        return rules;
    };
    hooks.memory = [this] { return m_memoryProbe ? m_memoryProbe() : 0; };
    return hooks;
}

std::uint64_t CMainFrame::MemoryBudget() const {
    return TabSleepBudgetBytes(m_settings.tabBar.sleepMemoryMB, PhysicalMemoryBytes());
}

bool CMainFrame::OverMemoryBudget() const {
    const std::uint64_t used = m_memoryProbe ? m_memoryProbe() : 0;
    return used && used > MemoryBudget();
}

CMainFrame::~CMainFrame() {
    if (m_autoSaveTimer) m_services.timers.Stop(m_autoSaveTimer);
    m_active = nullptr;
    m_activation.clear();
    while (!m_views.empty()) {
        if (m_ui) m_ui->ViewDestroyed(m_views.back().get());
        m_views.pop_back();
    }
}

std::string CMainFrame::Convert(const std::string& text) const {
    return m_services.convertArgument ? m_services.convertArgument(text) : text;
}

bool CMainFrame::OpenSpecialUrl(const std::string& url) {
    return m_services.openSpecialUrl && m_services.openSpecialUrl(url);
}

CFernView* CMainFrame::ViewAt(int index) const {
    const TabItem* item = m_tabs.Item(index);
    return item ? item->view : nullptr;
}

int CMainFrame::TargetTab() const {
    return m_tabs.RightClicked() != -1 ? m_tabs.RightClicked() : m_tabs.Selected();
}

// Opening ----------------------------------------------------------------------

CFernView* CMainFrame::OpenUrl(const std::string& text, int openFlags, std::uint32_t dlc, int securityMode) {
    if (openFlags & kOpenNoNavigate)
        return OpenUrlInNewTab(text, true, (openFlags & kOpenFocus) != 0, dlc, securityMode);
    CFernView* view = nullptr;
    if ((openFlags & kOpenNewTab) || !m_active) {
        view = OpenUrlInNewTab(text, false, false, dlc, securityMode);
    } else {
        if (m_active->IsNavigateLocked()) return nullptr;
        view = OpenInActiveTab(text, dlc, securityMode);
        if (!view) {
            openRefused.Emit();
            return nullptr;
        }
    }
    opened.Emit(text, openFlags);
    if ((openFlags & kOpenFocus) && view && m_settings.browser.focusPage) {
        view->RequestFocus();
        m_services.queue.Post([this, view] {
            if (view == m_active && view->Engine()) view->Engine()->Focus();
        });
    }
    return view;
}

CFernView* CMainFrame::OpenInActiveTab(const std::string& text, std::uint32_t dlc, int securityMode) {
    CFernView* view = m_active;
    if (view->IsNavigateLocked()) return nullptr;
    std::string url = Convert(text);
    if (url.empty()) return nullptr;
    if (!m_services.filter.NewTabsOnly() && m_services.filter.MatchesCloseUrl(url)) return nullptr;
    if (OpenSpecialUrl(url)) return nullptr;
    if (securityMode == 0 || securityMode == 2) {
        view->SetDownloadControlFlags(securityMode == 0 ? dlc : DefaultDownloadControl(m_settings));
        if (view->Engine()) view->Engine()->OnDownloadControlChanged(view->DownloadControlFlags());
    }
    view->Navigate(url);
    return view;
}

CFernView* CMainFrame::OpenUrlInNewTab(const std::string& text, bool noNavigate, bool, std::uint32_t dlc,
                                       int securityMode) {
    if (securityMode == 2) dlc = DefaultDownloadControl(m_settings);
    std::string url;
    if (!noNavigate) {
        url = Convert(text);
        if (url.empty() || m_services.filter.MatchesCloseUrl(url)) return nullptr;
        // A list file or "mailto:" is taken over before any tab is made, so
        // none is left empty behind it.
        if (OpenSpecialUrl(url)) return nullptr;
    }
    CFernView* view = CreateTab(nullptr, url);
    if (!view) return nullptr;
    if (m_settings.tabBar.selectBlankPage && SjisToLower(url) == kBlank) view->SetBlankSelect(true);
    if (noNavigate) return view;

    view->StoreTitle(kLoadingTitle);
    if (IsLocalAddress(url)) {
        view->SetTabIndex(InsertTab(kLoadingTitle, view));
        SetTabText(view, kBlank);
        view->SetInsertPending(false);
        view->SetFirstNavigation(false);
        if (m_settings.tabBar.selectNewTab) ActivateView(view);
    }
    if (securityMode != 1) {
        view->SetDownloadControlFlags(dlc);
        if (view->Engine()) view->Engine()->OnDownloadControlChanged(dlc);
    }
    view->Navigate(url);
    // Without a page no navigation comes to put the tab in the bar.
    if (!PageMade(view)) {
        view->EnterTabBar();
        if (view == m_active) SetAddress(view->Url());
    }
    return view;
}

CFernView* CMainFrame::CreateTab(IBrowserEngine* relatedTo, const std::string& siteUrl) {
    if (m_settings.tabBar.limitTabCount && m_tabs.Count() >= m_settings.tabBar.createLimit) return nullptr;
    // A new window's page must exist at once: the opener's engine shows the
    // window in it.
    bool deferred = m_deferViews > 0 && !relatedTo;
    // Every tab's control can be given up and made again, for its page's
    // site, when the tab sleeps and wakes.
    LazyEngine::Maker make = [this](const std::string& url) { return m_services.engines.CreateForSite(url); };
    std::unique_ptr<IBrowserEngine> engine;
    if (deferred) {
        engine = std::make_unique<LazyEngine>(std::move(make));
    } else {
        std::unique_ptr<IBrowserEngine> made = !relatedTo && !siteUrl.empty()
                                                   ? m_services.engines.CreateForSite(siteUrl)
                                                   : m_services.engines.Create(relatedTo);
        if (made) engine = std::make_unique<LazyEngine>(std::move(make), std::move(made));
    }
    if (!engine) return nullptr;
    IBrowserEngine* control = engine.get();
    auto owned = std::make_unique<CFernView>(*this, m_services.timers, std::move(engine));
    CFernView* view = owned.get();
    m_views.push_back(std::move(owned));
    if (deferred) m_scheduler.Add(view);
    bool first = m_tabs.Count() == 0;
    if (first) view->SetFirstTab(true);
    if (m_settings.browser.resolveTargetNames) control->PutRegisterAsBrowser(true);
    // The control starts with the engine's own switches; it follows the
    // tab's flags from its first page on, even when an open keeps them.
    control->OnDownloadControlChanged(view->DownloadControlFlags());
    view->StoreTitle(kLoadingTitle);
    // Known before the page decides on it, as the address bar shows it and a
    // tab in the bar may be saved or closed before that.
    view->SetPendingUrl(siteUrl);
    view->RequestFocus();
    if (m_ui) m_ui->ViewCreated(view);
    m_sleeper.Wake();
    // The first tab fills the window at once; later ones wait behind the
    // selected page until they are selected.
    if (first) ActivateView(view);
    return view;
}

CFernView* CMainFrame::CreateTabForNewWindow(CFernView* opener) {
    return CreateTab(opener ? opener->Engine() : nullptr);
}

std::vector<CFernView*> CMainFrame::ViewsWaitingForTabBar() const {
    std::vector<CFernView*> waiting;
    for (const auto& owned : m_views) {
        CFernView* view = owned.get();
        if (view->TabIndex() == -1 && view->InsertPending() && !view->IsClosing() &&
            !view->FirstNavigation() && !view->PendingBlank())
            waiting.push_back(view);
    }
    return waiting;
}

CMainFrame::DeferredViews::DeferredViews(CMainFrame& frame) : m_frame(frame) {
    if (m_frame.m_deferViews++ > 0) return;
    for (CFernView* view : m_frame.ViewsWaitingForTabBar()) view->EnterTabBar();
}

CMainFrame::DeferredViews::~DeferredViews() { --m_frame.m_deferViews; }

void CMainFrame::MakePage(CFernView* view) {
    auto* lazy = dynamic_cast<LazyEngine*>(view->Engine());
    if (!lazy || !lazy->Materialise()) return;
    ShowAsleep(view, false);
    if (m_ui) m_ui->PageMade(view);
}

bool CMainFrame::PutToSleep(CFernView* view) {
    auto* lazy = view ? dynamic_cast<LazyEngine*>(view->Engine()) : nullptr;
    if (!lazy || !lazy->Materialised() || view == m_active || view->IsClosing() || !PageMade(view))
        return false;
    // The window lets go of the page before the control that draws it goes.
    if (m_ui) m_ui->PageDropped(view);
    lazy->Rest();
    m_scheduler.AddAsleep(view);
    ShowAsleep(view, true);
    return true;
}

void CMainFrame::ShowAsleep(CFernView* view, bool asleep) {
    if (m_tabs.SetAsleep(view->TabIndex(), asleep)) TabsChanged();
}

int CMainFrame::InsertTab(const std::string& text, CFernView* view) {
    int index = TabInsertIndex(m_settings.tabBar.insertPosition, m_tabs.Count(), m_tabs.Selected());
    index = m_tabs.Insert(index, text, view);
    if (index == -1) return -1;
    // A restored tab without its page yet is shown as a sleeping one.
    m_tabs.SetAsleep(index, !PageMade(view));
    if (m_tabs.Count() == 1) m_tabs.SetSelected(0);
    Renumber();
    // The active page entered the bar: it is the selected tab.
    if (view == m_active) m_tabs.SetSelected(index);
    TabsChanged();
    return index;
}

void CMainFrame::Renumber() {
    for (int i = 0; i < m_tabs.Count(); ++i) m_tabs.Item(i)->view->SetTabIndex(i);
}

// Selecting ----------------------------------------------------------------------

void CMainFrame::ActivateView(CFernView* view) {
    if (!view) return;
    m_active = view;
    m_activation.erase(std::remove(m_activation.begin(), m_activation.end(), view), m_activation.end());
    m_activation.push_back(view);
    if (view->TabIndex() != -1) m_tabs.SetSelected(view->TabIndex());
    m_scheduler.SelectionChanged();
    m_sleeper.Selected(view);
    view->OnSelected();
    if (m_ui) {
        m_ui->ActiveViewChanged(view);
        m_ui->SetCaption(ShortenText(view->StoredTitle(), kCaptionLimit));
        m_ui->SetAddress(view->KnownUrl());
        m_ui->SetSecureLock(view->SecureLockLevel());
        m_ui->SetZone(ZoneOf(view->Url()));
    }
    TabsChanged();
}

void CMainFrame::SelectTab(int index) {
    CFernView* view = ViewAt(index);
    if (!view) return;
    ActivateView(view);
    if (m_settings.browser.focusPage && view->Engine()) view->Engine()->Focus();
}

void CMainFrame::SelectByOffset(int offset) {
    if (m_tabs.Count() == 0) return;
    SelectTab(TabOffsetIndex(m_tabs.Selected(), offset, m_tabs.Count(), m_settings.tabBar.wrapAround));
}

bool CMainFrame::SwapTabs(int a, int b) {
    if (!m_tabs.Swap(a, b)) return false;
    Renumber();
    TabsChanged();
    return true;
}

// Closing ------------------------------------------------------------------------

bool CMainFrame::Closable(const CFernView* view) const {
    return view && !view->IsClosing() && !view->IsNavigateLocked();
}

void CMainFrame::RecordClosed(const CFernView* view) {
    UrlItem item;
    item.type = 0;
    item.style = view->DownloadControlFlags();
    item.exstyle = 1;
    item.url = view->KnownUrl();
    m_closedSet.push_back(item);
}

void CMainFrame::CloseRequest(CFernView* view) {
    view->SetCloseRequested();
    DestroyView(view);
}

void CMainFrame::CloseTab(int index) {
    CFernView* view = ViewAt(index);
    if (view && !view->IsNavigateLocked()) CloseRequest(view);
}

void CMainFrame::PostClose(CFernView* view) {
    m_services.queue.Post([this, view] {
        for (const auto& owned : m_views)
            if (owned.get() == view) {
                DestroyView(view);
                return;
            }
    });
}

void CMainFrame::DestroyView(CFernView* view) {
    auto owned =
        std::find_if(m_views.begin(), m_views.end(), [view](const auto& p) { return p.get() == view; });
    if (owned == m_views.end()) return;

    int index = view->TabIndex();
    int count = m_tabs.Count();
    bool wasActive = view == m_active;
    if (wasActive && index != -1) {
        int next =
            TabNextActiveIndex(m_nextActiveOverride.value_or(m_settings.tabBar.nextActive), index, count);
        if (next >= 0 && next != index && ViewAt(next)) ActivateView(ViewAt(next));
    }

    viewDestroyed.Emit(*view);
    if (m_ui) m_ui->ViewDestroyed(view);
    if (index != -1 && m_tabs.Item(index) && m_tabs.Item(index)->view == view) {
        m_tabs.Delete(index);
        Renumber();
    }
    m_activation.erase(std::remove(m_activation.begin(), m_activation.end(), view), m_activation.end());
    m_scheduler.Remove(view);
    m_sleeper.Remove(view);
    std::unique_ptr<CFernView> dying = std::move(*owned);
    m_views.erase(owned);

    if (m_active == view) {
        m_active = nullptr;
        // The tab selected before this one, as the window order would give.
        CFernView* previous = nullptr;
        for (auto it = m_activation.rbegin(); it != m_activation.rend() && !previous; ++it)
            if ((*it)->TabIndex() != -1) previous = *it;
        if (!previous && m_tabs.Count() > 0)
            previous = ViewAt(std::min(std::max(index, 0), m_tabs.Count() - 1));
        if (previous) ActivateView(previous);
    }
    if (m_tabs.Count() == 0 && m_ui) {
        m_ui->SetAddress("");
        m_ui->SetStatusText("");
        m_ui->SetProgress(0);
        m_ui->SetSecureLock(0);
        m_ui->SetZone(-1);
        if (!m_active) m_ui->SetCaption("");
    }
    TabsChanged();
    dying.reset();
}

void CMainFrame::CloseAll() {
    m_closedSet.clear();
    for (int i = 0; i < m_tabs.Count(); ++i)
        if (Closable(ViewAt(i))) RecordClosed(ViewAt(i));
    for (int i = 0; i < m_tabs.Count();) {
        CFernView* view = ViewAt(i);
        if (Closable(view)) CloseRequest(view);  // the next tab moves down to i
        else ++i;
    }
}

void CMainFrame::CloseOthers(int index) {
    CFernView* keep = ViewAt(index);
    if (!keep) return;
    m_closedSet.clear();
    for (int i = 0; i < m_tabs.Count(); ++i)
        if (ViewAt(i) != keep && Closable(ViewAt(i))) RecordClosed(ViewAt(i));
    for (int i = 0; i < m_tabs.Count();) {
        CFernView* view = ViewAt(i);
        if (view != keep && Closable(view)) CloseRequest(view);
        else ++i;
    }
    m_tabs.SetRightClicked(-1);
}

void CMainFrame::CloseReadTabs() {
    // The read tabs are fixed before the walk: selecting the next tab while
    // closing marks it seen, and must not make it "read" in turn.
    std::vector<CFernView*> read;
    m_closedSet.clear();
    for (int i = 0; i < m_tabs.Count(); ++i) {
        CFernView* view = ViewAt(i);
        // A restored tab still waiting for its page shows no icon, but
        // nobody has seen it: it is not read.
        if (Closable(view) && view->Icon() == kIconNone && (PageMade(view) || Asleep(view))) {
            read.push_back(view);
            RecordClosed(view);
        }
    }
    m_nextActiveOverride = 1;
    for (CFernView* view : read) CloseRequest(view);
    m_nextActiveOverride.reset();
}

void CMainFrame::RestoreClosed() {
    std::vector<UrlItem> items = m_closedSet;  // opening may not change the set
    // A whole window's worth of tabs: their pages come a few at a time.
    DeferredViews deferred(*this);
    for (const UrlItem& item : items) OpenUrl(item.url, kOpenNewTab | kOpenFocus, item.style, 0);
}

// Start and exit -------------------------------------------------------------------

bool CMainFrame::OnCopyData(std::uint32_t data, const std::string& text) {
    if (m_starting) return false;
    if (!text.empty()) {
        int flags = kOpenNewTab | kOpenFocus;
        // 777: opened like a bookmark, in the current tab unless bookmarks
        // open in new tabs.
        if (data == 777 && !m_settings.bookmark.openInNewTab) flags = kOpenFocus;
        OpenUrl(text, flags, 0xFFFFFFFFu, 1);
    }
    return true;
}

void CMainFrame::SaveOnExit(bool exiting, bool bookmarksOnly) {
    if (m_saved) return;
    if (exiting || m_settings.bookmark.autoSave) m_exitSteps.bookmarks.Emit();
    if (bookmarksOnly) return;
    if (m_settings.startup.saveStateAtExit) m_exitSteps.stateLog.Emit();
    m_exitSteps.typedLists.Emit();
    m_exitSteps.placementAndBars.Emit();
    if (exiting) m_exitSteps.removeTrayIcon.Emit();
    m_exitSteps.closeCount.Emit();
    m_exitSteps.proxyAndRecent.Emit();
    m_saved = true;
}

void CMainFrame::StartAutoSave(bool on, int minutes) {
    if (m_autoSaveTimer) m_services.timers.Stop(m_autoSaveTimer);
    m_autoSaveTimer = 0;
    if (!on || minutes <= 0) return;
    m_autoSaveTimer =
        m_services.timers.Start(static_cast<unsigned>(minutes) * 60000u, [this] { SaveOnExit(false, true); });
}

// Page host ----------------------------------------------------------------------

void CMainFrame::TabsChanged() {
    if (m_ui) m_ui->TabsChanged();
}

void CMainFrame::SetTabText(CFernView* view, const std::string& text) {
    if (m_tabs.SetText(view->TabIndex(), text)) TabsChanged();
}

void CMainFrame::SetTabImage(CFernView* view, int image) {
    if (m_tabs.SetImage(view->TabIndex(), image)) TabsChanged();
}

void CMainFrame::SetCaption(CFernView* view, const std::string& caption) {
    if (view == m_active && m_ui) m_ui->SetCaption(caption);
}

void CMainFrame::SetStatusText(const std::string& text) {
    if (m_ui) m_ui->SetStatusText(text);
}

void CMainFrame::SetProgress(int percent) {
    if (m_ui) m_ui->SetProgress(percent);
}

void CMainFrame::SetAddress(const std::string& url) {
    if (m_ui) m_ui->SetAddress(url);
}

void CMainFrame::SetSecureLock(int level) {
    if (m_ui) m_ui->SetSecureLock(level);
}

void CMainFrame::ShowZoneOf(const std::string& url) {
    if (m_ui) m_ui->SetZone(ZoneOf(url));
}

int CMainFrame::ZoneOf(const std::string& url) const {
    return (m_zoneOfUrl && !url.empty()) ? m_zoneOfUrl(url) : -1;
}

// Commands -------------------------------------------------------------------------

void CMainFrame::NewTabCommand(int id) {
    std::uint32_t dlc = DefaultDownloadControl(m_settings);
    switch (id) {
        case ID_NEW_TAB: NewTabCommand(NewTabCommandFor(m_settings.tabBar.createNew)); return;
        case ID_NEW_TAB_BLANK: OpenUrl(kBlank, kOpenNewTab | kOpenFocus, dlc, 0); return;
        case ID_NEW_TAB_CLIPBOARD: {
            std::string text = Trim(m_services.clipboard.GetText().value_or(""));
            std::size_t lf = text.find('\n');  // LF is never a trail byte
            if (lf != std::string::npos) text = Trim(text.substr(0, lf));
            OpenUrl(text.empty() ? std::string(kBlank) : text, kOpenNewTab | kOpenFocus, dlc, 0);
            return;
        }
        case ID_NEW_TAB_COPY: {
            std::string url = m_active ? m_active->Url() : std::string();
            std::uint32_t flags = m_active ? m_active->DownloadControlFlags() : dlc;
            if (!url.empty()) OpenUrl(url, kOpenNewTab | kOpenFocus, flags, 0);
            return;
        }
        case ID_NEW_TAB_HOME:
            if (m_settings.browser.useHomePageUrl) {
                OpenUrl(HomePageUrl(m_settings), kOpenNewTab | kOpenFocus, dlc, 0);
            } else if (CFernView* view = OpenUrl("", 0x13, dlc, 0)) {
                view->SetOpenedForHomePage();
                if (view->Engine()) view->Engine()->GoHome();
            }
            return;
    }
}

void CMainFrame::TabAction(TabMouseAction action, int index) {
    CFernView* view = ViewAt(index);
    if (!view) return;
    switch (action) {
        case TabMouseAction::Close: CloseTab(index); break;
        case TabMouseAction::Refresh: view->Refresh(false); break;
        case TabMouseAction::Back: view->GoBack(); break;
        case TabMouseAction::NavigateLock: view->ToggleNavigateLock(); break;
        case TabMouseAction::Menu:
            m_tabs.SetRightClicked(index);
            if (m_ui) m_ui->ShowTabMenu(index);
            break;
        case TabMouseAction::None: break;
    }
}

void CMainFrame::OnTabDoubleClick(int index) {
    TabAction(TabClickAction(m_settings.tabBar.leftDoubleClick), index);
}
void CMainFrame::OnTabWheelClick(int index) {
    TabAction(TabClickAction(m_settings.tabBar.wheelClick), index);
}
void CMainFrame::OnTabRightClick(int index) {
    TabAction(TabRightClickAction(m_settings.tabBar.rightClick), index);
}

}  // namespace fern
