#include "session/SessionTabs.h"

#include "frame/MainFrame.h"
#include "session/SessionFile.h"

namespace fern {

namespace {

std::vector<SessionHistoryEntry> History(const IBrowserEngine* engine, bool back) {
    std::vector<SessionHistoryEntry> entries;
    if (!engine) return entries;
    for (HistoryItem& item : engine->HistoryItems(back, static_cast<int>(kSessionHistoryLimit)))
        entries.push_back({std::move(item.url), std::move(item.title)});
    return entries;
}

}  // namespace

SessionState SessionOfFrame(const CMainFrame& frame, std::string_view ownPrefix) {
    SessionState state;
    std::vector<const CFernView*> views;
    for (int i = 0; i < frame.TabCount(); ++i)
        if (const CFernView* view = frame.ViewAt(i)) views.push_back(view);
    // A tab the page process has not yet let in is open all the same: a kill
    // now must not lose it.
    for (const CFernView* view : frame.ViewsWaitingForTabBar()) views.push_back(view);
    for (const CFernView* view : views) {
        SessionTab tab;
        tab.url = view->KnownUrl();
        if (!ownPrefix.empty() && std::string_view(tab.url).substr(0, ownPrefix.size()) == ownPrefix)
            continue;
        tab.title = view->Title();
        // The placeholder of a page still to come is no title.
        if (tab.title == kLoadingTitle) tab.title.clear();
        tab.dlc = view->DownloadControlFlags();
        tab.locked = view->IsNavigateLocked();
        const IBrowserEngine* engine = view->Engine();
        tab.loading = engine && engine->Busy();
        tab.back = History(engine, true);
        tab.forward = History(engine, false);
        if (view == frame.ActiveView()) state.selected = static_cast<int>(state.tabs.size());
        state.tabs.push_back(std::move(tab));
    }
    return state;
}

std::size_t OpenSessionTabs(CMainFrame& frame, const std::vector<SessionTab>& all,
                            const std::vector<std::size_t>& tabs, int select) {
    constexpr int kOpenNewTabFocus = kOpenNewTab | kOpenFocus;
    constexpr int kApplyFlags = 0;
    CMainFrame::DeferredViews deferred(frame);
    CFernView* selected = nullptr;
    std::size_t opened = 0;
    for (std::size_t index : tabs) {
        if (index >= all.size() || all[index].url.empty()) continue;
        const SessionTab& tab = all[index];
        CFernView* view = frame.OpenUrl(tab.url, kOpenNewTabFocus, tab.dlc, kApplyFlags);
        if (!view) continue;
        ++opened;
        if (tab.locked && !view->IsNavigateLocked()) view->ToggleNavigateLock();
        if (static_cast<int>(index) == select) selected = view;
    }
    if (selected && selected->TabIndex() != -1) frame.SelectTab(selected->TabIndex());
    return opened;
}

}  // namespace fern
